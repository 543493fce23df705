// The quadratic solver window: A*x^2 + B*x + C = 0 with coefficients typed as expressions.
#pragma once

#include "solvers/solver_window.h"

class CQuadraticSolver : public CSolverWindow {
public:
    explicit CQuadraticSolver(CToolWindowHost& host);

protected:
    std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                    const std::vector<VKCL::CValue>& coefficients) override;
};
