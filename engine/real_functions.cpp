// Real elementary functions: arguments reduced with tables (2^(j/64), logarithms of reciprocals,
// arctangents of k/128, each from 113-bit values), short polynomials whose first terms are kept
// exact, sums in double-double, and a rounding test against the error bound stated beside each.
#include "engine/real_functions.h"

#include <array>
#include <cfloat>
#include <cmath>

#include <quadmath.h>

#include "engine/fallback_count.h"

namespace VKCL::realfunction {


namespace {

using Quad = __float128;

// Beyond these, e^x or its reciprocal leaves the range where the scaled result is a normal double.
constexpr double EXP_FAST_LIMIT = 708;
// Below 2^-8 in magnitude, log1p is a short series (its tenth term is below 2^-83).
constexpr double LOG1P_SERIES_LIMIT = 0x1p-8;
// Beyond this |x| the hyperbolic functions are e^|x| / 2 to far more than 106 bits.
constexpr double HYPERBOLIC_ASYMPTOTE = 40;
// Beyond this |x|, tanh x rounds to +-1: 1 - tanh x < 2e^(-2|x|) < 2^-55.
constexpr double TANH_SATURATION = 19.5;
// Beyond this, asinh and acosh are ln 2x + or - 1/(4x^2) within their error bounds.
constexpr double INVERSE_HYPERBOLIC_ASYMPTOTE = 0x1p28;

// Beyond this, atan x rounds to pi/2 (and 1/x would need care near the largest double).
constexpr double LARGE_ARCTANGENT = 0x1p500;

// Error bounds of the composed functions (relative, derived below from the kernels').
// e^x - 1: 2^-73.5 of e^x, at most 186 times e^x - 1 once x is reduced at all; exact r below.
constexpr double EXPM1_ERROR = 0x1p-65;
// Sums of two positive terms each as good as e^x - 1, one of them a quotient.
constexpr double SINH_ERROR = 0x1p-63;
constexpr double TANH_ERROR = 0x1p-63;
constexpr double LOG10_ERROR = 0x1p-66;
// Beyond |x| = 1, sinh x = (e^x - e^-x) / 2 loses less than 2 bits to cancellation.
constexpr double HYPERBOLIC_FROM_EXP = 1;
// sinh and cosh from e^|x| within 2^-72 for |x| >= 1: coth 1 < 1.32.
constexpr double HYPERBOLIC_ERROR = 0x1p-70;

double viaQuad(Quad (*function)(Quad), double x)
{
    countFallback();
    return double(function(x));
}

// Rounds to the nearest whole number (ties to even) for |x| < 2^51.
double nearestWhole(double x)
{
    constexpr double SHIFT = 0x1.8p52;
    return (x + SHIFT) - SHIFT;
}

constexpr double SIXTY_FOUR_OVER_LN2 = 92.332482616893656;

struct CExpTable {
    std::array<DD, 64> powers;   // 2^(j/64)
    // ln 2 / 64 in three pieces; the first has 36 bits, so n times it is exact for |n| < 2^17.
    double ln2Part1, ln2Part2, ln2Part3;
};

const CExpTable& expTable()
{
    static const CExpTable table = [] {
        CExpTable t{};
        for (int j = 0; j < 64; ++j)
            t.powers[j] = fromQuad(exp2q(Quad(j) / 64));
        const Quad step = logq(2) / 64;
        t.ln2Part1 = std::ldexp(std::floor(std::ldexp(double(step), 42)), -42);
        t.ln2Part2 = double(step - t.ln2Part1);
        t.ln2Part3 = double(step - t.ln2Part1 - t.ln2Part2);
        return t;
    }();
    return table;
}

// 1/c for c the middle of each 1/256 of [0.75, 1.5), and -ln of it; 1 and 0 around 1 itself.
struct CLogTable {
    std::array<double, 192> reciprocals;
    std::array<DD, 192> minusLogs;
};

const CLogTable& logTable()
{
    static const CLogTable table = [] {
        CLogTable t{};
        for (int i = 0; i < 192; ++i) {
            const bool aroundOne = i == 63 || i == 64;
            t.reciprocals[i] = aroundOne ? 1.0 : 1 / (0.75 + (i + 0.5) / 256);
            t.minusLogs[i] = fromQuad(-logq(t.reciprocals[i]));
        }
        return t;
    }();
    return table;
}

// atan(k/128) for k = 0..128.
const std::array<DD, 129>& atanTable()
{
    static const std::array<DD, 129> table = [] {
        std::array<DD, 129> t{};
        for (int k = 0; k < 129; ++k)
            t[k] = fromQuad(atanq(Quad(k) / 128));
        return t;
    }();
    return table;
}

// pi/2 as the double nearest it and the double nearest the rest.
constexpr DD HALF_PI = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};

// x = (64k + j) ln2/64 + r with |r| <= ln2/128 + 2^-78, r to within 2^-78; e^r = 1 + s.
struct CExpParts {
    int k, j;
    DD s;
};

CExpParts expParts(const DD& x)
{
    const CExpTable& table = expTable();
    const double n = nearestWhole(x.high * SIXTY_FOUR_OVER_LN2);
    const double reduced = x.high - n * table.ln2Part1;   // exact
    const DD r = add(twoSum(reduced, -n * table.ln2Part2), x.low - n * table.ln2Part3);
    // e^r - 1 = r + r^2/2 + r^3 (1/6 + r/24 + ... + r^5/40320): the ninth term is below 2^-86,
    // the rounding of the cubic part (< 2^-25) below 2^-76, the square is exact.
    const double h = r.high;
    const DD square = multiply(h, h);
    const double tail = h * r.low
        + h * h * h * (1.0 / 6 + h * (1.0 / 24 + h * (1.0 / 120 + h * (1.0 / 720 + h * (1.0 / 5040 + h / 40320)))));
    const auto whole = int(n);
    const int j = whole & 63;
    return {(whole - j) / 64, j, add(add(r, scaled(square, 0.5)), tail)};
}

// e^x - 1 for |x| <= 40, relative error below EXPM1_ERROR.
DD expm1Kernel(double x)
{
    const CExpParts parts = expParts({x, 0});
    if (parts.k == 0 && parts.j == 0)
        return parts.s;
    const DD& power = expTable().powers[parts.j];
    const DD value = add(power, multiply(power, parts.s));
    return add(DD{std::ldexp(value.high, parts.k), std::ldexp(value.low, parts.k)}, -1.0);
}

// log1p(r) for |r.high| <= 2^-8: r - r^2/2 + r^3 (1/3 - r/4 + ... + r^6/9), the square exact and
// the cubic part (< 2^-25.6) rounded within 2^-76.6: relative error below 2^-68.
DD log1pSeries(const DD& r)
{
    const double h = r.high;
    const DD square = multiply(h, h);
    const double tail = -h * r.low
        + h * h * h
              * (1.0 / 3
                 + h * (-1.0 / 4 + h * (1.0 / 5 + h * (-1.0 / 6 + h * (1.0 / 7 + h * (-1.0 / 8 + h / 9))))));
    return add(add(r, scaled(negate(square), 0.5)), tail);
}

// atan t for 0 <= t <= 1 + 2^-52: t = c + (t - c) with c = k/128, atan t = atan c + atan u,
// u = (t - c) / (1 + tc), |u| <= 2^-8; atan u = u - u^3 (1/3 - u^2/5 + u^4/7 - u^6/9), whose next
// term is below 2^-91 and whose cubic part is rounded within 2^-76: 2^-68 of the result.
DD atanSmall(const DD& t)
{
    // A quotient that overflowed on the way (operands near the largest double) is undecided.
    if (!(t.high >= 0 && t.high <= 1 + 0x1p-40))
        return {NAN, NAN};
    const double k = nearestWhole(t.high * 128);
    const double c = k / 128;
    const DD numerator = add(DD{t.high - c, 0}, t.low);   // t.high - c is exact
    const DD denominator = add(multiply(t, c), 1.0);
    const DD u = divide(numerator, denominator);
    const double h = u.high, h2 = h * h;
    const double tail = -h2 * u.low - h2 * h * (1.0 / 3 + h2 * (-1.0 / 5 + h2 * (1.0 / 7 - h2 / 9)));
    return add(atanTable()[int(k)], add(u, tail));
}

// The fast value when its rounding is certain, else the 113-bit function's.
double decided(const DD& value, double relativeError, Quad (*function)(Quad), double x)
{
    double result = 0;
    return roundsSafely(value, relativeError, result) ? result : viaQuad(function, x);
}

// sqrt(1 - x^2) for |x| <= 1, from (1 - |x|)(1 + |x|), both exact.
DD cosineOfArcsine(double x)
{
    const double a = std::fabs(x);
    return squareRoot(multiply(twoSum(1.0, -a), twoSum(1.0, a)));
}

// ln 2x + sign / (4x^2) for x >= 2^28 (the next terms are below 2^-110 of the result).
DD lnOfTwiceLarge(double x, double sign)
{
    return add(add(lnKernel(x), LN2), sign * 0.25 / x / x);
}

// sinh x or cosh x from the shared kernel.
double hyperbolic(double x, bool cosine)
{
    Quad (*const function)(Quad) = cosine ? coshq : sinhq;
    if (!(std::fabs(x) <= EXP_FAST_LIMIT))
        return viaQuad(function, x);
    const CHyperbolic h = hyperbolicKernel(x);
    double result = 0;
    const bool decidedFast = cosine ? roundsSafely(h.cosh, h.coshError, h.exponent, result)
                                    : roundsSafely(h.sinh, h.sinhError, h.exponent, result);
    return decidedFast ? result : viaQuad(function, x);
}

} // namespace

