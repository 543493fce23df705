// Complex values: arithmetic, the built-in functions and the result notation.
#include "engine/value.h"

#include <cmath>
#include <cstdint>

#include "engine/number_format.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

const VKF::UChar* const OVERFLOW_MESSAGE = VKF_T("Numeric overflow occured while calculating.");
const VKF::UChar* const UNDEFINED_MESSAGE = VKF_T("The result is undefined (not a number).");
const VKF::UChar* const DIVISION_BY_ZERO_MESSAGE = VKF_T("Division by zero.");
const VKF::UChar* const LN_OF_ZERO_MESSAGE = VKF_T("Cannot compute the natural logarithm (ln) of zero.");
const VKF::UChar* const LOG_OF_ZERO_MESSAGE = VKF_T("Cannot compute the logarithm (log) of zero.");
const VKF::UChar* const ARCSIN_DOMAIN_MESSAGE =
    VKF_T("Illegal parameter for arcsin, valid values are no less than -1 and no higher than 1.");
const VKF::UChar* const ARCCOS_DOMAIN_MESSAGE =
    VKF_T("Illegal parameter for arccos, valid values are no less than -1 and no higher than 1.");
const VKF::UChar* const ARG_OF_ZERO_MESSAGE = VKF_T("Parameter for function 'arg' cannot be zero.");
const VKF::UChar* const ARCTANH_POLE_MESSAGE = VKF_T("Cannot compute arctanh of 1 or -1.");

constexpr double PI = 3.141592653589793;
constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double E = 2.718281828459045;
constexpr double LN_10 = 2.302585092994046;
// Beyond this the period count no longer fits the 32-bit truncation of the reduction.
constexpr double REDUCTION_LIMIT = 2147483648.0;

[[noreturn]] void fail(const VKF::UChar* message)
{
    throw CSyntaxException(VKF::CString(message));
}

// sin(pi) as this platform's library computes it (not folded at compile time).
double platformSinOfPi()
{
    static const double value = [] {
        volatile double pi = PI;
        return std::fabs(std::sin(pi));
    }();
    return value;
}

// True when p survives truncation to a 32-bit integer and back.
bool isWhole32(double p)
{
    return p >= -REDUCTION_LIMIT && p < REDUCTION_LIMIT && double(int32_t(p)) == p;
}

CValue complexExp(const CValue& z)
{
    CValue result = z;
    result.exp();
    return result;
}

CValue complexLn(const CValue& z)
{
    CValue result = z;
    result.ln();
    return result;
}

CValue complexSqrt(const CValue& z)
{
    CValue result = z;
    result.sqrt();
    return result;
}

CValue product(const CValue& left, const CValue& right)
{
    CValue result = left;
    result.multiply(right);
    return result;
}

CValue sum(const CValue& left, const CValue& right)
{
    CValue result = left;
    result.add(right);
    return result;
}

CValue difference(const CValue& left, const CValue& right)
{
    CValue result = left;
    result.subtract(right);
    return result;
}

const CValue I(0, 1);
const CValue ONE(1, 0);

// Binary digits of 2/pi, most significant first: enough for the exponent of any double.
const uint32_t TWO_OVER_PI[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041,
    0xFE5163AB, 0xDEBBC561, 0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C,
    0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484, 0xE99C7026, 0xB45F7E41,
    0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D,
    0x7527BAC7, 0xEBE5F17B, 0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08,
    0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};
constexpr int TWO_OVER_PI_BITS = int(sizeof(TWO_OVER_PI) * 8);

// The 32 binary digits of 2/pi from the one worth 2^-first on (digits before the point are 0).
uint32_t twoOverPiDigits(int first)
{
    uint32_t digits = 0;
    for (int k = first; k < first + 32; ++k) {
        uint32_t digit = 0;
        if (k >= 1 && k <= TWO_OVER_PI_BITS)
            digit = (TWO_OVER_PI[(k - 1) / 32] >> (31 - (k - 1) % 32)) & 1;
        digits = (digits << 1) | digit;
    }
    return digits;
}

