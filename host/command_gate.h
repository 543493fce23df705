// When the program's windows take a command: what a window and a dialog share.
#pragma once

#include <windows.h>

class CEngineWork;

// A command (a menu item, an accelerator, a button's click, Enter in the input line) runs only while
// its window is enabled, no command of that window is still running, and no engine work runs. A
// command that runs on is inside a modal loop it opened (a dialog or a box of its window), and engine
// work that runs on is inside the engine's question, so whatever is posted meanwhile, as macro and
// accessibility tools post it, is dropped without a word: no dialog of a window opens inside another
// of the same window, and nothing starts in the middle of a statement.
class CCommandGate {
public:
    CCommandGate(const CCommandGate&) = delete;
    CCommandGate& operator=(const CCommandGate&) = delete;

    // Runs command() unless the window refuses it now; then answers 0.
    template <typename Result, typename Command>
    Result runCommand(HWND window, Command command)
    {
        if (m_commandRunning || s_engineWork > 0 || !IsWindowEnabled(window))
            return 0;
        CRunning running(m_commandRunning);
        return command();
    }

    // True while engine work runs, also while its question is open.
    static bool engineWorkRuns() noexcept { return s_engineWork > 0; }

protected:
    CCommandGate() = default;
    ~CCommandGate() = default;

    // Menu items, accelerators and buttons' clicks; a window with private command messages adds them.
    virtual bool isCommand(UINT message, WPARAM wParam) const noexcept
    {
        return message == WM_COMMAND && HIWORD(wParam) <= 1;
    }

private:
    friend class CEngineWork;

    class CRunning {
    public:
        explicit CRunning(bool& flag) noexcept : m_flag(flag) { m_flag = true; }
        ~CRunning() { m_flag = false; }
        CRunning(const CRunning&) = delete;
        CRunning& operator=(const CRunning&) = delete;

    private:
        bool& m_flag;
    };

    template <typename Object, typename Result>
    friend Result routeMessage(HWND, UINT, WPARAM, LPARAM, Object*, Result(CALLBACK*)(HWND, UINT, WPARAM, LPARAM));

    bool m_commandRunning = false;
    // One engine per program, so one count: engine work nests only when refused.
    static inline int s_engineWork = 0;
};
