// Base classes that route window and dialog procedures to member functions of their objects.
#pragma once

#include <windows.h>

namespace VKF {
class CException;
}

// A window whose procedure is an object: the object comes as the creation parameter, is kept in
// GWLP_USERDATA from WM_NCCREATE on, and receives every later message through onMessage.
class CWindow {
public:
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND handle() const noexcept { return m_window; }

    // The procedure to register for classes whose windows are CWindow objects.
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    CWindow() = default;
    virtual ~CWindow() = default;

    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Reports an exception that a handler let escape; the message is then answered with 0.
    virtual void onError(const VKF::CException& error) = 0;

    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
};

// A dialog whose procedure is an object: the object comes as the dialog's init parameter and is
// kept in GWLP_USERDATA from WM_INITDIALOG on.
class CDialog {
public:
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog() = default;

    HWND handle() const noexcept { return m_window; }

    // Creates the dialog template resourceId as a modeless dialog of owner; null on failure.
    HWND createModeless(int resourceId, HWND owner);
    // Runs the dialog template resourceId modally and returns what it ended with.
    INT_PTR runModal(int resourceId, HWND owner);

protected:
    CDialog() = default;

    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Reports an exception that a handler let escape; the message is then answered with 0.
    virtual void onError(const VKF::CException& error) = 0;

    HWND m_window = nullptr;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The error box of the program's windows: the exception's text under the given title.
void showErrorBox(HWND owner, const VKF::CException& error, const wchar_t* title, UINT style);