// A huge finite x as n quarter turns plus t, |t| <= pi/4. The library's own reduction is not to
// be trusted this far out (the 32-bit build's sine loses all digits by 1E19), so x * 2/pi is
// formed exactly enough in fixed point: 224 digits of 2/pi beyond those that only add whole turns.
void reduceHuge(double x, int& quarterTurns, double& t)
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
    double magnitude = 0;
    for (int j = top; j >= 0 && j > top - 3; --j)
        magnitude += std::ldexp(double(product[j]), 32 * j - 222);
    t = (negative ? -magnitude : magnitude) * HALF_PI;
    if (x < 0) {
        quarterTurns = (4 - quarters) & 3;
        t = -t;
    } else {
        quarterTurns = quarters;
    }
}

double sinOfHuge(double x)
{
    int quarters = 0;
    double t = 0;
    reduceHuge(x, quarters, t);
    switch (quarters) {
    case 0: return std::sin(t);
    case 1: return std::cos(t);
    case 2: return -std::sin(t);
    default: return -std::cos(t);
    }
}

double cosOfHuge(double x)
{
    int quarters = 0;
    double t = 0;
    reduceHuge(x, quarters, t);
    switch (quarters) {
    case 0: return std::cos(t);
    case 1: return -std::sin(t);
    case 2: return -std::cos(t);
    default: return std::sin(t);
    }
}

// acosh for x >= 1. Close to 1 it goes through log1p of x - 1 (exact there): one C library's
// acosh loses ten digits at 1 + 2^-52.
double accurateAcosh(double x)
{
    if (x < 2) {
        const double t = x - 1;
        return std::log1p(t + std::sqrt(t * (t + 2)));
    }
    return std::acosh(x);
}

} // namespace

CValue::CValue(double real, double imaginary)
{
    setValue(real, imaginary);
}

void CValue::setValue(double real, double imaginary)
{
    // Doubles are computed in SSE registers on every build, so a part that overflowed is
    // already infinite here.
    if (!std::isfinite(real) || !std::isfinite(imaginary)) [[unlikely]]
        fail(std::isinf(real) || std::isinf(imaginary) ? OVERFLOW_MESSAGE : UNDEFINED_MESSAGE);
    m_real = real;
    m_imaginary = imaginary;
}

void CValue::add(const CValue& other)
{
    setValue(m_real + other.m_real, m_imaginary + other.m_imaginary);
}

void CValue::subtract(const CValue& other)
{
    setValue(m_real - other.m_real, m_imaginary - other.m_imaginary);
}

void CValue::multiply(const CValue& other)
{
    const double a = m_real, b = m_imaginary, c = other.m_real, d = other.m_imaginary;
    if (b == 0 && d == 0)
        setValue(a * c, 0);
    else
        setValue(a * c - d * b, a * d + c * b);
}

void CValue::divide(const CValue& other)
{
    const double a = m_real, b = m_imaginary, c = other.m_real, d = other.m_imaginary;
    if (b == 0 && d == 0) {
        if (c == 0)
            fail(DIVISION_BY_ZERO_MESSAGE);
        setValue(a / c, 0);
        return;
    }
    const double n = c * c + d * d;
    if (n == 0)
        fail(DIVISION_BY_ZERO_MESSAGE);
    setValue((a * c + b * d) / n, (b * c - a * d) / n);
}

void CValue::power(const CValue& exponent)
{
    const double a = m_real, b = m_imaginary, p = exponent.m_real, q = exponent.m_imaginary;
    if (a == E && b == 0) {
        *this = complexExp(exponent);
        return;
    }
    if (b == 0 && q == 0 && (isWhole32(p) || a >= 0)) {
        setValue(std::pow(a, p), 0);
        return;
    }
    const double squaredModulus = a * a + b * b;
    const double modulusPower = std::pow(squaredModulus, p / 2);
    CValue angle = *this;
    angle.arg();
    const double A = angle.m_real;
    CValue radius = complexExp(CValue(-q * A, 0));
    radius.multiply(CValue(modulusPower, 0));
    // q == 0 leaves the logarithm out, so that a modulus lost to underflow cannot spoil the angle.
    const double theta = p * A + (q == 0 ? 0 : q * (0.5 * std::log(squaredModulus)));
    radius.multiply(complexExp(CValue(0, theta)));
    *this = radius;
}

