// Keeping the rest of the program still while one dialog or box runs its modal loop.
#pragma once

#include <windows.h>

#include <vector>

// Disables every other window of the program (main window, tool windows, graph windows and their
// dialogs) for as long as it lives, and then enables those it disabled. The dialog or box itself
// disables owner. Whatever is posted to a disabled window then starts nothing inside the loop (see
// CCommandGate).
class COtherWindowsDisabled {
public:
    explicit COtherWindowsDisabled(HWND owner);
    ~COtherWindowsDisabled();
    COtherWindowsDisabled(const COtherWindowsDisabled&) = delete;
    COtherWindowsDisabled& operator=(const COtherWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK disable(HWND window, LPARAM parameter) noexcept;

    HWND m_owner;
    std::vector<HWND> m_disabled;
};
