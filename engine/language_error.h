// The one way the engine throws an error of the calculator language: a CSyntaxException with a
// fixed message, or with a message around a name. The messages stay beside the code that fails.
#pragma once

#include "engine/name_view.h"
#include "foundation/string.h"

namespace VKCL {

// before + name + after: every message and question that names a name.
VKF::CString named(const VKF::UChar* before, CNameView name, const VKF::UChar* after);

[[noreturn]] void fail(const VKF::UChar* message);
[[noreturn]] void fail(const VKF::CString& message);
[[noreturn]] void failNamed(const VKF::UChar* before, CNameView name, const VKF::UChar* after);

} // namespace VKCL
