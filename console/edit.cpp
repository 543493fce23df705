// The base of the console's two edit controls.
#include "console/edit.h"

#include "console/console_window.h"
#include "foundation/exception.h"

#include <vector>

void CEdit::createControl(int id, DWORD style)
{
    m_window = CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 1, 1, m_console.handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
}

void CEdit::setFont(HFONT font)
{
    SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

VKF::CString CEdit::text() const
{
    int length = GetWindowTextLengthW(m_window);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(m_window, buffer.data(), length + 1);
    return VKF::CString(buffer.data(), copied);
}

void CEdit::setText(const VKF::CString& text)
{
    // An edit control refuses a text only when it cannot allocate room for it.
    if (!SetWindowTextW(m_window, text.characters()))
        throw VKF::COutOfMemoryException();
}

void CEdit::move(int x, int y, int width, int height)
{
    MoveWindow(m_window, x, y, width, height, TRUE);
}
