// The main window's four modeless tool windows: which exist, which are shown, and their keys.
#include "console/tool_windows.h"

#include "console/calculator_panel.h"
#include "console/greek_letters_panel.h"
#include "resources/resource_ids.h"
#include "solvers/cubic_solver.h"
#include "solvers/quadratic_solver.h"

// Each tool window plugs in here with its factory.
const std::array<CToolWindowEntry, TOOL_WINDOW_COUNT> TOOL_WINDOWS = {{
    {IDM_VIEW_GREEK_LETTERS, createToolWindow<CGreekLettersPanel, IDD_GREEK_LETTERS>},
    {IDM_VIEW_CALCULATOR_PANEL, createToolWindow<CCalculatorPanel, IDD_CALCULATOR_PANEL>},
    {IDM_SOLVE_QUADRATIC, createToolWindow<CQuadraticSolver, IDD_QUADRATIC_SOLVER>},
    {IDM_SOLVE_CUBIC, createToolWindow<CCubicSolver, IDD_CUBIC_SOLVER>},
}};

void CToolWindows::create(CToolWindowHost& host)
{
    for (size_t index = 0; index < m_windows.size(); ++index) {
        m_windows[index] = TOOL_WINDOWS[index].create(host);
        m_shown[index] = false;
    }
}

void CToolWindows::toggle(ToolWindow which, HMENU menu)
{
    auto index = static_cast<size_t>(which);
    bool show = !m_shown[index];
    if (HWND window = handle(which))
        ShowWindow(window, show ? SW_SHOW : SW_HIDE);
    CheckMenuItem(menu, static_cast<UINT>(TOOL_WINDOWS[index].command),
                  MF_BYCOMMAND | (show ? MF_CHECKED : MF_UNCHECKED));
    m_shown[index] = show;
}

void CToolWindows::toggle(const CToolWindow& window, HMENU menu)
{
    for (size_t index = 0; index < m_windows.size(); ++index) {
        if (m_windows[index].get() == &window)
            toggle(static_cast<ToolWindow>(index), menu);
    }
}

HWND CToolWindows::handle(ToolWindow which) const noexcept
{
    const auto& window = m_windows[static_cast<size_t>(which)];
    return window != nullptr ? window->handle() : nullptr;
}

bool CToolWindows::isDialogMessage(MSG& message) const
{
    for (const auto& window : m_windows) {
        if (window != nullptr && window->handle() != nullptr && IsDialogMessageW(window->handle(), &message))
            return true;
    }
    return false;
}
