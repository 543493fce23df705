// Exact decimal digits of a double, rounded to the requested precision and laid out as %g does.
// The digits are generated here rather than by the C library so that every platform prints alike.
#include "engine/number_format.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace VKCL {

namespace {

// A non-negative integer in base 10^9, least significant limb first.
class CBigDecimal {
public:
    explicit CBigDecimal(uint64_t value)
    {
        do {
            m_limbs.push_back(uint32_t(value % BASE));
            value /= BASE;
        } while (value != 0);
    }

    void multiply(uint32_t factor)
    {
        uint64_t carry = 0;
        for (uint32_t& limb : m_limbs) {
            const uint64_t product = uint64_t(limb) * factor + carry;
            limb = uint32_t(product % BASE);
            carry = product / BASE;
        }
        while (carry != 0) {
            m_limbs.push_back(uint32_t(carry % BASE));
            carry /= BASE;
        }
    }

    void multiplyByPowerOfTwo(int exponent)
    {
        for (; exponent >= 31; exponent -= 31)
            multiply(uint32_t(1) << 31);
        if (exponent > 0)
            multiply(uint32_t(1) << exponent);
    }

    void multiplyByPowerOfFive(int exponent)
    {
        for (; exponent >= 13; exponent -= 13)
            multiply(1220703125u); // 5^13
        uint32_t factor = 1;
        for (; exponent > 0; --exponent)
            factor *= 5;
        multiply(factor);
    }

    std::string digits() const
    {
        std::string text = std::to_string(m_limbs.back());
        for (auto limb = m_limbs.rbegin() + 1; limb != m_limbs.rend(); ++limb) {
            const std::string part = std::to_string(*limb);
            text.append(9 - part.size(), '0');
            text += part;
        }
        return text;
    }

private:
    static constexpr uint64_t BASE = 1000000000;
    std::vector<uint32_t> m_limbs;
};

// The significant digits of a finite positive number, value = d.ddd × 10^exponent.
struct SDecimal {
    std::string digits;
    int exponent;
};

SDecimal exactDecimal(double value)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(value, &binaryExponent);
    auto mantissa = uint64_t(std::ldexp(fraction, 53));
    binaryExponent -= 53;
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++binaryExponent;
    }
    CBigDecimal number(mantissa);
    // m × 2^-k is (m × 5^k) / 10^k.
    int decimalShift = 0;
    if (binaryExponent >= 0) {
        number.multiplyByPowerOfTwo(binaryExponent);
    } else {
        number.multiplyByPowerOfFive(-binaryExponent);
        decimalShift = binaryExponent;
    }
    SDecimal result{number.digits(), 0};
    result.exponent = int(result.digits.size()) - 1 + decimalShift;
    return result;
}

// Rounds to precision digits, to nearest with ties to even; the exact expansion decides ties.
void roundDigits(SDecimal& decimal, int precision)
{
    std::string& digits = decimal.digits;
    if (int(digits.size()) <= precision) {
        digits.append(std::size_t(precision) - digits.size(), '0');
        return;
    }
    const char first = digits[std::size_t(precision)];
    bool up = first > '5';
    if (first == '5') {
        const bool beyondHalf = digits.find_first_not_of('0', std::size_t(precision) + 1) != std::string::npos;
        up = beyondHalf || (digits[std::size_t(precision) - 1] - '0') % 2 == 1;
    }
    digits.resize(std::size_t(precision));
    if (!up)
        return;
    int position = precision - 1;
    while (position >= 0 && digits[std::size_t(position)] == '9')
        digits[std::size_t(position--)] = '0';
    if (position >= 0) {
        ++digits[std::size_t(position)];
    } else {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++decimal.exponent;
    }
}

void stripTrailingZeros(std::string& text)
{
    const std::size_t last = text.find_last_not_of('0');
    text.erase(last == std::string::npos ? 0 : last + 1);
}

std::string formatPositive(double value, int precision)
{
    SDecimal decimal = exactDecimal(value);
    roundDigits(decimal, precision);
    const int exponent = decimal.exponent;
    std::string digits = decimal.digits;
    std::string text;
    if (exponent < -4 || exponent >= precision) {
        stripTrailingZeros(digits);
        text += digits[0];
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1, std::string::npos);
        }
        text += exponent < 0 ? "e-" : "e+";
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        text.append(magnitude.size() < 3 ? 3 - magnitude.size() : 0, '0');
        text += magnitude;
    } else if (exponent < 0) {
        stripTrailingZeros(digits);
        text = "0.";
        text.append(std::size_t(-exponent - 1), '0');
        text += digits;
    } else {
        text.assign(digits, 0, std::size_t(exponent) + 1);
        std::string fraction = digits.substr(std::size_t(exponent) + 1);
        stripTrailingZeros(fraction);
        if (!fraction.empty())
            text += '.' + fraction;
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
