// Messages for errors that only a programming error can cause.
#pragma once

#include "foundation/string.h"

namespace VKCL {

// "Internal error <number>. Please visit <web site> and report the error."
VKF::CString internalErrorMessage(int number);

// Throws CSyntaxException with internalErrorMessage(number).
[[noreturn]] void throwInternalError(int number);

} // namespace VKCL
