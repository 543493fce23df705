// The cubic solver window: A*x^3 + B*x^2 + C*x + D = 0, all three roots.
#pragma once

#include "solvers/solver_window.h"

class CCubicSolver : public CSolverWindow {
public:
    explicit CCubicSolver(CToolWindowHost& host);

protected:
    std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                    const std::vector<VKCL::CValue>& coefficients) override;
};
