// Real sine, cosine and tangent: exact reduction, a short double-double evaluation whose rounding
// is checked, and libquadmath where the check cannot decide.
#include "engine/trigonometry.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "engine/double_double.h"
#include "engine/fallback_count.h"

namespace VKCL::trigonometry {

namespace {

// pi/2 in pieces of 33 bits (n * piece is exact for n < 2^20) and a last full double.
constexpr double PIO2_1 = 1.57079632673412561417e+00;
constexpr double PIO2_2 = 6.07710050630396597660e-11;
constexpr double PIO2_3 = 2.02226624871116645580e-21;
constexpr double PIO2_3T = 8.47842766036889956997e-32;
constexpr double TWO_OVER_PI = 6.36619772367581382433e-01;
constexpr DD PIO2 = {1.5707963267948966, 6.123233995736766e-17};
// Below this the pieces above reduce exactly enough; beyond it the reduction is done in fixed point.
constexpr double MEDIUM_LIMIT = 823549.0;
// Multiples of pi/2 that get exact zeros lie below this (a unit in the last place is 2^-30 here).
constexpr double MULTIPLE_LIMIT = 8388608.0;
// Arguments whose sine is x and whose cosine is 1 after rounding.
constexpr double TINY = 0x1p-27;

// Binary digits of 2/pi, most significant first: enough for the exponent of any double.
const uint32_t TWO_OVER_PI_DIGITS[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041,
    0xFE5163AB, 0xDEBBC561, 0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C,
    0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484, 0xE99C7026, 0xB45F7E41,
    0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D,
    0x7527BAC7, 0xEBE5F17B, 0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08,
    0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};
constexpr int DIGIT_WORDS = int(sizeof(TWO_OVER_PI_DIGITS) / sizeof(uint32_t));

uint32_t digitWord(int index)
{
    return index >= 0 && index < DIGIT_WORDS ? TWO_OVER_PI_DIGITS[index] : 0;
}

// The 32 binary digits of 2/pi from the one worth 2^-first on (digits before the point are 0).
uint32_t twoOverPiDigits(int first)
{
    const int offset = first - 1;
    const int word = offset >= 0 ? offset / 32 : -((31 - offset) / 32);
    const int shift = offset - 32 * word;
    const uint64_t pair = (uint64_t(digitWord(word)) << 32) | digitWord(word + 1);
    return uint32_t((pair << shift) >> 32);
}

// x = n * pi/2 + r for any finite x: x * 2/pi is formed in fixed point from the 224 digits of 2/pi
// beyond those that only add whole turns, so no digit of r is lost however large x is.
void reduceLarge(double x, CReducedAngle& angle)
{
    int binaryExponent = 0;
    const double fraction = std::frexp(std::fabs(x), &binaryExponent);
    const auto mantissa = uint64_t(std::ldexp(fraction, 53));
    const int exponent = binaryExponent - 53;
    // Window of 2/pi, least significant word first, scaled so that the product counts 2^-222 units.
    uint32_t window[7];
    for (int j = 0; j < 7; ++j)
        window[6 - j] = twoOverPiDigits(exponent - 1 + 32 * j);
    const uint32_t mantissaWords[2] = {uint32_t(mantissa), uint32_t(mantissa >> 32)};
    uint32_t product[7] = {};
    for (int i = 0; i < 2; ++i) {
        uint64_t carry = 0;
        for (int j = 0; i + j < 7; ++j) {
            const uint64_t sum = uint64_t(mantissaWords[i]) * window[j] + product[i + j] + carry;
            product[i + j] = uint32_t(sum);
            carry = sum >> 32;
        }
    }
    // The top two digits count quarter turns; the 222 below are the fraction of one.
    int quarters = int(product[6] >> 30);
    product[6] &= 0x3FFFFFFF;
    bool negative = false;
    if ((product[6] & 0x20000000) != 0) {
        // Past half a quarter: measure back from the next quarter instead.
        quarters = (quarters + 1) & 3;
        negative = true;
        uint64_t borrow = 1;
        for (uint32_t& word : product) {
            const uint64_t value = uint64_t(uint32_t(~word)) + borrow;
            word = uint32_t(value);
            borrow = value >> 32;
        }
        product[6] &= 0x3FFFFFFF;
    }
    int top = 6;
    while (top > 0 && product[top] == 0)
        --top;
    DD turns = {0, 0};
    for (int j = top; j >= 0 && j > top - 3; --j)
        turns = add(turns, std::ldexp(double(product[j]), 32 * j - 222));
    const DD r = multiply(turns, PIO2);
    const bool flip = negative != (x < 0);
    angle.high = flip ? -r.high : r.high;
    angle.low = flip ? -r.low : r.low;
    angle.quarterTurns = x < 0 ? (4 - quarters) & 3 : quarters;
}

// sin(k/64) and cos(k/64) for k = 0..51, from 113-bit values.
struct CTableEntry {
    DD sine, cosine;
};

const std::array<CTableEntry, 52>& table()
{
    static const auto entries = [] {
        std::array<CTableEntry, 52> values;
        for (int k = 0; k < 52; ++k) {
            const __float128 a = __float128(k) / 64;
            values[k] = {fromQuad(sinq(a)), fromQuad(cosq(a))};
        }
        return values;
    }();
    return entries;
}

// Rounds to the nearest whole number (ties to even) for |x| < 2^51, in the default rounding mode.
double nearestWhole(double x)
{
    constexpr double SHIFT = 0x1.8p52;
    return (x + SHIFT) - SHIFT;
}

// sin r (or cos r) for |r| <= pi/4 + a little, r = high + low: r = a + b with a = k/64 from the
// table and |b| <= 1/128, so that the series of b need only their first terms:
// sin(a + b) = sin a + cos a * b + sin a (cos b - 1) + cos a (sin b - b); cosine alike.
// b^2 / 2 and the products with cos b - 1 are kept in double-double: their rounding in doubles
// (2^-67) was the largest error. What is left: sin b - b (< 2^-23.6) rounded within 2^-68 of the
// result, the series' next terms below 2^-71.
DD sineOrCosine(double high, double low, bool cosine)
{
    const double k = nearestWhole(high * 64);
    const CTableEntry& entry = table()[int(std::fabs(k))];
    const DD sa = k < 0 ? negate(entry.sine) : entry.sine;
    const DD ca = entry.cosine;
    const double bHigh = high - k / 64;   // exact
    const double b = bHigh + low;
    const double b2 = b * b;
    const DD square = add(multiply(bHigh, bHigh), 2 * bHigh * low);
    const DD cosMinusOne = add(scaled(negate(square), 0.5), b2 * b2 * (1.0 / 24 + b2 * (-1.0 / 720 + b2 / 40320)));
    const double sinMinusB = b * b2 * (-1.0 / 6 + b2 * (1.0 / 120 + b2 * (-1.0 / 5040)));
    if (cosine) {
        const DD sb = add(multiply(sa.high, bHigh), sa.low * bHigh + sa.high * low);
        return add(add(add(ca, negate(sb)), multiply(ca, cosMinusOne)), -sa.high * sinMinusB);
    }
    const DD cb = add(multiply(ca.high, bHigh), ca.low * bHigh + ca.high * low);
    return add(add(add(sa, cb), multiply(sa, cosMinusOne)), ca.high * sinMinusB);
}

// sin x for quarterTurns 0, cos for 1, -sin for 2, -cos for 3 of the reduced angle.
DD quarterTurnValue(const CReducedAngle& angle, int quarterTurns)
{
    const DD value = sineOrCosine(angle.high, angle.low, quarterTurns % 2 == 1);
    return quarterTurns >= 2 ? negate(value) : value;
}

double quadToDouble(__float128 value)
{
    countFallback();
    return double(value);
}

} // namespace

CReducedAngle reduce(double x)
{
    CReducedAngle angle;
    if (!(std::fabs(x) > 0.78539816339744828)) {
        angle.high = x;
        return angle;
    }
    if (std::fabs(x) < MEDIUM_LIMIT) {
        const double n = nearestWhole(x * TWO_OVER_PI);
        const double y = x - n * PIO2_1;   // exact
        DD r = twoSum(y, -n * PIO2_2);
        r = add(r, -n * PIO2_3);
        r.low -= n * PIO2_3T;
        r = fastTwoSum(r.high, r.low);
        angle.high = r.high;
        angle.low = r.low;
        angle.quarterTurns = int(int64_t(n) & 3);
    } else {
        reduceLarge(x, angle);
    }
    if (std::fabs(x) < MULTIPLE_LIMIT && std::fabs(angle.high) < 0x1p-29)
        angle.onMultiple = std::fabs(angle.high) <= std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x);
    return angle;
}

