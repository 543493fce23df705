// What the quadratic and cubic solver windows share: coefficient fields in, root fields out.
#pragma once

#include "engine/value.h"
#include "foundation/dialog_message.h"
#include "host/tool_window.h"

#include <cstddef>
#include <vector>

namespace VKCL {
class CCalculator;
}

class CSolverWindow : public CToolWindow {
protected:
    // Reads the first coefficientCount of the fields A, B, C, D and fills the first rootCount
    // of X1, X2, X3.
    CSolverWindow(CToolWindowHost& host, size_t coefficientCount, size_t rootCount) noexcept;

    // The roots for the coefficient values, one per root field; throws VKF::CException.
    virtual std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                            const std::vector<VKCL::CValue>& coefficients) = 0;

    INT_PTR onCommand(int code, int id, HWND control) override;
    void onError(const VKF::CException& error) override;

private:
    void solve();
    // The roots, or the message for the first field that failed or for a failure while computing.
    CCheckOutcome<std::vector<VKCL::CValue>> compute();

    size_t m_coefficientCount;
    size_t m_rootCount;
};
