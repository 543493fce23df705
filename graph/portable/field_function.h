// The auxiliary function through which the plot and zoom dialogs evaluate their number fields.
#pragma once

#include "foundation/string.h"

// Each field's text becomes the body of ___dummy() in turn; the dialogs unassign it after a
// successful check.
inline const VKF::UChar* const FIELD_FUNCTION_NAME = VKF_T("___dummy");
