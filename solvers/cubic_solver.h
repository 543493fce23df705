// The cubic solver window: A*x^3 + B*x^2 + C*x + D = 0, all three roots.
#pragma once

#include "solvers/solver_window.h"

#include <memory>

class CCubicSolver : public CSolverWindow {
public:
    explicit CCubicSolver(CConsoleWindow& console);

    // The window as a hidden modeless dialog owned by the main window.
    static std::unique_ptr<CDialog> create(CConsoleWindow& console);

protected:
    std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                    const std::vector<VKCL::CValue>& coefficients) override;
};
