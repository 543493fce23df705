// The zoom dialog: new ranges and tick count for a graph's axes.
#pragma once

#include <optional>

#include "graph/portable/graph_axes.h"
#include "host/window.h"

class CToolWindowHost;

class CZoomDialog : public CDialog {
public:
    // Shows axes in a modal dialog owned by owner and returns the settings the user accepted with
    // OK, or nothing when the dialog was cancelled or closed.
    static std::optional<CGraphAxes> ask(CToolWindowHost& host, HWND owner, const CGraphAxes& axes);

private:
    CZoomDialog(CToolWindowHost& host, const CGraphAxes& axes) noexcept : m_host(host), m_axes(axes) {}

    INT_PTR onInit() override;
    INT_PTR onCommand(int code, int id, HWND control) override;
    INT_PTR onClose() override;
    void onError(const VKF::CException& error) override;

    // True when the fields gave new axes; otherwise the user has been told why.
    bool accept();
    void setFieldText(int id, const VKF::CString& text);

    CToolWindowHost& m_host;
    CGraphAxes m_axes;
};
