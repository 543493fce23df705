// Window and dialog procedures that forward to objects, and the one place exceptions stop.
#include "host/window.h"

#include "foundation/exception.h"

#include <new>
#include <vector>

namespace {

const wchar_t* const UNEXPECTED_EXCEPTION = L"Bug: an unexpected exception reached a window procedure.";

// Runs one message handler so that no exception unwinds into the window manager: whatever
// escapes is reported and the message answered with 0.
template <typename Handler, typename Report>
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

INT_PTR CALLBACK noDialogProcedure(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

// The one routing of both procedures: created is the object on the message that introduces it
// (WM_NCCREATE, WM_INITDIALOG), null on every other; messages before it go to unattached. Commands
// pass the object's gate.
template <typename Object, typename Result>
Result routeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Object* created,
                    Result(CALLBACK* unattached)(HWND, UINT, WPARAM, LPARAM))
{
    Object* self = created;
    if (self != nullptr) {
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr)
        return unattached(window, message, wParam, lParam);

    auto handle = [&] {
        return guarded([&] { return self->onMessage(message, wParam, lParam); },
                       [&](const VKF::CException& error) { self->onError(error); });
    };
    Result result = self->isCommand(message, wParam) ? self->template runCommand<Result>(window, handle) : handle();
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
    }
    return result;
}

LRESULT CALLBACK CWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* created = message == WM_NCCREATE
                           ? static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)
                           : nullptr;
    return routeMessage(window, message, wParam, lParam, created, DefWindowProcW);
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
    CDialog* created = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam) : nullptr;
    return routeMessage(window, message, wParam, lParam, created, noDialogProcedure);
}

INT_PTR CDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return onInit();
    case WM_COMMAND: return onCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE: return onClose();
    default: return FALSE;
    }
}

VKF::CString CDialog::itemText(int id) const
{
    return controlText(GetDlgItem(m_window, id));
}

void showErrorBox(HWND owner, const VKF::CException& error, const wchar_t* title, UINT style)
{
    VKF::CString text = error.toString();
    MessageBoxW(owner, text.characters(), title, style);
}

VKF::CString controlText(HWND control)
{
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(control, buffer.data(), length + 1);
    return VKF::CString(buffer.data(), copied);
}