CScaled expKernel(const DD& x)
{
    const CExpParts parts = expParts(x);
    const DD& power = expTable().powers[parts.j];
    return {add(power, multiply(power, parts.s)), parts.k};
}

// x = 2^e m with m in [0.75, 1.5), m * 1/c = 1 + r exactly with |r| <= 2^-8; ln x = e ln 2 - ln(1/c) +
// log1p(r). The series is good to 2^-76.6 absolutely and 2^-68 relatively; the sum is at least
// 2^-8 unless it is the series alone: relative error below 2^-68.5.
DD lnKernel(double x)
{
    // Outside the domain (a quotient that overflowed on the way, say) the value is undecided.
    if (!(x > 0 && x <= DBL_MAX))
        return {NAN, NAN};
    int e = 0;
    double m = 2 * std::frexp(x, &e);
    --e;
    if (m >= 1.5) {
        m *= 0.5;
        ++e;
    }
    const CLogTable& table = logTable();
    const auto i = int((m - 0.75) * 256);
    const DD product = multiply(m, table.reciprocals[i]);
    const DD r = add(DD{product.high - 1, 0}, product.low);   // product.high - 1 is exact
    return add(add(multiply(LN2, double(e)), table.minusLogs[i]), log1pSeries(r));
}

// ln(high) + low / high: the next term, (low / high)^2 / 2, is below 2^-106.
DD lnOfPair(const DD& a)
{
    return add(lnKernel(a.high), a.low / a.high);
}

