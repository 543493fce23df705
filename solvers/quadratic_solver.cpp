// The quadratic solver window: A*x^2 + B*x + C = 0 with coefficients typed as expressions.
#include "solvers/quadratic_solver.h"

#include "console/console_window.h"
#include "resources/resource_ids.h"
#include "solvers/equation_solving.h"

CQuadraticSolver::CQuadraticSolver(CConsoleWindow& console)
    : CSolverWindow(console, TToolWindow::QUADRATIC_SOLVER,
                    {{IDC_SOLVER_A, L"Error evaluating the 'A' field"},
                     {IDC_SOLVER_B, L"Error evaluating the 'B' field"},
                     {IDC_SOLVER_C, L"Error evaluating the 'C' field"}},
                    {IDC_SOLVER_X1, IDC_SOLVER_X2})
{
}

std::unique_ptr<CDialog> CQuadraticSolver::create(CConsoleWindow& console)
{
    auto window = std::make_unique<CQuadraticSolver>(console);
    window->createModeless(IDD_QUADRATIC_SOLVER, console.handle());
    return window;
}

std::vector<VKCL::CValue> CQuadraticSolver::roots(VKCL::CCalculator& calculator,
                                                  const std::vector<VKCL::CValue>& coefficients)
{
    auto found = VKCL::solveQuadratic(calculator, coefficients[0], coefficients[1], coefficients[2]);
    return {found.begin(), found.end()};
}
