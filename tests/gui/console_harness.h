// Drives a real main window in the test's own thread: message pumping, typed input, and the
// dialogs and message boxes that open while the test waits in their modal loops.
#pragma once

#include "console/application.h"
#include "console/console_window.h"
#include "host/display_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

std::wstring toWide(const VKF::CString& text);
std::wstring windowText(HWND window);
// UTF-8 for gtest's messages.
std::string narrow(const std::wstring& text);
// The side of a square picture; its pixels as 0xRRGGBB, top row first.
int bitmapSide(HBITMAP bitmap);
std::vector<std::uint32_t> bitmapPixels(HBITMAP bitmap);
// The program's display scale, checked against TALLIMEX_DISPLAY_DPI where the scaled runs of
// tests/gui/display_scaling_test.sh set it.
CDisplayScale displayScaleUnderTest();
// Clicks a button of a dialog as a user would: BM_CLICK, posted.
void clickButton(HWND dialog, int button);

// Answers the Save As dialog as a user would: picks the filter (counted from 1), types path and
// presses Save.
std::function<void(HWND dialog)> savingAs(const std::wstring& path, int filter = 1);

// The input line's history of executed lines, kept private from the program itself.
class CInputLineInspector {
public:
    static const std::vector<VKF::CString>& history(const CInputField& line) noexcept { return line.m_history; }
};

// The console with the engine's entry open to the test.
class CTestConsole : public CConsoleWindow {
public:
    // Replaces the engine for runStatement while set.
    std::function<void(const VKF::CString& line, VKF::CString& output)> statement;

protected:
    void runStatement(const VKF::CString& line, VKF::CString& output) override;
};

// Sees every dialog of the test's thread as it is activated (a thread-local CBT hook), remembers
// what it said, and a moment later, inside the dialog's own loop, does what the test asked for its
// caption. Dialogs without an action are closed with their first button of OK, Cancel, No.
class CDialogWatcher {
public:
    struct CDialogSeen {
        std::wstring caption;
        std::wstring text; // a message box's message
        HWND owner;
        bool hasIcon;
    };
    using Action = std::function<void(HWND dialog)>;

    CDialogWatcher();
    ~CDialogWatcher();
    CDialogWatcher(const CDialogWatcher&) = delete;
    CDialogWatcher& operator=(const CDialogWatcher&) = delete;

    // What to do with the next dialogs of that caption (an empty caption: of any caption); replaces
    // what was asked before.
    void on(const std::wstring& caption, Action action) { m_actions.emplace_back(caption, std::move(action)); }
    void answer(const std::wstring& caption, int button)
    {
        on(caption, [button](HWND dialog) { clickButton(dialog, button); });
    }

    const std::vector<CDialogSeen>& dialogs() const noexcept { return m_dialogs; }
    size_t count(const std::wstring& caption) const;
    // Each dialog seen as "caption: text", marked " (icon)" when it shows one and " (other owner)"
    // when it is not owned by owner.
    std::vector<std::wstring> seen(HWND owner) const;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void onActivate(HWND window);

    HHOOK m_hook;
    std::vector<std::pair<std::wstring, Action>> m_actions;
    std::vector<HWND> m_seen;
    std::vector<CDialogSeen> m_dialogs;
    std::vector<std::pair<HWND, Action>> m_pending;
    static inline CDialogWatcher* s_current = nullptr;
};

class ConsoleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void TearDown() override;

    // Creates and shows a new main window, with the program's tool windows, and lets it settle;
    // a window opened before is closed first.
    void open();
    void close();
    // Runs every waiting message through the program's loop logic.
    void pump();
    // As the keyboard delivers them: key down (translated into characters by the loop), key up.
    void pressKey(HWND window, UINT key);
    void typeText(HWND window, const std::wstring& text)
    {
        for (wchar_t character : text)
            PostMessageW(window, WM_CHAR, character, 1);
        pump();
    }
    // Types line into the input line and presses Enter.
    void enterLine(const std::wstring& line)
    {
        typeText(inputLine(), line);
        pressKey(inputLine(), VK_RETURN);
    }
    void command(int id)
    {
        SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        pump();
    }
    // While set, the thread's keyboard state shows the Control key held down.
    void holdControl(bool down);
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

    HWND mainWindow() const { return m_console->handle(); }
    HWND inputLine() const { return m_console->inputLine().handle(); }
    HWND outputPane() const { return m_console->outputPane().handle(); }
    HWND toolWindow(ToolWindow which) const { return m_console->toolWindows().handle(which); }
    std::wstring inputText() const { return windowText(inputLine()); }
    std::wstring paneText() const { return windowText(outputPane()); }
    static std::wstring itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }
    UINT menuState(int id) const { return GetMenuState(GetMenu(mainWindow()), static_cast<UINT>(id), MF_BYCOMMAND); }
    bool isChecked(int id) const { return (menuState(id) & MF_CHECKED) != 0; }
    bool isGrayed(int id) const { return (menuState(id) & MF_GRAYED) != 0; }

    std::unique_ptr<CTestConsole> m_console;
    static inline HACCEL s_accelerators = nullptr;
    bool m_quitSeen = false;
};
