// Numbers in the result notation: the standard library's general format, widened to a
// three-digit exponent.
#include "engine/number_format.h"

#include <charconv>
#include <cmath>
#include <string>

namespace VKCL {

namespace {

// Room beside the digits for a point, four leading zeros and an exponent.
constexpr std::size_t FORMAT_MARGIN = 16;
constexpr std::size_t EXPONENT_DIGITS = 3;

// The general format of a finite positive value. std::to_chars rounds correctly and ignores
// the locale, so every platform prints the same digits; only its exponent is narrower.
std::string formatPositive(double value, int precision)
{
    std::string text(std::size_t(precision) + FORMAT_MARGIN, '\0');
    const std::to_chars_result result = std::to_chars(text.data(), text.data() + text.size(), value,
                                                      std::chars_format::general, precision);
    text.resize(std::size_t(result.ptr - text.data()));
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        const std::size_t digits = text.size() - (e + 2);
        if (digits < EXPONENT_DIGITS)
            text.insert(e + 2, EXPONENT_DIGITS - digits, '0');
    }
    return text;
}

} // namespace

VKF::CString formatNumber(double value, int significantDigits)
{
    const int precision = significantDigits < 1 ? 1 : significantDigits;
    const bool negative = std::signbit(value) && value != 0 && !std::isnan(value);
    std::string text;
    if (std::isnan(value))
        text = "nan";
    else if (std::isinf(value))
        text = "inf";
    else if (value == 0)
        text = "0";
    else
        text = formatPositive(std::fabs(value), precision);
    std::basic_string<VKF::UChar> units;
    units.reserve(text.size() + 1);
    if (negative)
        units += VKF::UChar('-');
    for (char c : text)
        units += VKF::UChar(c);
    return VKF::CString(units.data(), int32_t(units.size()));
}

} // namespace VKCL
