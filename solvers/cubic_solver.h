// The cubic solver window: A*x^3 + B*x^2 + C*x + D = 0, all three roots.
#pragma once

#include "solvers/solver_window.h"

#include <memory>

class CCubicSolver : public CSolverWindow {
public:
    explicit CCubicSolver(CToolWindowHost& host);

    // The window as a hidden modeless dialog owned by the host's window.
    static std::unique_ptr<CToolWindow> create(CToolWindowHost& host);

protected:
    std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                    const std::vector<VKCL::CValue>& coefficients) override;
};
