// The base of the modeless tool windows beside the console: created hidden, closed by hiding.
#include "host/tool_window.h"

INT_PTR CToolWindow::onClose()
{
    m_host.toggleToolWindow(*this);
    return TRUE;
}
