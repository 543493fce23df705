// The quadratic solver window: A*x^2 + B*x + C = 0 with coefficients typed as expressions.
#pragma once

#include "solvers/solver_window.h"

#include <memory>

class CQuadraticSolver : public CSolverWindow {
public:
    explicit CQuadraticSolver(CToolWindowHost& host);

    // The window as a hidden modeless dialog owned by the host's window.
    static std::unique_ptr<CToolWindow> create(CToolWindowHost& host);

protected:
    std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                    const std::vector<VKCL::CValue>& coefficients) override;
};
