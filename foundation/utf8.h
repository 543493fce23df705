// Conversion between the program's UTF-16 text and UTF-8 (file names and terminal text off Windows).
#pragma once

#include <string>

#include "foundation/string.h"

namespace VKF {

// Unpaired surrogates are written as U+FFFD.
std::string toUtf8(const CString& text);
// Throws CException naming the byte offset when bytes are not well-formed UTF-8.
CString fromUtf8(const std::string& bytes);

} // namespace VKF