// The series (2^-68) or ln of 1 + u (2^-68.5); an argument good to 2^-100 adds little.
DD log1pKernel(const DD& u)
{
    return std::fabs(u.high) < LOG1P_SERIES_LIMIT ? log1pSeries(u) : lnOfPair(add(u, DD{1, 0}));
}

DD argumentKernel(double x, double y)
{
    if (y == 0)
        return x < 0 ? PI : DD{0, 0};
    // Scaled by a power of two, so that no product on the way overflows.
    int e = 0;
    std::frexp(std::fmax(std::fabs(x), std::fabs(y)), &e);
    // |y| is taken, so that a y scaled to 0 keeps its side.
    const DD value = argumentKernel(DD{std::ldexp(x, -e), 0}, DD{std::ldexp(std::fabs(y), -e), 0});
    return y < 0 ? negate(value) : value;
}

DD argumentKernel(const DD& x, const DD& y)
{
    const auto absolute = [](const DD& v) { return v.high < 0 ? negate(v) : v; };
    if (y.high == 0)
        return x.high < 0 ? PI : DD{0, 0};
    const DD angle = atanOfRatio(absolute(y), absolute(x));
    const DD value = x.high < 0 ? subtract(PI, angle) : angle;
    return y.high < 0 ? negate(value) : value;
}

