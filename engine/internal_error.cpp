// Messages for errors that only a programming error can cause.
#include "engine/internal_error.h"

#include "engine/web_site.h"
#include "foundation/exception.h"

namespace VKCL {

VKF::CString internalErrorMessage(int number)
{
    // The numbers in use are small and positive; written digit by digit to stay locale-free.
    VKF::UChar digits[12];
    int count = 0;
    unsigned magnitude = number < 0 ? 0u - unsigned(number) : unsigned(number);
    do {
        digits[count++] = VKF::UChar(VKF_T('0') + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    VKF::CString message(VKF_T("Internal error "));
    if (number < 0)
        message += VKF::UChar(VKF_T('-'));
    while (count > 0)
        message += digits[--count];
    message += VKF_T(". Please visit ");
    message += WEB_SITE_ADDRESS;
    message += VKF_T(" and report the error.");
    return message;
}

void throwInternalError(int number)
{
    throw CSyntaxException(internalErrorMessage(number));
}

} // namespace VKCL
