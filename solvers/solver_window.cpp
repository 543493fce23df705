// What the quadratic and cubic solver windows share: coefficient fields in, root fields out.
#include "solvers/solver_window.h"

#include "engine/calculator.h"
#include "foundation/exception.h"
#include "host/dialog_check.h"
#include "resources/resource_ids.h"
#include "solvers/equation_solving.h"

namespace {

const wchar_t* const COMPUTING_FAILED = L"Error computing solutions.";

struct CCoefficient {
    int field;
    const wchar_t* failure; // the message when the field cannot be evaluated
};

const CCoefficient COEFFICIENTS[] = {
    {IDC_SOLVER_A, L"Error evaluating the 'A' field"},
    {IDC_SOLVER_B, L"Error evaluating the 'B' field"},
    {IDC_SOLVER_C, L"Error evaluating the 'C' field"},
    {IDC_SOLVER_D, L"Error evaluating the 'D' field"},
};

const int ROOT_FIELDS[] = {IDC_SOLVER_X1, IDC_SOLVER_X2, IDC_SOLVER_X3};

} // namespace

CSolverWindow::CSolverWindow(CToolWindowHost& host, size_t coefficientCount, size_t rootCount) noexcept
    : CToolWindow(host), m_coefficientCount(coefficientCount), m_rootCount(rootCount)
{
}

// Enter in a coefficient field presses the default button "Solve" through the loop's dialog keys.
INT_PTR CSolverWindow::onCommand(int code, int id, HWND)
{
    if (id == IDC_SOLVER_SOLVE && code == BN_CLICKED)
        solve();
    return TRUE;
}

void CSolverWindow::onError(const VKF::CException& error)
{
    VKF::CString title = error.toString();
    MessageBoxW(m_window, COMPUTING_FAILED, title.characters(), MB_OK);
}

// Only a complete solve changes the root fields.
void CSolverWindow::solve()
{
    const std::optional<std::vector<VKCL::CValue>> roots =
        runDialogCheck<std::vector<VKCL::CValue>>(m_host, m_window, [&] { return compute(); });
    if (!roots)
        return;
    for (size_t index = 0; index < m_rootCount && index < roots->size(); ++index) {
        VKF::CString text = (*roots)[index].toString();
        SetDlgItemTextW(m_window, ROOT_FIELDS[index], text.characters());
    }
}

// A failure while computing shows the engine's message as the box's title above a fixed text:
// the box reads as "what went wrong" first, then "where".
CCheckOutcome<std::vector<VKCL::CValue>> CSolverWindow::compute()
{
    std::vector<VKCL::CValue> values;
    for (size_t index = 0; index < m_coefficientCount; ++index) {
        const CCoefficient& coefficient = COEFFICIENTS[index];
        std::optional<VKCL::CValue> value =
            VKCL::evaluateCoefficient(m_host.calculator(), itemText(coefficient.field));
        if (!value)
            return CDialogMessage{coefficient.failure};
        values.push_back(*value);
    }
    try {
        return roots(m_host.calculator(), values);
    } catch (const VKF::CException& error) {
        return CDialogMessage{COMPUTING_FAILED, error.toString()};
    }
}
