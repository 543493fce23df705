// What the quadratic and cubic solver windows share: coefficient fields in, root fields out.
#pragma once

#include "console/tool_windows.h"
#include "console/window.h"
#include "engine/value.h"
#include "foundation/string.h"

#include <optional>
#include <vector>

class CConsoleWindow;

namespace VKCL {
class CCalculator;
}

class CSolverWindow : public CDialog {
protected:
    struct SCoefficient {
        int field;
        const wchar_t* failure; // the message when the field cannot be evaluated
    };

    CSolverWindow(CConsoleWindow& console, TToolWindow which, std::vector<SCoefficient> coefficients,
                  std::vector<int> rootFields);

    // The roots for the coefficient values, one per root field; throws VKF::CException.
    virtual std::vector<VKCL::CValue> roots(VKCL::CCalculator& calculator,
                                            const std::vector<VKCL::CValue>& coefficients) = 0;

    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException& error) override;

private:
    // What one solve came to: the first field that failed, the text of a failure while
    // computing, or the roots.
    struct SOutcome {
        const wchar_t* failedField = nullptr;
        std::optional<VKF::CString> failure;
        std::vector<VKCL::CValue> roots;
    };

    void solve();
    SOutcome compute();

    CConsoleWindow& m_console;
    TToolWindow m_which;
    std::vector<SCoefficient> m_coefficients;
    std::vector<int> m_rootFields;
};
