// The save dialog behind the program's "Save as..." commands.
#include "host/save_file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "foundation/file.h"
#include "host/other_windows_disabled.h"

namespace {

constexpr DWORD FILE_NAME_CAPACITY = 512;

// The record's size comes from its declaration: on 32-bit Windows 88 bytes, the 76 of the
// original layout and the three fields Windows 2000 added (the places bar).
static_assert(sizeof(void*) != 4 || sizeof(OPENFILENAMEW) == 88);

} // namespace

std::optional<CSaveChoice> askForSaveFile(HWND owner, const wchar_t* filters, DWORD initialFilter,
                                          const wchar_t* const* extensions)
{
    std::vector<wchar_t> name(FILE_NAME_CAPACITY, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters;
    dialog.nFilterIndex = initialFilter;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = FILE_NAME_CAPACITY;
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_NOCHANGEDIR;
    // The dialog frees its state when it is accepted, before its loop ends: no other loop may run
    // above it then, or the messages it still gets call through that state.
    COtherWindowsDisabled others(owner);
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;

    CSaveChoice choice{VKF::CString(name.data()), dialog.nFilterIndex};
    const wchar_t* const extension = choice.filter >= 1 ? extensions[choice.filter - 1] : nullptr;
    if (extension != nullptr && !VKF::hasExtension(choice.path, extension))
        choice.path += extension;
    if (VKF::pathIsTaken(choice.path)
        && MessageBoxW(owner, L"Are you sure you want to overwrite?", L"File already exists", MB_YESNOCANCEL) != IDYES)
        return std::nullopt;
    return choice;
}
