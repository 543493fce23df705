// Window and dialog procedures that forward to objects, and the one place exceptions stop.
#include "console/window.h"

#include "foundation/exception.h"

#include <new>

namespace {

const wchar_t* const UNEXPECTED_EXCEPTION = L"Bug: an unexpected exception reached a window procedure.";

// Runs one message handler so that no exception unwinds into the window manager: whatever
// escapes is reported and the message answered with 0.
template<typename Handler, typename Report>
auto guarded(Handler handler, Report report) noexcept -> decltype(handler())
{
    try {
        return handler();
    } catch (const VKF::CException& error) {
        try { report(error); } catch (...) {}
    } catch (const std::bad_alloc&) {
        try { report(VKF::COutOfMemoryException()); } catch (...) {}
    } catch (...) {
        try { report(VKF::CException(UNEXPECTED_EXCEPTION)); } catch (...) {}
    }
    return 0;
}

} // namespace

LRESULT CALLBACK CWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* self;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = guarded([&] { return self->onMessage(message, wParam, lParam); },
                             [&](const VKF::CException& error) { self->onError(error); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
    }
    return result;
}

LRESULT CWindow::defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(m_window, message, wParam, lParam);
}

HWND CDialog::createModeless(int resourceId, HWND owner)
{
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                              dialogProcedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::runModal(int resourceId, HWND owner)
{
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), owner,
                           dialogProcedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr)
        return FALSE;

    INT_PTR result = guarded([&] { return self->onMessage(message, wParam, lParam); },
                             [&](const VKF::CException& error) { self->onError(error); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
    }
    return result;
}

void showErrorBox(HWND owner, const VKF::CException& error, const wchar_t* title, UINT style)
{
    VKF::CString text = error.toString();
    MessageBoxW(owner, text.characters(), title, style);
}
