// The main window's four modeless tool windows: which exist, which are shown, and their keys.
#pragma once

#include "host/tool_window.h"

#include <array>
#include <memory>

// In the order the message loop offers them their dialog keys.
enum class ToolWindow { GreekLetters, CalculatorPanel, QuadraticSolver, CubicSolver };
inline constexpr int TOOL_WINDOW_COUNT = 4;

// Builds one tool window as a hidden modeless dialog owned by the host's window.
using ToolWindowFactory = std::unique_ptr<CToolWindow> (*)(CToolWindowHost& host);

struct CToolWindowEntry {
    int command;              // the menu item that shows and hides it
    ToolWindowFactory create;
};

// The program's tool windows, indexed by ToolWindow.
extern const std::array<CToolWindowEntry, TOOL_WINDOW_COUNT> TOOL_WINDOWS;

class CToolWindows {
public:
    // Builds every tool window for host, hidden.
    void create(CToolWindowHost& host);

    // Shows a hidden window and checks its item, or hides it and unchecks the item.
    void toggle(ToolWindow which, HMENU menu);
    void toggle(const CToolWindow& window, HMENU menu);
    HWND handle(ToolWindow which) const noexcept;

    // Offers message to each window's dialog keyboard handling; true when one took it.
    bool isDialogMessage(MSG& message) const;

private:
    std::array<std::unique_ptr<CToolWindow>, TOOL_WINDOW_COUNT> m_windows;
    std::array<bool, TOOL_WINDOW_COUNT> m_shown{};
};
