// The base of the console's two edit controls.
#pragma once

#include "foundation/string.h"

#include <windows.h>

class CConsoleWindow;

// One "EDIT" child of the main window.
class CEdit {
public:
    explicit CEdit(CConsoleWindow& console) noexcept : m_console(console) {}
    CEdit(const CEdit&) = delete;
    CEdit& operator=(const CEdit&) = delete;
    virtual ~CEdit() = default;

    // Creates the control as a child of the console's main window and shows it.
    virtual void create() = 0;

    HWND handle() const noexcept { return m_window; }
    void setFont(HFONT font);

    VKF::CString text() const;
    void setText(const VKF::CString& text);
    void move(int x, int y, int width, int height);

protected:
    // The control at (0, 0), 1 x 1 until the first layout.
    void createControl(int id, DWORD style);

    CConsoleWindow& m_console;
    HWND m_window = nullptr;
};
