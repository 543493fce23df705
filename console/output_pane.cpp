// The console's output pane (COutputField): the record of every executed line, newest first.
#include "console/output_pane.h"

#include "foundation/exception.h"
#include "resources/resource_ids.h"

void COutputField::create()
{
    // ES_AUTOVSCROLL: without it the control refuses an insertion that makes it hold more lines
    // than it shows.
    createControl(IDC_OUTPUT_PANE,
                  WS_CHILD | WS_BORDER | WS_VSCROLL | ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL);
    ShowWindow(m_window, SW_SHOW);
    m_hasFileName = false;
}

// Inserting at the start lays out only the new lines, where setting the whole text again would lay
// out the whole session on every entry. Nothing is drawn until the pane shows its start again.
void COutputField::prepend(const VKF::CString& entry)
{
    int before = GetWindowTextLengthW(m_window);
    SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_window, EM_SETSEL, 0, 0);
    // Not undoable, so that the control keeps no copy of what it replaced.
    SendMessageW(m_window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(entry.characters()));
    int inserted = GetWindowTextLengthW(m_window) - before;
    // A control that cannot grow takes nothing, or part of the entry: take that part out again.
    if (inserted != entry.length() && inserted > 0) {
        SendMessageW(m_window, EM_SETSEL, 0, inserted);
        SendMessageW(m_window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
    SendMessageW(m_window, EM_SETSEL, 0, 0);
    SendMessageW(m_window, EM_SCROLLCARET, 0, 0);
    SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    if (inserted != entry.length())
        throw VKF::COutOfMemoryException();
}

// The control never shrinks its buffer on its own: it gets a new, empty one and the old is freed.
// Wine's control lays out a new buffer from the lines it held before, so the text is emptied the
// ordinary way first and the swap then replaces nothing by nothing.
void COutputField::clear()
{
    setText(VKF::CString());
    HLOCAL empty = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(wchar_t));
    if (empty == nullptr)
        throw VKF::COutOfMemoryException();
    auto old = reinterpret_cast<HLOCAL>(SendMessageW(m_window, EM_GETHANDLE, 0, 0));
    SendMessageW(m_window, EM_SETHANDLE, reinterpret_cast<WPARAM>(empty), 0);
    LocalFree(old);
}

void COutputField::setFileName(const VKF::CString& fileName)
{
    m_fileName = fileName;
    m_hasFileName = true;
}
