// The cubic solver window: A*x^3 + B*x^2 + C*x + D = 0, all three roots.
#include "solvers/cubic_solver.h"

#include "console/console_window.h"
#include "resources/resource_ids.h"
#include "solvers/equation_solving.h"

CCubicSolver::CCubicSolver(CConsoleWindow& console)
    : CSolverWindow(console, TToolWindow::CUBIC_SOLVER,
                    {{IDC_SOLVER_A, L"Error evaluating the 'A' field"},
                     {IDC_SOLVER_B, L"Error evaluating the 'B' field"},
                     {IDC_SOLVER_C, L"Error evaluating the 'C' field"},
                     {IDC_SOLVER_D, L"Error evaluating the 'D' field"}},
                    {IDC_SOLVER_X1, IDC_SOLVER_X2, IDC_SOLVER_X3})
{
}

std::unique_ptr<CDialog> CCubicSolver::create(CConsoleWindow& console)
{
    auto window = std::make_unique<CCubicSolver>(console);
    window->createModeless(IDD_CUBIC_SOLVER, console.handle());
    return window;
}

std::vector<VKCL::CValue> CCubicSolver::roots(VKCL::CCalculator& calculator,
                                              const std::vector<VKCL::CValue>& coefficients)
{
    auto found = VKCL::solveCubic(calculator, coefficients[0], coefficients[1], coefficients[2], coefficients[3]);
    return {found.begin(), found.end()};
}
