// Lets GoogleTest show VKF::CString values in failure messages as UTF-8.
#pragma once

#include <ostream>
#include <string>

#include "foundation/string.h"
#include "foundation/utf8.h"

namespace VKF {

inline void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << toUtf8(text) << '"';
}

} // namespace VKF