CSineCosine sineCosine(double high, double low)
{
    CReducedAngle angle = reduce(high);
    if (low != 0) {
        const DD shifted = add(DD{angle.high, angle.low}, low);
        angle.high = shifted.high;
        angle.low = shifted.low;
    }
    CSineCosine result = {quarterTurnValue(angle, angle.quarterTurns),
                          quarterTurnValue(angle, (angle.quarterTurns + 1) & 3)};
    if (angle.onMultiple)
        (angle.quarterTurns % 2 == 0 ? result.sine : result.cosine) = {0, 0};
    return result;
}

double sine(double x)
{
    if (std::fabs(x) < TINY || !std::isfinite(x))
        return x;
    const CReducedAngle angle = reduce(x);
    if (angle.onMultiple && angle.quarterTurns % 2 == 0)
        return 0;
    double result = 0;
    if (roundsSafely(quarterTurnValue(angle, angle.quarterTurns), ERROR_BOUND, result))
        return result;
    return quadToDouble(sinq(x));
}

double cosine(double x)
{
    if (std::fabs(x) < TINY || !std::isfinite(x))
        return std::isfinite(x) ? 1.0 : x;
    const CReducedAngle angle = reduce(x);
    if (angle.onMultiple && angle.quarterTurns % 2 == 1)
        return 0;
    // cos x = sin(x + pi/2): one quarter turn more.
    double result = 0;
    if (roundsSafely(quarterTurnValue(angle, (angle.quarterTurns + 1) & 3), ERROR_BOUND, result))
        return result;
    return quadToDouble(cosq(x));
}

bool tangent(double x, double& result)
{
    if (std::fabs(x) < TINY || !std::isfinite(x)) {
        result = x;
        return true;
    }
    const CReducedAngle angle = reduce(x);
    const bool odd = angle.quarterTurns % 2 == 1;
    if (angle.onMultiple) {
        result = 0;
        return !odd;
    }
    const DD s = sineOrCosine(angle.high, angle.low, false), c = sineOrCosine(angle.high, angle.low, true);
    const DD quotient = odd ? negate(divide(c, s)) : divide(s, c);
    if (!roundsSafely(quotient, ERROR_BOUND, result))
        result = quadToDouble(tanq(x));
    return true;
}

__float128 sineQuad(__float128 x)
{
    const CReducedAngle angle = reduce(double(x));
    return angle.onMultiple && angle.quarterTurns % 2 == 0 ? 0 : sinq(x);
}

__float128 cosineQuad(__float128 x)
{
    const CReducedAngle angle = reduce(double(x));
    return angle.onMultiple && angle.quarterTurns % 2 == 1 ? 0 : cosq(x);
}

} // namespace VKCL::trigonometry
