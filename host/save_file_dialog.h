// The save dialog behind the program's "Save as..." commands.
#pragma once

#include <windows.h>

#include <optional>

#include "foundation/string.h"

// A file the user chose to save to, and the filter (counted from 1) that was chosen with it.
class CSaveChoice {
public:
    VKF::CString path;
    DWORD filter = 1;
};

// Asks for a file with the save dialog, owned by owner: filters is the dialog's double-null-ended
// list, initialFilter the one it starts with (counted from 1), and extensions[k] the extension
// that filter k + 1 adds to a name that lacks it (null: none). Before an existing file would be
// replaced, asks whether to. Nothing when the user cancelled either question. The current
// directory stays where it is: the documentation is opened from there.
std::optional<CSaveChoice> askForSaveFile(HWND owner, const wchar_t* filters, DWORD initialFilter,
                                          const wchar_t* const* extensions);
