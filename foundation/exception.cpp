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
    // Shown just when memory ran out: if even this text finds no room, show nothing rather
    // than throw again from the handler that reports the failure.
    try {
        return CString(VKF_T("Out of memory."));
    } catch (const COutOfMemoryException&) {
        return CString();
    }
}

} // namespace VKF

namespace VKCL {

VKF::CString CSyntaxException::toString() const
{
    return message();
}

} // namespace VKCL
