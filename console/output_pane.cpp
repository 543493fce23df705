// The console's output pane (COutputField): the record of every executed line, newest first.
#include "console/output_pane.h"

#include "resources/resource_ids.h"

void COutputField::create()
{
    createControl(IDC_OUTPUT_PANE, WS_CHILD | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE);
    ShowWindow(m_window, SW_SHOW);
    m_hasFileName = false;
}

// The whole text is replaced at once, which also scrolls the pane back to its newest entry.
void COutputField::prepend(const VKF::CString& entry)
{
    if (GetWindowTextLengthW(m_window) == 0)
        setText(entry);
    else
        setText(entry + text());
}

void COutputField::clear()
{
    setText(VKF::CString());
}

void COutputField::setFileName(const VKF::CString& fileName)
{
    m_fileName = fileName;
    m_hasFileName = true;
}
