// The plot dialogs: a new expression or parametrized-vector plot, with its ranges, weight and colour.
#include "graph/windows/plot_dialog.h"

#include <commdlg.h>

#include <utility>

#include "foundation/exception.h"
#include "host/dialog_check.h"
#include "host/tool_window_host.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t* const WEIGHTS[] = {L"Thin", L"Medium", L"Thick"};

// The colour chooser opens fully, without a preselected colour; its custom colours live for the
// whole run and are shared by every plot dialog.
constexpr DWORD CHOOSER_FLAGS = CC_FULLOPEN | CC_ANYCOLOR;
static_assert(CHOOSER_FLAGS == 0x102);
static_assert(sizeof(void*) != 4 || sizeof(CHOOSECOLORW) == 36);
COLORREF customColours[16] = {
    RGB(0, 0, 0),  RGB(85, 0, 0),   RGB(170, 0, 0),   RGB(0, 0, 0),  RGB(0, 85, 0),  RGB(0, 170, 0),
    RGB(0, 0, 0),  RGB(0, 0, 85),   RGB(0, 0, 170),   RGB(0, 0, 0),  RGB(85, 85, 0), RGB(170, 170, 0),
    RGB(0, 0, 0),  RGB(0, 85, 85),  RGB(170, 0, 85),  RGB(85, 0, 175),
};

// Each "Use default" box with the range controls it stands for.
struct CDefaultBox {
    int box;
    int controls[4];
};
const CDefaultBox DEFAULT_BOXES[] = {
    {IDC_PLOT_X_DEFAULT, {IDC_PLOT_X_FROM, IDC_PLOT_X_TO, IDC_PLOT_X_FROM_LABEL, IDC_PLOT_X_TO_LABEL}},
    {IDC_PLOT_Y_DEFAULT, {IDC_PLOT_Y_FROM, IDC_PLOT_Y_TO, IDC_PLOT_Y_FROM_LABEL, IDC_PLOT_Y_TO_LABEL}},
};

// Clears the open-dialog mark however the dialog ends.
class COpenMark {
public:
    COpenMark(const CPlotDialog*& mark, const CPlotDialog& dialog) noexcept : m_mark(mark) { m_mark = &dialog; }
    ~COpenMark() { m_mark = nullptr; }
    COpenMark(const COpenMark&) = delete;
    COpenMark& operator=(const COpenMark&) = delete;

private:
    const CPlotDialog*& m_mark;
};

} // namespace

std::optional<CPlotSetup> CPlotDialog::ask(CToolWindowHost& host, HWND owner, PlotKind kind)
{
    if (isOpen()) {
        MessageBoxW(owner, PLOT_SETUP_ALREADY_OPEN, ERROR_TITLE, MB_OK);
        return std::nullopt;
    }
    CPlotDialog dialog(host, kind);
    COpenMark mark(s_open, dialog);
    if (dialog.runModal(kind == PlotKind::Vector ? IDD_PLOT_VECTOR : IDD_PLOT_EXPRESSION, owner) != 1)
        return std::nullopt;
    return std::move(dialog.m_accepted);
}

// Both boxes are clicked once, which checks them and disables their ranges.
INT_PTR CPlotDialog::onInit()
{
    SendDlgItemMessageW(m_window, IDC_PLOT_X_DEFAULT, BM_CLICK, 0, 0);
    SendDlgItemMessageW(m_window, IDC_PLOT_Y_DEFAULT, BM_CLICK, 0, 0);
    for (const wchar_t* weight : WEIGHTS)
        SendDlgItemMessageW(m_window, IDC_PLOT_WEIGHT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(weight));
    SendDlgItemMessageW(m_window, IDC_PLOT_WEIGHT, CB_SETCURSEL, 0, 0);
    return TRUE;
}

// Escape's IDCANCEL is not taken: only "Cancel" and the close box end the dialog without a plot.
INT_PTR CPlotDialog::onCommand(int code, int id, HWND)
{
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_PLOT_X_DEFAULT:
    case IDC_PLOT_Y_DEFAULT: toggleDefault(id); break;
    case IDC_PLOT_COLOUR: chooseColour(); break;
    case IDC_PLOT_OK: accept(); break;
    case IDC_PLOT_CANCEL: PostMessageW(m_window, WM_CLOSE, 0, 0); break;
    default: return FALSE;
    }
    return TRUE;
}

INT_PTR CPlotDialog::onClose()
{
    EndDialog(m_window, 0);
    return TRUE;
}

void CPlotDialog::onError(const VKF::CException& error)
{
    showErrorBox(m_window, error, ERROR_TITLE, MB_OK | MB_ICONERROR);
}

void CPlotDialog::toggleDefault(int box)
{
    const bool wasChecked = IsDlgButtonChecked(m_window, box) == BST_CHECKED;
    for (const CDefaultBox& defaultBox : DEFAULT_BOXES) {
        if (defaultBox.box != box)
            continue;
        for (int control : defaultBox.controls)
            EnableWindow(GetDlgItem(m_window, control), wasChecked);
    }
    CheckDlgButton(m_window, box, wasChecked ? BST_UNCHECKED : BST_CHECKED);
}

void CPlotDialog::chooseColour()
{
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = m_window;
    chooser.lpCustColors = customColours;
    chooser.Flags = CHOOSER_FLAGS;
    if (!ChooseColorW(&chooser))
        return;
    // The beep confirms that the colour was taken: the dialog shows no sample of it.
    MessageBeep(0);
    m_colour = chooser.rgbResult;
}

void CPlotDialog::accept()
{
    m_accepted = runDialogCheck<CPlotSetup>(m_host, m_window,
                                            [&] { return acceptPlotSetup(m_host.calculator(), fields()); });
    if (m_accepted)
        EndDialog(m_window, 1);
}

CPlotDialogFields CPlotDialog::fields() const
{
    CPlotDialogFields fields;
    fields.kind = m_kind;
    if (m_kind == PlotKind::Expression) {
        fields.expression = itemText(IDC_PLOT_EXPRESSION);
    } else {
        fields.xExpression = itemText(IDC_PLOT_X_EXPRESSION);
        fields.yExpression = itemText(IDC_PLOT_Y_EXPRESSION);
    }
    fields.variable = itemText(IDC_PLOT_VARIABLE);
    fields.variableFrom = itemText(IDC_PLOT_VARIABLE_FROM);
    fields.variableTo = itemText(IDC_PLOT_VARIABLE_TO);
    fields.xAxisDefault = IsDlgButtonChecked(m_window, IDC_PLOT_X_DEFAULT) == BST_CHECKED;
    fields.xAxisFrom = itemText(IDC_PLOT_X_FROM);
    fields.xAxisTo = itemText(IDC_PLOT_X_TO);
    fields.yAxisDefault = IsDlgButtonChecked(m_window, IDC_PLOT_Y_DEFAULT) == BST_CHECKED;
    fields.yAxisFrom = itemText(IDC_PLOT_Y_FROM);
    fields.yAxisTo = itemText(IDC_PLOT_Y_TO);
    fields.weightIndex = static_cast<int32_t>(SendDlgItemMessageW(m_window, IDC_PLOT_WEIGHT, CB_GETCURSEL, 0, 0));
    fields.colour = m_colour;
    return fields;
}
