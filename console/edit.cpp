// The base of the console's two edit controls.
#include "console/edit.h"

#include "console/console_window.h"
#include "host/window.h"
#include "foundation/exception.h"

void CEdit::createControl(int id, DWORD style)
{
    m_window = CreateWindowExW(0, L"EDIT", L"", style, 0, 0, 1, 1, m_console.handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
    // Without this the control stops taking text at 30,000 characters, and cuts what is typed or
    // pasted beyond that without a word.
    SendMessageW(m_window, EM_SETLIMITTEXT, 0, 0);
}

void CEdit::setFont(HFONT font)
{
    SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

VKF::CString CEdit::text() const
{
    return controlText(m_window);
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
