// The console's output pane (COutputField): the record of every executed line, newest first.
#pragma once

#include "console/edit.h"

class COutputField : public CEdit {
public:
    using CEdit::CEdit;

    void create() override;

    // Puts entry above everything the pane shows, and shows the pane from its start.
    void prepend(const VKF::CString& entry);
    void clear();

    // Where "Save output" writes: nowhere until a file has been chosen once.
    bool hasFileName() const noexcept { return m_hasFileName; }
    const VKF::CString& fileName() const noexcept { return m_fileName; }
    void setFileName(const VKF::CString& fileName);

private:
    bool m_hasFileName = false;
    VKF::CString m_fileName;
};
