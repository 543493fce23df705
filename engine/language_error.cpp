// The one way the engine throws an error of the calculator language.
#include "engine/language_error.h"

#include "foundation/exception.h"

namespace VKCL {

VKF::CString named(const VKF::UChar* before, CNameView name, const VKF::UChar* after)
{
    VKF::CString text(before);
    text.append(name.data(), int32_t(name.size()));
    text += after;
    return text;
}

void fail(const VKF::UChar* message)
{
    throw CSyntaxException(VKF::CString(message));
}

void fail(const VKF::CString& message)
{
    throw CSyntaxException(message);
}

void failNamed(const VKF::UChar* before, CNameView name, const VKF::UChar* after)
{
    throw CSyntaxException(named(before, name, after));
}

} // namespace VKCL
