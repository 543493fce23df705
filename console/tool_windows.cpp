// The main window's four modeless tool windows: which exist, which are shown, and their keys.
#include "console/tool_windows.h"

#include "console/calculator_panel.h"
#include "console/greek_letters_panel.h"
#include "resources/resource_ids.h"
#include "solvers/cubic_solver.h"
#include "solvers/quadratic_solver.h"

// Each tool window plugs in here with its factory.
const std::array<SToolWindowEntry, TOOL_WINDOW_COUNT> TOOL_WINDOWS = {{
    { IDM_VIEW_GREEK_LETTERS, CGreekLettersPanel::create },
    { IDM_VIEW_CALCULATOR_PANEL, CCalculatorPanel::create },
    { IDM_SOLVE_QUADRATIC, CQuadraticSolver::create },
    { IDM_SOLVE_CUBIC, CCubicSolver::create },
}};

namespace {

size_t indexOf(TToolWindow which) noexcept
{
    return static_cast<size_t>(which);
}

} // namespace

void CToolWindows::set(TToolWindow which, std::unique_ptr<CDialog> window) noexcept
{
    m_windows[indexOf(which)] = std::move(window);
    m_shown[indexOf(which)] = false;
}

void CToolWindows::toggle(TToolWindow which, HMENU menu)
{
    size_t index = indexOf(which);
    HWND window = handle(which);
    bool show = !m_shown[index];
    if (window != nullptr)
        ShowWindow(window, show ? SW_SHOW : SW_HIDE);
    CheckMenuItem(menu, static_cast<UINT>(TOOL_WINDOWS[index].command),
                  MF_BYCOMMAND | (show ? MF_CHECKED : MF_UNCHECKED));
    m_shown[index] = show;
}

bool CToolWindows::isShown(TToolWindow which) const noexcept
{
    return m_shown[indexOf(which)];
}

HWND CToolWindows::handle(TToolWindow which) const noexcept
{
    const auto& window = m_windows[indexOf(which)];
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
