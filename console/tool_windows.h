// The main window's four modeless tool windows: which exist, which are shown, and their keys.
#pragma once

#include "console/window.h"

#include <array>
#include <memory>

class CConsoleWindow;

// In the order the message loop offers them their dialog keys.
enum class TToolWindow { GREEK_LETTERS, CALCULATOR_PANEL, QUADRATIC_SOLVER, CUBIC_SOLVER };
inline constexpr int TOOL_WINDOW_COUNT = 4;

// Builds one tool window as a hidden modeless dialog owned by the console's main window.
using ToolWindowFactory = std::unique_ptr<CDialog> (*)(CConsoleWindow& console);

struct SToolWindowEntry {
    int command;               // the menu item that shows and hides it
    ToolWindowFactory create;  // null while the window does not exist yet
};

// The program's tool windows, indexed by TToolWindow.
extern const std::array<SToolWindowEntry, TOOL_WINDOW_COUNT> TOOL_WINDOWS;

class CToolWindows {
public:
    // Takes the windows built while the main window is created; absent ones stay null.
    void set(TToolWindow which, std::unique_ptr<CDialog> window) noexcept;

    // Shows a hidden window and checks its item, or hides it and unchecks the item. A window that
    // does not exist still has its item checked and unchecked.
    void toggle(TToolWindow which, HMENU menu);
    bool isShown(TToolWindow which) const noexcept;
    HWND handle(TToolWindow which) const noexcept;

    // Offers message to each window's dialog keyboard handling; true when one took it.
    bool isDialogMessage(MSG& message) const;

private:
    std::array<std::unique_ptr<CDialog>, TOOL_WINDOW_COUNT> m_windows;
    std::array<bool, TOOL_WINDOW_COUNT> m_shown{};
};
