// What a check of the user's input comes to: its result, or a message box to show instead.
#pragma once

#include <variant>

#include "foundation/string.h"

// The title of the program's error boxes.
inline const VKF::UChar* const ERROR_TITLE = VKF_T("Error");

// A message box that a check asks for: its text and title, shown with MB_OK.
class CDialogMessage {
public:
    VKF::CString text;
    VKF::CString title = ERROR_TITLE;
};

// Every check of the dialogs and the solver windows returns one of these; it throws only when out
// of memory.
template <typename Result>
using CCheckOutcome = std::variant<Result, CDialogMessage>;
