// Drives a real main window in the test's own thread: message pumping, typed input, message boxes.
#pragma once

#include "console/application.h"
#include "console/console_window.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

std::wstring toWide(const VKF::CString& text);
std::wstring windowText(HWND window);
// UTF-8 for gtest's messages.
std::string narrow(const std::wstring& text);

// The console with its two seams open to the test: the engine's entry and the tool windows.
class CTestConsole : public CConsoleWindow {
public:
    // Replaces the engine for runStatement while set.
    std::function<void(const VKF::CString& line, VKF::CString& output)> statement;
    // Tool windows to build instead of the program's own (null entries build nothing).
    std::array<std::function<std::unique_ptr<CDialog>(CConsoleWindow&)>, TOOL_WINDOW_COUNT> toolWindowFactories;

protected:
    void runStatement(const VKF::CString& line, VKF::CString& output) override;
    std::unique_ptr<CDialog> createToolWindow(TToolWindow which) override;
};

// A stand-in tool window (test dialog resource) whose close box calls the console's toggle.
class CTestToolWindow : public CDialog {
public:
    CTestToolWindow(CConsoleWindow& console, TToolWindow which) : m_console(console), m_which(which) {}
    static std::unique_ptr<CDialog> create(CConsoleWindow& console, TToolWindow which);

protected:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException&) override {}

private:
    CConsoleWindow& m_console;
    TToolWindow m_which;
};

// Answers every message box of the test's thread whose caption matches, by clicking one of its
// buttons, and remembers what each box said. A thread-local CBT hook sees each box as it is
// activated, inside the box's own message loop.
class CMessageBoxAnswerer {
public:
    struct SBox {
        std::wstring text;
        HWND owner;
        bool hasIcon;
    };

    CMessageBoxAnswerer(std::wstring caption, int button);
    ~CMessageBoxAnswerer();
    CMessageBoxAnswerer(const CMessageBoxAnswerer&) = delete;
    CMessageBoxAnswerer& operator=(const CMessageBoxAnswerer&) = delete;

    const std::vector<SBox>& boxes() const noexcept { return m_boxes; }
    // Runs while a box is open, before it is answered.
    std::function<void()> whileOpen;

private:
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    void onActivate(HWND window);

    std::wstring m_caption;
    int m_button;
    HHOOK m_hook;
    std::vector<HWND> m_seen;
    std::vector<SBox> m_boxes;
    static inline CMessageBoxAnswerer* s_current = nullptr;
};

class ConsoleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the main window of console and lets it settle.
    void open();
    // Runs every waiting message through the program's loop logic.
    void pump();
    // As the keyboard delivers them: key down (translated into characters by the loop), key up.
    void pressKey(HWND window, UINT key);
    void typeText(HWND window, const std::wstring& text);
    // Types line into the input line and presses Enter.
    void enterLine(const std::wstring& line);
    void command(int id);
    // While set, the thread's keyboard state shows the Control key held down.
    void holdControl(bool down);

    HWND mainWindow() const { return m_console->handle(); }
    HWND inputLine() const { return m_console->inputLine().handle(); }
    HWND outputPane() const { return m_console->outputPane().handle(); }
    std::wstring inputText() const { return windowText(inputLine()); }
    std::wstring paneText() const { return windowText(outputPane()); }
    UINT menuState(int id) const;
    bool isChecked(int id) const { return (menuState(id) & MF_CHECKED) != 0; }
    bool isGrayed(int id) const { return (menuState(id) & MF_GRAYED) != 0; }

    std::unique_ptr<CTestConsole> m_console;
    static inline HACCEL s_accelerators = nullptr;
    bool m_quitSeen = false;
};
