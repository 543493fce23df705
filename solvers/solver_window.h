// What the quadratic and cubic solver windows share: coefficient fields in, root fields out.
#pragma once

#include "engine/value.h"
#include "host/tool_window.h"
#include "foundation/string.h"

#include <cstddef>
#include <optional>
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
    // What one solve came to: the first field that failed, the text of a failure while
    // computing, or the roots.
    struct COutcome {
        const wchar_t* failedField = nullptr;
        std::optional<VKF::CString> failure;
        std::vector<VKCL::CValue> roots;
    };

    void solve();
    COutcome compute();

    size_t m_coefficientCount;
    size_t m_rootCount;
};
