// What the quadratic and cubic solver windows share: coefficient fields in, root fields out.
#include "solvers/solver_window.h"

#include "console/console_window.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"
#include "solvers/equation_solving.h"

#include <utility>

namespace {

constexpr int FIELD_CAPACITY = 512;
const wchar_t* const ERROR_TITLE = L"Error";
const wchar_t* const COMPUTING_FAILED = L"Error computing solutions.";

VKF::CString fieldText(HWND dialog, int field)
{
    wchar_t text[FIELD_CAPACITY] = {};
    int length = GetDlgItemTextW(dialog, field, text, FIELD_CAPACITY);
    return VKF::CString(text, length);
}

} // namespace

CSolverWindow::CSolverWindow(CConsoleWindow& console, TToolWindow which, std::vector<SCoefficient> coefficients,
                             std::vector<int> rootFields)
    : m_console(console), m_which(which), m_coefficients(std::move(coefficients)),
      m_rootFields(std::move(rootFields))
{
}

// Enter in a coefficient field presses the default button "Solve" through the loop's dialog keys.
INT_PTR CSolverWindow::onMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE: m_console.toggleToolWindow(m_which); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SOLVER_SOLVE && HIWORD(wParam) == BN_CLICKED)
            solve();
        return TRUE;
    default: return FALSE;
    }
}

void CSolverWindow::onError(const VKF::CException& error)
{
    VKF::CString title = error.toString();
    MessageBoxW(m_window, COMPUTING_FAILED, title.characters(), MB_OK);
}

// The engine is busy only while it computes: the boxes that report a failure come after, so that
// they do not hold the other windows off the engine.
void CSolverWindow::solve()
{
    SOutcome outcome;
    {
        CEngineWork work(m_console);
        if (work.refused())
            return;
        outcome = compute();
    }
    if (outcome.failedField != nullptr) {
        MessageBoxW(m_window, outcome.failedField, ERROR_TITLE, MB_OK);
        return;
    }
    if (outcome.failure) {
        MessageBoxW(m_window, COMPUTING_FAILED, outcome.failure->characters(), MB_OK);
        return;
    }
    // Only a complete solve changes the root fields.
    for (size_t index = 0; index < m_rootFields.size() && index < outcome.roots.size(); ++index) {
        VKF::CString text = outcome.roots[index].toString();
        SetDlgItemTextW(m_window, m_rootFields[index], text.characters());
    }
}

CSolverWindow::SOutcome CSolverWindow::compute()
{
    SOutcome outcome;
    std::vector<VKCL::CValue> values;
    for (const SCoefficient& coefficient : m_coefficients) {
        std::optional<VKCL::CValue> value =
            VKCL::evaluateCoefficient(m_console.calculator(), fieldText(m_window, coefficient.field));
        if (!value) {
            outcome.failedField = coefficient.failure;
            return outcome;
        }
        values.push_back(*value);
    }
    try {
        outcome.roots = roots(m_console.calculator(), values);
    } catch (const VKF::CException& error) {
        outcome.failure = error.toString();
    }
    return outcome;
}
