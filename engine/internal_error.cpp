// The message of an error that only a programming error can cause.
#include "engine/internal_error.h"

#include "engine/language_error.h"
#include "engine/web_site.h"

namespace VKCL {

void throwInternalError(InternalError error)
{
    // The numbers are small and positive; written digit by digit to stay locale-free.
    VKF::UChar digits[12];
    int count = 0;
    auto number = unsigned(error);
    do {
        digits[count++] = VKF::UChar(VKF_T('0') + number % 10);
        number /= 10;
    } while (number != 0);
    VKF::CString message(VKF_T("Internal error "));
    while (count > 0)
        message += digits[--count];
    message += VKF_T(". Please visit ");
    message += WEB_SITE_ADDRESS;
    message += VKF_T(" and report the error.");
    fail(message);
}

} // namespace VKCL