CHyperbolic hyperbolicKernel(double x)
{
    const double a = std::fabs(x), sign = x < 0 ? -1 : 1;
    if (a > HYPERBOLIC_ASYMPTOTE) {
        const CScaled e = expKernel({a, 0});
        return {e.value, scaled(e.value, sign), e.exponent - 1, EXP_ERROR, EXP_ERROR};
    }
    if (a >= HYPERBOLIC_FROM_EXP) {
        const CScaled e = expKernel({a, 0});
        const DD power = {std::ldexp(e.value.high, e.exponent), std::ldexp(e.value.low, e.exponent)};
        const DD reciprocal = divide(DD{1, 0}, power);
        return {scaled(add(power, reciprocal), 0.5), scaled(subtract(power, reciprocal), 0.5 * sign), 0,
                HYPERBOLIC_ERROR, HYPERBOLIC_ERROR};
    }
    // With E = e^|x| - 1: cosh = (E + 1 + 1 / (E + 1)) / 2, sinh = (E + E / (E + 1)) / 2.
    const DD e = expm1Kernel(a);
    const DD power = add(e, 1.0);
    return {scaled(add(power, divide(DD{1, 0}, power)), 0.5), scaled(add(e, divide(e, power)), 0.5 * sign), 0,
            SINH_ERROR, SINH_ERROR};
}

DD atanOfRatio(const DD& num, const DD& den)
{
    if (num.high <= den.high)
        return atanSmall(divide(num, den));
    return subtract(HALF_PI, atanSmall(divide(den, num)));
}

double exp(double x)
{
    if (!(std::fabs(x) <= EXP_FAST_LIMIT))
        return viaQuad(expq, x);
    const CScaled e = expKernel({x, 0});
    double result = 0;
    return roundsSafely(e.value, EXP_ERROR, e.exponent, result) ? result : viaQuad(expq, x);
}

double ln(double x)
{
    if (!(x > 0) || std::isinf(x))
        return viaQuad(logq, x);
    return decided(lnKernel(x), LN_ERROR, logq, x);
}

double log10(double x)
{
    if (!(x > 0) || std::isinf(x))
        return viaQuad(log10q, x);
    return decided(multiply(lnKernel(x), INVERSE_LN10), LOG10_ERROR, log10q, x);
}

double sinh(double x)
{
    return hyperbolic(x, false);
}

double cosh(double x)
{
    return hyperbolic(x, true);
}

double tanh(double x)
{
    const double a = std::fabs(x);
    if (!(a < TANH_SATURATION))
        return std::isnan(x) ? x : std::copysign(1.0, x);
    // E / (E + 2) with E = e^(2|x|) - 1.
    const DD e = expm1Kernel(2 * a);
    const DD value = divide(e, add(e, 2.0));
    return decided(x < 0 ? negate(value) : value, TANH_ERROR, tanhq, x);
}