double CValue::reducedSin(double x)
{
    double r = x;
    if (std::fabs(x) > PI) {
        const double q = (x + PI) / TWO_PI;
        // The period count no longer fits 32 bits: reduce exactly instead.
        if (!(std::fabs(q) < REDUCTION_LIMIT))
            return std::isfinite(x) ? sinOfHuge(x) : std::sin(x);
        r = (q - double(int32_t(q))) * TWO_PI - PI;
    }
    const double s = std::sin(r);
    return std::fabs(s) == platformSinOfPi() ? 0.0 : s;
}

double CValue::reducedCos(double x)
{
    // Far out, pi/2 - x would lose x's last digits: reduce x itself.
    if (!(std::fabs((HALF_PI - x + PI) / TWO_PI) < REDUCTION_LIMIT))
        return std::isfinite(x) ? cosOfHuge(x) : std::cos(x);
    return reducedSin(HALF_PI - x);
}

void CValue::sqrt()
{
    if (m_imaginary == 0) {
        if (m_real >= 0)
            setValue(std::sqrt(m_real), 0);
        else
            setValue(0, std::sqrt(-m_real));
        return;
    }
    power(CValue(0.5, 0));
}

void CValue::ln()
{
    if (m_imaginary == 0) {
        if (m_real > 0) {
            setValue(std::log(m_real), 0);
            return;
        }
        if (m_real == 0)
            fail(LN_OF_ZERO_MESSAGE);
    }
    CValue modulus = *this;
    modulus.abs();
    CValue angle = *this;
    angle.arg();
    modulus.ln();
    setValue(modulus.m_real, angle.m_real);
}

void CValue::log()
{
    if (m_imaginary == 0) {
        if (m_real > 0) {
            setValue(std::log10(m_real), 0);
            return;
        }
        if (m_real == 0)
            fail(LOG_OF_ZERO_MESSAGE);
    }
    CValue modulus = *this;
    modulus.abs();
    CValue angle = *this;
    angle.arg();
    modulus.log();
    // The decimal logarithm's imaginary part is the angle scaled by 1 / ln 10.
    setValue(modulus.m_real, angle.m_real / LN_10);
}

void CValue::sin()
{
    const double x = m_real, y = m_imaginary;
    if (y == 0)
        setValue(reducedSin(x), 0);
    else
        setValue(reducedSin(x) * std::cosh(y), reducedCos(x) * std::sinh(y));
}

void CValue::cos()
{
    const double x = m_real, y = m_imaginary;
    if (y == 0)
        setValue(reducedCos(x), 0);
    else
        setValue(reducedCos(x) * std::cosh(y), -reducedSin(x) * std::sinh(y));
}

void CValue::tan()
{
    if (m_imaginary == 0) {
        // Sine over cosine keeps a real tangent real and makes tan(pi) exactly 0.
        const double cosine = reducedCos(m_real);
        if (cosine == 0)
            fail(DIVISION_BY_ZERO_MESSAGE);
        setValue(reducedSin(m_real) / cosine, 0);
        return;
    }
    const CValue u = complexExp(product(I, *this));
    CValue v = u;
    v.power(CValue(2, 0));
    CValue numerator = difference(v, ONE);
    numerator.divide(product(I, sum(v, ONE)));
    *this = numerator;
}

void CValue::arcsin()
{
    if (m_imaginary == 0) {
        if (std::fabs(m_real) > 1)
            fail(ARCSIN_DOMAIN_MESSAGE);
        setValue(std::asin(m_real), 0);
        return;
    }
    const CValue z = *this;
    const CValue root = complexSqrt(difference(ONE, product(z, z)));
    CValue result = complexLn(sum(product(I, z), root));
    result.multiply(CValue(0, -1));
    *this = result;
}

void CValue::arccos()
{
    if (m_imaginary == 0) {
        if (std::fabs(m_real) > 1)
            fail(ARCCOS_DOMAIN_MESSAGE);
        setValue(std::acos(m_real), 0);
        return;
    }
    CValue sine = *this;
    sine.arcsin();
    *this = difference(CValue(HALF_PI, 0), sine);
}

