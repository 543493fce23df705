// Keeping the rest of the program still while one dialog or box runs its modal loop.
#include "host/other_windows_disabled.h"

COtherWindowsDisabled::COtherWindowsDisabled(HWND owner) : m_owner(owner)
{
    EnumThreadWindows(GetCurrentThreadId(), disable, reinterpret_cast<LPARAM>(this));
}

COtherWindowsDisabled::~COtherWindowsDisabled()
{
    for (HWND window : m_disabled) {
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    }
}

// A window that cannot be remembered stays enabled; the engine's busy mark still guards it.
BOOL CALLBACK COtherWindowsDisabled::disable(HWND window, LPARAM parameter) noexcept
{
    auto* self = reinterpret_cast<COtherWindowsDisabled*>(parameter);
    if (window == self->m_owner || !IsWindowEnabled(window))
        return TRUE;
    try {
        self->m_disabled.push_back(window);
    } catch (...) {
        return FALSE;
    }
    EnableWindow(window, FALSE);
    return TRUE;
}
