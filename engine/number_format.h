// Numbers in the calculator's result notation: the general format with a three-digit exponent.
#pragma once

#include "foundation/string.h"

namespace VKCL {

// As the C conversion g with the given precision: significant digits correctly rounded
// (ties to even), trailing zeros and point dropped, exponent form below 1e-4 and from
// 10^significantDigits on, the exponent with sign and at least three digits ("1e+020").
// Negative zero prints as "0". The same text on every platform.
VKF::CString formatNumber(double value, int significantDigits);

// The significant digits of a result, and of the short form of the graph's ticks and coordinates.
constexpr int RESULT_DIGITS = 13;
constexpr int SHORT_DIGITS = 5;

inline VKF::CString formatShortNumber(double value)
{
    return formatNumber(value, SHORT_DIGITS);
}

} // namespace VKCL
