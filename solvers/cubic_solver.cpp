// The cubic solver window: A*x^3 + B*x^2 + C*x + D = 0, all three roots.
#include "solvers/cubic_solver.h"

#include "solvers/equation_solving.h"

CCubicSolver::CCubicSolver(CToolWindowHost& host) : CSolverWindow(host, 4, 3)
{
}

std::vector<VKCL::CValue> CCubicSolver::roots(VKCL::CCalculator& calculator,
                                              const std::vector<VKCL::CValue>& coefficients)
{
    auto found = VKCL::solveCubic(calculator, coefficients[0], coefficients[1], coefficients[2], coefficients[3]);
    return {found.begin(), found.end()};
}
