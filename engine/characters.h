// Character classes of the calculator language, independent of platform and locale.
#pragma once

#include <cstdint>

#include "foundation/string.h"

namespace VKCL {

// Letters beyond ASCII, looked up in a table of ranges.
bool isNonAsciiLetter(VKF::UChar unit) noexcept;

// Letters of every script in the Basic Multilingual Plane (Unicode general category L).
// Surrogate units are not letters, so a character beyond that plane is illegal in a name.
inline bool isLetter(VKF::UChar unit) noexcept
{
    const auto code = uint32_t(uint16_t(unit));
    if (code < 0x80)
        return ((code | 0x20) - uint32_t('a')) < 26;
    return isNonAsciiLetter(unit);
}

// Only '0' to '9': numbers are converted as ASCII decimal text.
constexpr bool isDigit(VKF::UChar unit) noexcept
{
    return unit >= VKF_T('0') && unit <= VKF_T('9');
}

constexpr bool isBlank(VKF::UChar unit) noexcept
{
    return unit == VKF_T(' ') || unit == VKF_T('\t');
}

// The integral sign, which starts a name so that formulas like ∫x can be named.
constexpr VKF::UChar INTEGRAL_SIGN = VKF::UChar(0x222B);

inline bool isNameStart(VKF::UChar unit) noexcept
{
    return isLetter(unit) || unit == VKF_T('_') || unit == INTEGRAL_SIGN;
}

inline bool isNameContinuation(VKF::UChar unit) noexcept
{
    return isNameStart(unit) || isDigit(unit);
}

} // namespace VKCL
