// The base of the modeless tool windows beside the console: created hidden, closed by hiding.
#pragma once

#include "host/tool_window_host.h"
#include "host/window.h"

#include <memory>

class CToolWindow : public CDialog {
protected:
    explicit CToolWindow(CToolWindowHost& host) noexcept : m_host(host) {}

    // The close box hides the window through the same toggle as its menu item.
    INT_PTR onClose() override;

    CToolWindowHost& m_host;
};

// A tool window of class Window from the dialog template resourceId, hidden, owned by the host's
// window.
template <typename Window, int resourceId>
std::unique_ptr<CToolWindow> createToolWindow(CToolWindowHost& host)
{
    auto window = std::make_unique<Window>(host);
    window->createModeless(resourceId, host.ownerWindow());
    return window;
}
