// The zoom dialog: new ranges and tick count for a graph's axes.
#include "graph/windows/zoom_dialog.h"

#include "foundation/exception.h"
#include "graph/portable/zoom_acceptance.h"
#include "host/dialog_check.h"
#include "host/tool_window_host.h"
#include "resources/resource_ids.h"

namespace {


// What the dialog ends with: OK, the close box, Cancel.
constexpr INT_PTR ACCEPTED = 1;
constexpr INT_PTR CLOSED = 0;
constexpr INT_PTR CANCELLED = 2;

} // namespace

std::optional<CGraphAxes> CZoomDialog::ask(CToolWindowHost& host, HWND owner, const CGraphAxes& axes)
{
    CZoomDialog dialog(host, axes);
    if (dialog.runModal(IDD_ZOOM, owner) != ACCEPTED)
        return std::nullopt;
    return dialog.m_axes;
}

INT_PTR CZoomDialog::onInit()
{
    const CZoomFields fields = zoomFields(m_axes);
    setFieldText(IDC_ZOOM_X_FROM, fields.xFrom);
    setFieldText(IDC_ZOOM_X_TO, fields.xTo);
    setFieldText(IDC_ZOOM_Y_FROM, fields.yFrom);
    setFieldText(IDC_ZOOM_Y_TO, fields.yTo);
    setFieldText(IDC_ZOOM_AXIS_VALUES, fields.axisValues);
    return TRUE;
}

// Every command is taken, so Escape's IDCANCEL does nothing.
INT_PTR CZoomDialog::onCommand(int code, int id, HWND)
{
    if (code != BN_CLICKED)
        return TRUE;
    if (id == IDC_ZOOM_OK && accept())
        EndDialog(m_window, ACCEPTED);
    else if (id == IDC_ZOOM_CANCEL)
        EndDialog(m_window, CANCELLED);
    return TRUE;
}

INT_PTR CZoomDialog::onClose()
{
    EndDialog(m_window, CLOSED);
    return TRUE;
}

void CZoomDialog::onError(const VKF::CException& error)
{
    showErrorBox(m_window, error, ERROR_TITLE, MB_OK | MB_ICONERROR);
}

bool CZoomDialog::accept()
{
    const std::optional<CGraphAxes> axes = runDialogCheck<CGraphAxes>(m_host, m_window, [&] {
        CZoomFields fields{itemText(IDC_ZOOM_X_FROM), itemText(IDC_ZOOM_X_TO), itemText(IDC_ZOOM_Y_FROM),
                           itemText(IDC_ZOOM_Y_TO), itemText(IDC_ZOOM_AXIS_VALUES)};
        return acceptZoom(m_host.calculator(), fields);
    });
    if (axes)
        m_axes = *axes;
    return axes.has_value();
}

void CZoomDialog::setFieldText(int id, const VKF::CString& text)
{
    SetDlgItemTextW(m_window, id, text.characters());
}