double arctan(double x)
{
    // Far out, atan x = pi/2 - 1/x + ..., and 1/x no longer reaches pi/2's last digit.
    if (std::fabs(x) > LARGE_ARCTANGENT)
        return std::copysign(HALF_PI.high, x);
    const double a = std::fabs(x);
    const DD value = a <= 1 ? atanSmall({a, 0}) : subtract(HALF_PI, atanSmall(divide(DD{1, 0}, DD{a, 0})));
    return decided(x < 0 ? negate(value) : value, ATAN_ERROR, atanq, x);
}

double arcsin(double x)
{
    if (!(std::fabs(x) <= 1))
        return viaQuad(asinq, x);
    const DD value = atanOfRatio({std::fabs(x), 0}, cosineOfArcsine(x));
    return decided(x < 0 ? negate(value) : value, ATAN_ERROR, asinq, x);
}

double arccos(double x)
{
    if (!(std::fabs(x) <= 1))
        return viaQuad(acosq, x);
    const DD angle = atanOfRatio(cosineOfArcsine(x), {std::fabs(x), 0});
    return decided(x < 0 ? subtract(PI, angle) : angle, ATAN_ERROR, acosq, x);
}

double arcsinh(double x)
{
    const double a = std::fabs(x);
    if (!std::isfinite(x))
        return viaQuad(asinhq, x);
    DD value;
    if (a >= INVERSE_HYPERBOLIC_ASYMPTOTE) {
        value = lnOfTwiceLarge(a, 1);
    } else {
        // log1p(|x| + x^2 / (1 + sqrt(1 + x^2))): no cancellation near 0.
        const DD square = multiply(a, a);
        value = log1pKernel(add(divide(square, add(squareRoot(add(square, 1.0)), 1.0)), a));
    }
    return decided(x < 0 ? negate(value) : value, LOG1P_ERROR, asinhq, x);
}

double arccosh(double x)
{
    if (!(x >= 1) || std::isinf(x))
        return viaQuad(acoshq, x);
    if (x >= INVERSE_HYPERBOLIC_ASYMPTOTE)
        return decided(lnOfTwiceLarge(x, -1), LOG1P_ERROR, acoshq, x);
    // log1p((x - 1) + sqrt((x - 1)(x + 1))), the differences exact.
    const DD belowX = twoSum(x, -1.0);
    const DD u = add(belowX, squareRoot(multiply(belowX, twoSum(x, 1.0))));
    return decided(log1pKernel(u), LOG1P_ERROR, acoshq, x);
}

double arctanh(double x)
{
    const double a = std::fabs(x);
    if (!(a < 1))
        return viaQuad(atanhq, x);
    // log1p(2|x| / (1 - |x|)) / 2.
    const DD value = scaled(log1pKernel(divide(DD{2 * a, 0}, twoSum(1.0, -a))), x < 0 ? -0.5 : 0.5);
    return decided(value, LOG1P_ERROR, atanhq, x);
}

double power(double x, double p)
{
    if (x > 0 && !std::isinf(x) && std::isfinite(p)) {
        // e^(p ln x): an error of ln x grows |p|-fold in the exponent.
        const DD logarithm = lnKernel(x);
        const DD exponent = multiply(logarithm, p);
        if (std::fabs(exponent.high) <= EXP_FAST_LIMIT) {
            const CScaled e = expKernel(exponent);
            const double size = std::fabs(logarithm.high);
            const double lnError = std::fmin(LN_ABSOLUTE_ERROR + size * 0x1p-100, size * LN_ERROR);
            const double error = EXP_ERROR + std::fabs(p) * lnError + std::fabs(exponent.high) * 0x1p-100;
            double result = 0;
            if (roundsSafely(e.value, error, e.exponent, result))
                return result;
        }
    }
    countFallback();
    return double(powq(x, p));
}

double argument(double x, double y)
{
    double result = 0;
    if (roundsSafely(argumentKernel(x, y), ATAN_ERROR, result))
        return result;
    countFallback();
    return double(atan2q(Quad(y) + 0, Quad(x) + 0));
}

} // namespace VKCL::realfunction
