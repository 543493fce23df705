// Complex values: arithmetic, the built-in functions and the result notation.
#include "engine/value.h"

#include <cmath>

#include "engine/complex_functions.h"
#include "engine/language_error.h"
#include "engine/number_format.h"
#include "engine/real_functions.h"
#include "engine/trigonometry.h"
#include "engine/whole_power.h"

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
constexpr double E = 2.718281828459045;

// Between these powers of two, products of two parts and sums of two products are normal doubles.
bool withinProductRange(double part) noexcept
{
    constexpr double SMALLEST = 0x1p-480, LARGEST = 0x1p480;
    const double size = std::fabs(part);
    return part == 0 || (size >= SMALLEST && size <= LARGEST);
}

// The exponent that brings the larger of two parts into [0.5, 1); 0 for two zeros.
int scaleExponent(double first, double second) noexcept
{
    int exponent = 0;
    std::frexp(std::fmax(std::fabs(first), std::fabs(second)), &exponent);
    return exponent;
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
    if (c == 0 && d == 0)
        fail(DIVISION_BY_ZERO_MESSAGE);
    if (withinProductRange(a) && withinProductRange(b) && withinProductRange(c) && withinProductRange(d)) {
        const double n = c * c + d * d;
        setValue((a * c + b * d) / n, (b * c - a * d) / n);
        return;
    }
    // Far out, c² + d² and the products would overflow or lose their digits: both operands are
    // scaled by powers of two (exactly) to parts below 1, and the quotient scaled back once.
    const int numeratorExponent = scaleExponent(a, b), denominatorExponent = scaleExponent(c, d);
    const double sa = std::ldexp(a, -numeratorExponent), sb = std::ldexp(b, -numeratorExponent);
    const double sc = std::ldexp(c, -denominatorExponent), sd = std::ldexp(d, -denominatorExponent);
    const double n = sc * sc + sd * sd;
    const int exponent = numeratorExponent - denominatorExponent;
    setValue(std::ldexp((sa * sc + sb * sd) / n, exponent), std::ldexp((sb * sc - sa * sd) / n, exponent));
}

void CValue::setParts(const complexroute::CParts& parts)
{
    setValue(parts.real, parts.imaginary);
}

void CValue::power(const CValue& exponent)
{
    const double a = m_real, b = m_imaginary, p = exponent.m_real, q = exponent.m_imaginary;
    if (a == E && b == 0) {
        *this = exponent;
        exp();
        return;
    }
    if (b == 0 && q == 0 && (wholepower::isWhole(p) || a >= 0)) {
        setValue(complexroute::realPower(a, p), 0);
        return;
    }
    if (a == 0 && b == 0)
        fail(ARG_OF_ZERO_MESSAGE);
    setParts(complexroute::power(a, b, p, q));
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
    setParts(complexroute::sqrt(m_real, m_imaginary));
}

void CValue::ln()
{
    if (m_imaginary == 0) {
        if (m_real > 0) {
            setValue(realfunction::ln(m_real), 0);
            return;
        }
        if (m_real == 0)
            fail(LN_OF_ZERO_MESSAGE);
    }
    setParts(complexroute::ln(m_real, m_imaginary));
}

void CValue::log()
{
    if (m_imaginary == 0) {
        if (m_real > 0) {
            setValue(realfunction::log10(m_real), 0);
            return;
        }
        if (m_real == 0)
            fail(LOG_OF_ZERO_MESSAGE);
    }
    // The decimal logarithm's imaginary part is the angle scaled by 1 / ln 10.
    setParts(complexroute::log10(m_real, m_imaginary));
}

void CValue::sin()
{
    if (m_imaginary == 0)
        setValue(trigonometry::sine(m_real), 0);
    else
        setParts(complexroute::sin(m_real, m_imaginary));
}

void CValue::cos()
{
    if (m_imaginary == 0)
        setValue(trigonometry::cosine(m_real), 0);
    else
        setParts(complexroute::cos(m_real, m_imaginary));
}

void CValue::tan()
{
    // A pole is where the cosine is exactly 0, as tan(pi/2) is.
    if (m_imaginary == 0) {
        double tangent = 0;
        if (!trigonometry::tangent(m_real, tangent))
            fail(DIVISION_BY_ZERO_MESSAGE);
        setValue(tangent, 0);
        return;
    }
    complexroute::CParts parts{};
    if (!complexroute::tan(m_real, m_imaginary, parts))
        fail(DIVISION_BY_ZERO_MESSAGE);
    setParts(parts);
}

