// The text form of a function call.
#include "engine/function_call.h"

namespace VKCL {

VKF::CString CFunctionCall::toString() const
{
    VKF::CString text = m_name;
    text += VKF::UChar(VKF_T('('));
    for (std::size_t k = 0; k < m_arguments.size(); ++k) {
        if (k > 0)
            text += VKF::UChar(VKF_T(','));
        text += m_arguments[k];
    }
    text += VKF::UChar(VKF_T(')'));
    return text;
}

} // namespace VKCL
