// Base classes that route window and dialog procedures to member functions of their objects.
#pragma once

#include "foundation/string.h"
#include "host/command_gate.h"

#include <windows.h>

namespace VKF {
class CException;
}

// A window whose procedure is an object: the object comes as the creation parameter, is kept in
// GWLP_USERDATA from WM_NCCREATE on, and receives every later message through onMessage.
class CWindow : public CCommandGate {
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

private:
    template <typename Object, typename Result>
    friend Result routeMessage(HWND, UINT, WPARAM, LPARAM, Object*, Result(CALLBACK*)(HWND, UINT, WPARAM, LPARAM));
};

// A dialog whose procedure is an object: the object comes as the dialog's init parameter and is
// kept in GWLP_USERDATA from WM_INITDIALOG on. Its messages go to onInit, onCommand and onClose;
// a dialog overrides only those it handles (or onMessage, for other messages).
class CDialog : public CCommandGate {
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

    virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_INITDIALOG; TRUE lets the dialog manager set the focus.
    virtual INT_PTR onInit() { return TRUE; }
    // WM_COMMAND: the notification code, the control or menu id and the control's window.
    virtual INT_PTR onCommand(int, int, HWND) { return FALSE; }
    // WM_CLOSE, the close box.
    virtual INT_PTR onClose() { return FALSE; }
    // Reports an exception that a handler let escape; the message is then answered with 0.
    virtual void onError(const VKF::CException& error) = 0;

    // The whole text of the control id.
    VKF::CString itemText(int id) const;

    HWND m_window = nullptr;

private:
    static INT_PTR CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    template <typename Object, typename Result>
    friend Result routeMessage(HWND, UINT, WPARAM, LPARAM, Object*, Result(CALLBACK*)(HWND, UINT, WPARAM, LPARAM));
};

// The error box of the program's windows: the exception's text under the given title.
void showErrorBox(HWND owner, const VKF::CException& error, const wchar_t* title, UINT style);

// The whole text of a window or control, however long.
VKF::CString controlText(HWND control);
