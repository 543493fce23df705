// The quadratic solver window: A*x^2 + B*x + C = 0 with coefficients typed as expressions.
#include "solvers/quadratic_solver.h"

#include "solvers/equation_solving.h"

CQuadraticSolver::CQuadraticSolver(CToolWindowHost& host) : CSolverWindow(host, 3, 2)
{
}

std::vector<VKCL::CValue> CQuadraticSolver::roots(VKCL::CCalculator& calculator,
                                                  const std::vector<VKCL::CValue>& coefficients)
{
    auto found = VKCL::solveQuadratic(calculator, coefficients[0], coefficients[1], coefficients[2]);
    return {found.begin(), found.end()};
}
