// How the engine asks the user a Yes/No question before it overwrites a name.
#pragma once

#include "foundation/string.h"

namespace VKCL {

// Caption under which front ends present the question.
inline const VKF::UChar* const CONFIRMATION_CAPTION = VKF_T("Prompt");

class CConfirmation {
public:
    virtual ~CConfirmation() = default;
    // True only for an explicit Yes.
    virtual bool confirm(const VKF::CString& question) = 0;
};

} // namespace VKCL
