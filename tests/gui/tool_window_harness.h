// The console with the program's own tool windows, and what the tests of those windows share.
#pragma once

#include "console_harness.h"
#include "dialog_watcher.h"

#include <utility>

class ToolWindowTest : public ConsoleTest {
protected:
    // Opens the main window with the four tool windows the program builds.
    void openWithToolWindows()
    {
        for (size_t index = 0; index < TOOL_WINDOW_COUNT; ++index)
            m_console->toolWindowFactories[index] = TOOL_WINDOWS[index].create;
        open();
    }

    HWND toolWindow(TToolWindow which) const { return m_console->toolWindows().handle(which); }

    // A click on button id of dialog, as the button reports it.
    void click(HWND dialog, int id)
    {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        pump();
    }

    void setInput(const std::wstring& text, int selectionStart, int selectionEnd)
    {
        SetWindowTextW(inputLine(), text.c_str());
        SendMessageW(inputLine(), EM_SETSEL, static_cast<WPARAM>(selectionStart), selectionEnd);
        pump();
    }

    // Start and end of the input line's selection; equal when only the caret is there.
    std::pair<int, int> selection() const
    {
        DWORD start = 0, end = 0;
        SendMessageW(inputLine(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {static_cast<int>(start), static_cast<int>(end)};
    }

    static std::wstring itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }
};
