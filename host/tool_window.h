// The base of the modeless tool windows beside the console: created hidden, closed by hiding.
#pragma once

#include "host/tool_window_host.h"
#include "host/window.h"

class CToolWindow : public CDialog {
protected:
    explicit CToolWindow(CToolWindowHost& host) noexcept : m_host(host) {}

    // Creates the dialog template resourceId, hidden, owned by the host's window.
    void createHidden(int resourceId);

    // The close box hides the window through the same toggle as its menu item.
    INT_PTR onClose() override;

    CToolWindowHost& m_host;
};
