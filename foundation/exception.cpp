// The exception family's texts.
#include "foundation/exception.h"

namespace VKF {

CString CException::toString() const
{
    if (m_message.isEmpty())
        return CString(VKF_T("Generic exception."));
    return m_message;
}

CString COutOfMemoryException::toString() const
{
    return CString(VKF_T("Out of memory."));
}

} // namespace VKF

namespace VKCL {

VKF::CString CSyntaxException::toString() const
{
    return message();
}

} // namespace VKCL