void CValue::arctan()
{
    if (m_imaginary == 0) {
        setValue(std::atan(m_real), 0);
        return;
    }
    const CValue iz = product(I, *this);
    CValue result = difference(complexLn(difference(ONE, iz)), complexLn(sum(ONE, iz)));
    result.multiply(CValue(0, 0.5));
    *this = result;
}

void CValue::sinh()
{
    const double x = m_real, y = m_imaginary;
    if (y == 0)
        setValue(std::sinh(x), 0);
    else
        setValue(std::sinh(x) * reducedCos(y), std::cosh(x) * reducedSin(y));
}

void CValue::cosh()
{
    const double x = m_real, y = m_imaginary;
    if (y == 0)
        setValue(std::cosh(x), 0);
    else
        setValue(std::cosh(x) * reducedCos(y), std::sinh(x) * reducedSin(y));
}

void CValue::tanh()
{
    if (m_imaginary == 0) {
        setValue(std::tanh(m_real), 0);
        return;
    }
    CValue numerator = *this;
    numerator.sinh();
    CValue denominator = *this;
    denominator.cosh();
    numerator.divide(denominator);
    *this = numerator;
}

void CValue::arcsinh()
{
    if (m_imaginary == 0) {
        setValue(std::asinh(m_real), 0);
        return;
    }
    const CValue z = *this;
    *this = complexLn(sum(z, complexSqrt(sum(product(z, z), ONE))));
}

void CValue::arccosh()
{
    const double x = m_real;
    if (m_imaginary == 0) {
        if (x >= 1)
            setValue(accurateAcosh(x), 0);
        else if (x >= -1)
            setValue(0, std::acos(x));
        else
            setValue(accurateAcosh(-x), PI);
        return;
    }
    const CValue z = *this;
    const CValue roots = product(complexSqrt(sum(z, ONE)), complexSqrt(difference(z, ONE)));
    *this = complexLn(sum(z, roots));
}

void CValue::arctanh()
{
    if (m_imaginary == 0) {
        const double x = m_real;
        if (x == 1 || x == -1)
            fail(ARCTANH_POLE_MESSAGE);
        if (std::fabs(x) < 1) {
            setValue(std::atanh(x), 0);
            return;
        }
    }
    const CValue z = *this;
    CValue result = difference(complexLn(sum(ONE, z)), complexLn(difference(ONE, z)));
    result.multiply(CValue(0.5, 0));
    *this = result;
}

void CValue::exp()
{
    const double x = m_real, y = m_imaginary;
    if (y == 0) {
        setValue(std::exp(x), 0);
        return;
    }
    const double scale = std::exp(x);
    setValue(scale * reducedCos(y), scale * reducedSin(y));
}

void CValue::abs()
{
    if (m_imaginary == 0)
        setValue(std::fabs(m_real), 0);
    else
        setValue(std::sqrt(m_real * m_real + m_imaginary * m_imaginary), 0);
}

void CValue::arg()
{
    const double a = m_real, b = m_imaginary;
    if (a == 0) {
        if (b == 0)
            fail(ARG_OF_ZERO_MESSAGE);
        setValue(b > 0 ? HALF_PI : -HALF_PI, 0);
        return;
    }
    if (b == 0) {
        setValue(a > 0 ? 0 : PI, 0);
        return;
    }
    double t = std::atan(b / a);
    if (b < 0 && a < 0)
        t -= PI;
    else if (a < 0 && b > 0)
        t += PI;
    setValue(t, 0);
}

VKF::CString CValue::toString() const
{
    const double re = m_real, im = m_imaginary;
    if (im == 0)
        return formatNumber(re, 13);
    VKF::CString text;
    if (re != 0) {
        text = formatNumber(re, 13);
        text += im < 0 ? VKF_T(" - ") : VKF_T(" + ");
    } else if (im < 0) {
        text = VKF_T("-");
    }
    text += VKF_T("i");
    if (im != 1 && im != -1) {
        text += VKF_T('*');
        text += formatNumber(std::fabs(im), 13);
    }
    return text;
}

VKF::CString CValue::toShortString() const
{
    return formatNumber(m_real, 5);
}

} // namespace VKCL