void CValue::arcsin()
{
    if (m_imaginary == 0) {
        if (std::fabs(m_real) > 1)
            fail(ARCSIN_DOMAIN_MESSAGE);
        setValue(realfunction::arcsin(m_real), 0);
        return;
    }
    setParts(complexroute::arcsin(m_real, m_imaginary));
}

void CValue::arccos()
{
    if (m_imaginary == 0) {
        if (std::fabs(m_real) > 1)
            fail(ARCCOS_DOMAIN_MESSAGE);
        setValue(realfunction::arccos(m_real), 0);
        return;
    }
    setParts(complexroute::arccos(m_real, m_imaginary));
}

void CValue::arctan()
{
    if (m_imaginary == 0) {
        setValue(realfunction::arctan(m_real), 0);
        return;
    }
    // arctan(i) and arctan(-i) are where ln(1 - iz) or ln(1 + iz) meets zero.
    if (m_real == 0 && std::fabs(m_imaginary) == 1)
        fail(LN_OF_ZERO_MESSAGE);
    setParts(complexroute::arctan(m_real, m_imaginary));
}

void CValue::sinh()
{
    if (m_imaginary == 0)
        setValue(realfunction::sinh(m_real), 0);
    else
        setParts(complexroute::sinh(m_real, m_imaginary));
}

void CValue::cosh()
{
    if (m_imaginary == 0)
        setValue(realfunction::cosh(m_real), 0);
    else
        setParts(complexroute::cosh(m_real, m_imaginary));
}

void CValue::tanh()
{
    if (m_imaginary == 0) {
        setValue(realfunction::tanh(m_real), 0);
        return;
    }
    complexroute::CParts parts{};
    if (!complexroute::tanh(m_real, m_imaginary, parts))
        fail(DIVISION_BY_ZERO_MESSAGE);
    setParts(parts);
}

void CValue::arcsinh()
{
    if (m_imaginary == 0)
        setValue(realfunction::arcsinh(m_real), 0);
    else
        setParts(complexroute::arcsinh(m_real, m_imaginary));
}

void CValue::arccosh()
{
    const double x = m_real;
    if (m_imaginary == 0) {
        if (x >= 1)
            setValue(realfunction::arccosh(x), 0);
        else if (x >= -1)
            setValue(0, realfunction::arccos(x));
        else
            setValue(realfunction::arccosh(-x), PI);
        return;
    }
    setParts(complexroute::arccosh(x, m_imaginary));
}

void CValue::arctanh()
{
    if (m_imaginary == 0) {
        const double x = m_real;
        if (x == 1 || x == -1)
            fail(ARCTANH_POLE_MESSAGE);
        if (std::fabs(x) < 1) {
            setValue(realfunction::arctanh(x), 0);
            return;
        }
    }
    setParts(complexroute::arctanh(m_real, m_imaginary));
}

void CValue::exp()
{
    if (m_imaginary == 0)
        setValue(realfunction::exp(m_real), 0);
    else
        setParts(complexroute::exp(m_real, m_imaginary));
}

void CValue::abs()
{
    if (m_imaginary == 0)
        setValue(std::fabs(m_real), 0);
    else
        setValue(complexroute::modulus(m_real, m_imaginary), 0);
}

void CValue::arg()
{
    if (m_real == 0 && m_imaginary == 0)
        fail(ARG_OF_ZERO_MESSAGE);
    setValue(complexroute::argument(m_real, m_imaginary), 0);
}

VKF::CString CValue::toString() const
{
    const double re = m_real, im = m_imaginary;
    if (im == 0)
        return formatNumber(re, RESULT_DIGITS);
    VKF::CString text;
    if (re != 0) {
        text = formatNumber(re, RESULT_DIGITS);
        text += im < 0 ? VKF_T(" - ") : VKF_T(" + ");
    } else if (im < 0) {
        text = VKF_T("-");
    }
    text += VKF_T("i");
    if (im != 1 && im != -1) {
        text += VKF_T('*');
        text += formatNumber(std::fabs(im), RESULT_DIGITS);
    }
    return text;
}

VKF::CString CValue::toShortString() const
{
    return formatShortNumber(m_real);
}

} // namespace VKCL
