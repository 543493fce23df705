// The maker's web-site address, named in internal-error messages and opened from the About box.
#pragma once

#include "foundation/string.h"

namespace VKCL {

inline const VKF::UChar* const WEB_SITE_ADDRESS = VKF_T("http://www.tallimex.example");

} // namespace VKCL
