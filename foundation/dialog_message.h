// A message box that a dialog's check asks for: its text and title, shown with MB_OK.
#pragma once

#include "foundation/string.h"

inline const VKF::UChar* const MESSAGE_BOX_ERROR_TITLE = VKF_T("Error");

class CDialogMessage {
public:
    VKF::CString text;
    VKF::CString title = MESSAGE_BOX_ERROR_TITLE;
};
