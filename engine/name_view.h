// A name as a run of UTF-16 units inside an expression or a string, compared unit by unit.
#pragma once

#include <string_view>

#include "foundation/string.h"

namespace VKCL {

using CNameView = std::basic_string_view<VKF::UChar>;

inline CNameView viewOf(const VKF::CString& name) noexcept
{
    return CNameView(name.characters(), std::size_t(name.length()));
}

} // namespace VKCL
