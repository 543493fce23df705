// The console's input line (CInputField): its key handler, the history of executed lines, and
// the typing of the panels.
#include "console/input_line.h"

#include "resources/resource_ids.h"

void CInputField::create()
{
    createControl(IDC_INPUT_LINE, WS_CHILD | WS_BORDER | ES_AUTOHSCROLL);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    keyHandler(m_window, WM_INSTALL_KEY_HANDLER, 0, 0);
    ShowWindow(m_window, SW_SHOW);
    m_stepsBack = 0;
    m_recalled = false;
}

// Enter, Up and Down become commands of the main window and never reach the edit control.
LRESULT CALLBACK CInputField::keyHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CInputField*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_INSTALL_KEY_HANDLER:
        self->m_previousProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(keyHandler));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            return SendMessageW(GetParent(window), WM_EXECUTE_LINE, 0, 0);
        if (wParam == VK_UP)
            return SendMessageW(GetParent(window), WM_RECALL_OLDER, 0, 0);
        if (wParam == VK_DOWN)
            return SendMessageW(GetParent(window), WM_RECALL_NEWER, 0, 0);
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == L'\t')
            return 0;
        break;
    }
    return CallWindowProcW(self->m_previousProcedure, window, message, wParam, lParam);
}

void CInputField::insert(const wchar_t* text)
{
    SendMessageW(m_window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void CInputField::moveCaret(int units)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(m_window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int caret = static_cast<int>(end) + units;
    const WPARAM position = caret < 0 ? 0 : static_cast<WPARAM>(caret);
    SendMessageW(m_window, EM_SETSEL, position, static_cast<LPARAM>(position));
    SendMessageW(m_window, EM_SCROLLCARET, 0, 0);
}

void CInputField::clear()
{
    setText(VKF::CString());
}

void CInputField::focus()
{
    SetFocus(m_window);
}

void CInputField::remember(const VKF::CString& line)
{
    m_history.push_back(line);
    stopBrowsing();
}

void CInputField::recallOlder()
{
    auto count = static_cast<int32_t>(m_history.size());
    if (m_lastDirection == Direction::Down)
        ++m_stepsBack;
    int32_t index = count - m_stepsBack - 1;
    if (index < 0)
        return;
    showEntry(index);
    ++m_stepsBack;
    m_lastDirection = Direction::Up;
}

void CInputField::recallNewer()
{
    auto count = static_cast<int32_t>(m_history.size());
    if (m_lastDirection == Direction::Up)
        --m_stepsBack;
    int32_t index = count - m_stepsBack;
    if (index < count) {
        showEntry(index);
        --m_stepsBack;
        m_lastDirection = Direction::Down;
    } else {
        clear();
        stopBrowsing();
    }
}

void CInputField::onChanged() noexcept
{
    if (m_recalled)
        m_recalled = false;
    else
        stopBrowsing();
}

void CInputField::showEntry(int32_t index)
{
    m_recalled = true;
    setText(m_history[static_cast<size_t>(index)]);
    SendMessageW(m_window, EM_SETSEL, 0, -1);
}

void CInputField::stopBrowsing() noexcept
{
    m_stepsBack = 0;
    m_lastDirection = Direction::None;
}
