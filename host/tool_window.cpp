// The base of the modeless tool windows beside the console: created hidden, closed by hiding.
#include "host/tool_window.h"

void CToolWindow::createHidden(int resourceId)
{
    createModeless(resourceId, m_host.ownerWindow());
}

INT_PTR CToolWindow::onClose()
{
    m_host.toggleToolWindow(*this);
    return TRUE;
}
