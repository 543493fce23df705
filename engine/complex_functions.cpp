// Complex routes: where each part is a product, a quotient or a sum of like-signed terms, the fast
// real kernels in double-double with a rounding test on each part; elsewhere, and where the test
// cannot decide, 113-bit precision: libquadmath's functions (Kahan's branch cuts, Hull, Fairgrieve
// and Tang's arcsine) where they serve, own compositions where the calculator's exact zeros or
// sides of a cut need them.
#include "engine/complex_functions.h"

#include <cmath>

#include <quadmath.h>

#include "engine/fallback_count.h"
#include "engine/real_functions.h"
#include "engine/trigonometry.h"
#include "engine/whole_power.h"

namespace VKCL::complexroute {

namespace {

using Quad = __float128;
using QuadComplex = __complex128;

// Beyond this |x|, tanh x is +-1 to far more digits than a double holds.
constexpr double TANH_SATURATION = 60;

// x + yi with any negative zero made positive (adding +0 does that), unless a side is asked for.
QuadComplex make(Quad x, Quad y)
{
    QuadComplex z;
    __real__ z = x + Quad(0);
    __imag__ z = y + Quad(0);
    return z;
}

CParts rounded(Quad re, Quad im)
{
    countFallback();
    return {double(re), double(im)};
}

CParts rounded(QuadComplex z)
{
    return rounded(crealq(z), cimagq(z));
}

// Beyond this |x|, e^x and the hyperbolic functions leave the fast kernels' range.
constexpr double FAST_EXP_LIMIT = 708;
// Within these powers of two, squares and products of parts are normal doubles with normal low parts.
constexpr double FAST_SMALLEST = 0x1p-450, FAST_LARGEST = 0x1p450;
// Up to this |x|, tanh(x + iy) takes the fast route (its hyperbolic factors need no scaling).
constexpr double FAST_TANH_LIMIT = 20;
// Hull, Fairgrieve and Tang's thresholds: beyond them the arcsine's real part is an arctangent
// and its imaginary part a plain logarithm.
constexpr double HFT_SINE_LIMIT = 0.6417, HFT_MODULUS_LIMIT = 1.5;
// The arcsine's arguments pass some twenty double-double steps before the kernels.
constexpr double HFT_STEPS_ERROR = 0x1p-90;
// Relative error added by a product or a quotient of double-doubles, and by a square root.
constexpr double STEP_ERROR = 0x1p-100;
// ln |z| by log1p(|z|^2 - 1) loses |z|^2's absolute error of 2^-104 relative to |z|^2 - 1: beyond
// this its share stays below 2^-74; nearer to the unit circle the 113-bit route decides.
constexpr double UNIT_CIRCLE_MARGIN = 0x1p-30;

// A factor of a fast product with its relative error.
struct CFactor {
    DD value;
    double error;
};

// re = a b and im = c d, both times 2^exponent, when the rounding of each is certain.
bool products(const CFactor& a, const CFactor& b, const CFactor& c, const CFactor& d, int exponent, CParts& result)
{
    return roundsSafely(multiply(a.value, b.value), a.error + b.error + STEP_ERROR, exponent, result.real)
        && roundsSafely(multiply(c.value, d.value), c.error + d.error + STEP_ERROR, exponent, result.imaginary);
}

bool withinFastRange(double x, double y)
{
    const double larger = std::fmax(std::fabs(x), std::fabs(y));
    return larger >= FAST_SMALLEST && larger <= FAST_LARGEST;
}

// |z|^2 = x^2 + y^2 within 2^-105.
DD squaredModulus(double x, double y)
{
    return add(multiply(x, x), multiply(y, y));
}

// ln z = ln |z| + i arg z for |z| not within 2^-31 of 1.
bool fastLn(double x, double y, CFactor& re, CFactor& im)
{
    if (!withinFastRange(x, y))
        return false;
    const DD square = squaredModulus(x, y);
    if (square.high < 0.5 || square.high > 2) {
        re = {scaled(realfunction::lnOfPair(square), 0.5), realfunction::LN_ERROR};
    } else {
        const DD belowOne = add(add(multiply(x, x), -1.0), multiply(y, y));
        if (std::fabs(belowOne.high) < UNIT_CIRCLE_MARGIN)
            return false;
        re = {scaled(realfunction::log1pKernel(belowOne), 0.5), realfunction::LOG1P_ERROR + 0x1p-73};
    }
    im = {realfunction::argumentKernel(x, y), realfunction::ATAN_ERROR};
    return true;
}

// z^w = e^(w ln z): the absolute errors of ln z grow |w|-fold in the exponent; e^(re w ln z) makes
// them a relative error of the modulus, cos and sin of (im w ln z) an absolute one.
bool fastPower(double x, double y, double p, double q, CParts& result)
{
    CFactor lnRe, lnIm;
    if (!fastLn(x, y, lnRe, lnIm))
        return false;
    const double sizeRe = std::fabs(lnRe.value.high), sizeIm = std::fabs(lnIm.value.high);
    const double errorRe = sizeRe * lnRe.error, errorIm = sizeIm * lnIm.error;
    const double rounding = (std::fabs(p) + std::fabs(q)) * (sizeRe + sizeIm) * STEP_ERROR;
    const DD exponentRe = subtract(multiply(lnRe.value, p), multiply(lnIm.value, q));
    const DD exponentIm = add(multiply(lnRe.value, q), multiply(lnIm.value, p));
    if (!(std::fabs(exponentRe.high) <= FAST_EXP_LIMIT))
        return false;
    const realfunction::CScaled e = realfunction::expKernel(exponentRe);
    const trigonometry::CSineCosine angle = trigonometry::sineCosine(exponentIm.high, exponentIm.low);
    // Relative to each part: the modulus's error and the evaluation of cos and sin; relative to
    // the modulus: the angle's.
    const double partError = realfunction::EXP_ERROR + trigonometry::ERROR_BOUND + STEP_ERROR
        + std::fabs(p) * errorRe + std::fabs(q) * errorIm + rounding;
    const double angleError = std::fabs(q) * errorRe + std::fabs(p) * errorIm + rounding;
    const double modulus = std::fabs(e.value.high);
    const DD re = multiply(e.value, angle.cosine), im = multiply(e.value, angle.sine);
    return roundsSafely(re, partError + angleError * modulus / std::fabs(re.high), e.exponent, result.real)
        && roundsSafely(im, partError + angleError * modulus / std::fabs(im.high), e.exponent, result.imaginary);
}

// tanh(x + iy) by Kahan's formulas as in quadTanh (sums of positive terms, products and quotients),
// with t and s from the fast kernels, for |x| <= 20 and off the poles' lines. With T and H the
// sine's and the hyperbolic bounds: t = sin / cos is within 2T, beta = 1 + t^2 within 4T, the
// denominator 1 + beta s^2 within 4T + 2H; the real part within 8T + 4H, the imaginary 6T + 2H.
bool fastTanh(double x, double y, CParts& result)
{
    if (!(std::fabs(x) <= FAST_TANH_LIMIT))
        return false;
    const trigonometry::CSineCosine angle = trigonometry::sineCosine(y, 0);
    if (angle.cosine.high == 0)
        return false;
    const realfunction::CHyperbolic h = realfunction::hyperbolicKernel(x);
    const DD t = divide(angle.sine, angle.cosine);
    const DD beta = add(multiply(t, t), 1.0);
    const DD denominator = add(multiply(beta, multiply(h.sinh, h.sinh)), 1.0);
    const DD re = divide(multiply(multiply(beta, h.cosh), h.sinh), denominator);
    const double trig = trigonometry::ERROR_BOUND, hyperbolic = std::fmax(h.sinhError, h.coshError);
    return roundsSafely(re, 8 * trig + 4 * hyperbolic + 8 * STEP_ERROR, 0, result.real)
        && roundsSafely(divide(t, denominator), 6 * trig + 2 * hyperbolic + 8 * STEP_ERROR, 0, result.imaginary);
}

// arctanh(x + iy) for y != 0 (off the real cuts): with d = (1 - x)^2 + y^2 and e = (1 + x)^2 + y^2,
// the real part is log1p(4x / d) / 4 (ln(e / d) / 4 where that argument nears -1), the imaginary
// atan2(2y, 1 - x^2 - y^2) / 2, whose second argument cancels near the unit circle: there, as near
// the poles, the 113-bit route decides.
bool fastArctanh(double x, double y, CParts& result)
{
    if (y == 0 || !withinFastRange(x, y))
        return false;
    const DD minus = twoSum(1.0, -x), plus = twoSum(1.0, x), ySquared = multiply(y, y);
    const DD d = add(multiply(minus, minus), ySquared);
    if (!(d.high >= FAST_SMALLEST))
        return false;
    const DD u = divide(DD{4 * x, 0}, d);
    const DD logarithm = u.high >= -0.5 ? realfunction::log1pKernel(u)
                                         : realfunction::lnOfPair(divide(add(multiply(plus, plus), ySquared), d));
    const DD denominator = subtract(multiply(minus, plus), ySquared);
    const double size = std::fmax(1, std::fmax(x * x, y * y));
    if (!(std::fabs(denominator.high) >= UNIT_CIRCLE_MARGIN * size))
        return false;
    const DD angle = realfunction::argumentKernel(denominator, DD{2 * y, 0});
    return roundsSafely(scaled(logarithm, 0.25), realfunction::LOG1P_ERROR + 4 * STEP_ERROR, 0, result.real)
        && roundsSafely(scaled(angle, 0.5), realfunction::ATAN_ERROR + 0x1p-73, 0, result.imaginary);
}

// Hull, Fairgrieve and Tang's arcsine of x + iy for x >= 0, y > 0, from sums of positive terms
// only: the real part is atan(num / den) (the arccosine's atan(den / num)), the imaginary part
// ln(A + sqrt(A^2 - 1)) with A = (|z + 1| + |z - 1|) / 2, through log1p(A - 1 + ...) near A = 1.
struct CArcsine {
    DD num, den, imaginary;
};

bool fastArcsine(double x, double y, CArcsine& result)
{
    if (!withinFastRange(x, y) || y < FAST_SMALLEST)
        return false;
    const DD xp1 = twoSum(x, 1.0), xm1 = twoSum(x, -1.0), square = multiply(y, y);
    const DD r = squareRoot(add(multiply(xp1, xp1), square)), s = squareRoot(add(multiply(xm1, xm1), square));
    const DD a = scaled(add(r, s), 0.5), rPlus = add(r, xp1);
    const DD aPlusX = add(a, x), sMinus = subtract(s, xm1), sPlus = add(s, xm1);   // S + (1 - x), S + (x - 1)
    const DD b = divide(DD{x, 0}, a);
    if (b.high <= HFT_SINE_LIMIT) {
        result.num = b;
        result.den = squareRoot(multiply(add(negate(b), 1.0), add(b, 1.0)));
    } else if (x <= 1) {
        result.num = {x, 0};
        result.den = squareRoot(scaled(multiply(aPlusX, add(divide(square, rPlus), sMinus)), 0.5));
    } else {
        result.num = {x, 0};
        result.den = multiply(squareRoot(scaled(add(divide(aPlusX, rPlus), divide(aPlusX, sPlus)), 0.5)), DD{y, 0});
    }
    if (a.high <= HFT_MODULUS_LIMIT) {
        const DD belowA = scaled(add(divide(square, rPlus), x < 1 ? divide(square, sMinus) : sPlus), 0.5);
        result.imaginary = realfunction::log1pKernel(add(belowA, squareRoot(multiply(belowA, add(a, 1.0)))));
    } else {
        result.imaginary = realfunction::lnOfPair(add(a, squareRoot(multiply(add(a, -1.0), add(a, 1.0)))));
    }
    return true;
}

// The arcsine's or the arccosine's parts with their signs, rounded, when the test can decide.
bool fastInverseSine(double x, double y, bool cosine, CParts& result)
{
    CArcsine parts;
    if (!fastArcsine(std::fabs(x), std::fabs(y), parts))
        return false;
    DD re = cosine ? realfunction::atanOfRatio(parts.den, parts.num) : realfunction::atanOfRatio(parts.num, parts.den);
    if (x < 0)
        re = cosine ? subtract(realfunction::PI, re) : negate(re);
    const bool negativeImaginary = cosine ? y > 0 : y < 0;
    return roundsSafely(re, realfunction::ATAN_ERROR + HFT_STEPS_ERROR, 0, result.real)
        && roundsSafely(negativeImaginary ? negate(parts.imaginary) : parts.imaginary,
                        realfunction::LOG1P_ERROR + HFT_STEPS_ERROR, 0, result.imaginary);
}

// The parts of sin, cos, sinh and cosh: trigonometric times hyperbolic factors, the trigonometric
// ones of t, the hyperbolic ones of h; false where the test cannot decide.
struct CTrigHyperbolic {
    CFactor sine, cosine, sinh, cosh;
    int exponent;
};

bool trigHyperbolic(double t, double h, CTrigHyperbolic& factors)
{
    if (!(std::fabs(h) <= FAST_EXP_LIMIT))
        return false;
    const trigonometry::CSineCosine angle = trigonometry::sineCosine(t, 0);
    const realfunction::CHyperbolic hyperbolic = realfunction::hyperbolicKernel(h);
    factors = {{angle.sine, trigonometry::ERROR_BOUND}, {angle.cosine, trigonometry::ERROR_BOUND},
               {hyperbolic.sinh, hyperbolic.sinhError}, {hyperbolic.cosh, hyperbolic.coshError}, hyperbolic.exponent};
    return true;
}

// trig * hyperbolic, where an exact zero of the trigonometric factor stays 0 whatever the other.
Quad scaled(Quad trig, Quad hyperbolic)
{
    return trig == 0 ? Quad(0) : trig * hyperbolic;
}

// tanh(x + iy) by Kahan's formulas: with t = tan y, s = sinh x, rho = sqrt(1 + s^2), beta = 1 + t^2,
// tanh = (beta rho s + i t) / (1 + beta s^2); far out the imaginary part is 4 sin y cos y e^(-2|x|).
bool quadTanh(double x, double y, QuadComplex& result)
{
    const Quad sine = trigonometry::sineQuad(y), cosine = trigonometry::cosineQuad(y);
    if (std::fabs(x) > TANH_SATURATION) {
        result = make(x > 0 ? 1 : -1, 4 * sine * cosine * expq(-2 * fabsq(x)));
        return true;
    }
    const Quad s = sinhq(x);
    if (cosine == 0) {
        // On i(k + 1/2)pi + x the value is the real coth x.
        if (s == 0)
            return false;
        result = make(coshq(x) / s, 0);
        return true;
    }
    const Quad t = sine / cosine;
    const Quad beta = 1 + t * t;
    const Quad denominator = 1 + beta * s * s;
    result = make(beta * sqrtq(1 + s * s) * s / denominator, t / denominator);
    return true;
}

} // namespace

CParts sqrt(double x, double y)
{
    if (withinFastRange(x, y)) {
        // t = sqrt((|x| + |z|) / 2) and |y| / 2t: sums of positive terms only.
        const DD t = squareRoot(scaled(add(squareRoot(squaredModulus(x, y)), std::fabs(x)), 0.5));
        const DD other = divide(DD{std::fabs(y), 0}, scaled(t, 2));
        const DD re = x >= 0 ? t : other, im = x >= 0 ? other : t;
        CParts result{};
        if (roundsSafely(re, 4 * STEP_ERROR, 0, result.real)
            && roundsSafely(y < 0 ? negate(im) : im, 4 * STEP_ERROR, 0, result.imaginary))
            return result;
    }
    return rounded(csqrtq(make(x, y)));
}

CParts ln(double x, double y)
{
    CFactor re, im;
    CParts result{};
    if (fastLn(x, y, re, im) && roundsSafely(re.value, re.error, 0, result.real)
        && roundsSafely(im.value, im.error, 0, result.imaginary))
        return result;
    return rounded(clogq(make(x, y)));
}

CParts log10(double x, double y)
{
    CFactor re, im;
    const CFactor scale = {realfunction::INVERSE_LN10, 0};
    CParts result{};
    if (fastLn(x, y, re, im) && products(re, scale, im, scale, 0, result))
        return result;
    return rounded(clog10q(make(x, y)));
}

CParts exp(double x, double y)
{
    if (std::fabs(x) <= FAST_EXP_LIMIT) {
        const realfunction::CScaled e = realfunction::expKernel({x, 0});
        const trigonometry::CSineCosine angle = trigonometry::sineCosine(y, 0);
        const CFactor scale = {e.value, realfunction::EXP_ERROR};
        CParts result{};
        if (products(scale, {angle.cosine, trigonometry::ERROR_BOUND}, scale,
                     {angle.sine, trigonometry::ERROR_BOUND}, e.exponent, result))
            return result;
    }
    const Quad scale = expq(x);
    return rounded(scaled(trigonometry::cosineQuad(y), scale), scaled(trigonometry::sineQuad(y), scale));
}

CParts sin(double x, double y)
{
    CTrigHyperbolic f{};
    CParts result{};
    if (trigHyperbolic(x, y, f) && products(f.sine, f.cosh, f.cosine, f.sinh, f.exponent, result))
        return result;
    return rounded(scaled(trigonometry::sineQuad(x), coshq(y)), scaled(trigonometry::cosineQuad(x), sinhq(y)));
}

CParts cos(double x, double y)
{
    CTrigHyperbolic f{};
    CParts result{};
    if (trigHyperbolic(x, y, f) && products(f.cosine, f.cosh, {negate(f.sine.value), f.sine.error}, f.sinh,
                                            f.exponent, result))
        return result;
    return rounded(scaled(trigonometry::cosineQuad(x), coshq(y)), -scaled(trigonometry::sineQuad(x), sinhq(y)));
}

CParts sinh(double x, double y)
{
    CTrigHyperbolic f{};
    CParts result{};
    if (trigHyperbolic(y, x, f) && products(f.sinh, f.cosine, f.cosh, f.sine, f.exponent, result))
        return result;
    return rounded(scaled(trigonometry::cosineQuad(y), sinhq(x)), scaled(trigonometry::sineQuad(y), coshq(x)));
}

CParts cosh(double x, double y)
{
    CTrigHyperbolic f{};
    CParts result{};
    if (trigHyperbolic(y, x, f) && products(f.cosh, f.cosine, f.sinh, f.sine, f.exponent, result))
        return result;
    return rounded(scaled(trigonometry::cosineQuad(y), coshq(x)), scaled(trigonometry::sineQuad(y), sinhq(x)));
}

bool tanh(double x, double y, CParts& result)
{
    if (fastTanh(x, y, result))
        return true;
    QuadComplex value;
    if (!quadTanh(x, y, value))
        return false;
    result = rounded(value);
    return true;
}

bool tan(double x, double y, CParts& result)
{
    // tan z = -i tanh(iz).
    CParts rotated{};
    if (fastTanh(-y, x, rotated)) {
        result = {rotated.imaginary, -rotated.real};
        return true;
    }
    QuadComplex value;
    if (!quadTanh(-y, x, value))
        return false;
    result = rounded(cimagq(value), -crealq(value));
    return true;
}

CParts arcsin(double x, double y)
{
    CParts result{};
    if (fastInverseSine(x, y, false, result))
        return result;
    return rounded(casinq(make(x, y)));
}

CParts arccos(double x, double y)
{
    CParts result{};
    if (fastInverseSine(x, y, true, result))
        return result;
    return rounded(cacosq(make(x, y)));
}

CParts arctan(double x, double y)
{
    // arctan z = -i arctanh(iz).
    CParts rotated{};
    if (fastArctanh(-y, x, rotated))
        return {rotated.imaginary, -rotated.real};
    QuadComplex z = make(x, y);
    if (x == 0 && std::fabs(y) > 1)
        __real__ z = copysignq(0, y);
    return rounded(catanq(z));
}

CParts arcsinh(double x, double y)
{
    // arcsinh z = -i arcsin(iz).
    CParts rotated{};
    if (fastInverseSine(-y, x, false, rotated))
        return {rotated.imaginary, -rotated.real};
    QuadComplex z = make(x, y);
    if (x == 0 && std::fabs(y) > 1)
        __real__ z = copysignq(0, y);
    return rounded(casinhq(z));
}

CParts arccosh(double x, double y)
{
    // arccosh z = +-i arccos z, the sign that makes the real part positive.
    CParts angle{};
    if (fastInverseSine(x, y, true, angle))
        return angle.imaginary <= 0 ? CParts{-angle.imaginary, angle.real} : CParts{angle.imaginary, -angle.real};
    return rounded(cacoshq(make(x, y)));
}

CParts arctanh(double x, double y)
{
    CParts result{};
    if (fastArctanh(x, y, result))
        return result;
    QuadComplex z = make(x, y);
    if (y == 0 && std::fabs(x) > 1)
        __imag__ z = copysignq(0, -x);
    return rounded(catanhq(z));
}

CParts power(double x, double y, double p, double q)
{
    CParts whole{};
    if (q == 0 && wholepower::isWhole(p) && wholepower::complex(x, y, p, whole))
        return whole;
    if (fastPower(x, y, p, q, whole))
        return whole;
    const Quad logModulus = logq(hypotq(x, y));
    const Quad angle = atan2q(Quad(y) + 0, Quad(x) + 0);
    const Quad scale = expq(p * logModulus - q * angle);
    const Quad theta = q * logModulus + p * angle;
    return rounded(scaled(trigonometry::cosineQuad(theta), scale), scaled(trigonometry::sineQuad(theta), scale));
}

double realPower(double x, double p)
{
    // One rounding already: the squares of a plot's formula stay quick.
    if (p == 2)
        return x * x;
    if (p == -1)
        return 1 / x;
    if (p == 0.5)
        return std::sqrt(x);
    if (wholepower::isWhole(p))
        return wholepower::real(x, p);
    return realfunction::power(x, p);
}

double modulus(double x, double y)
{
    double result = 0;
    if (withinFastRange(x, y) && roundsSafely(squareRoot(squaredModulus(x, y)), 2 * STEP_ERROR, result))
        return result;
    countFallback();
    return double(hypotq(x, y));
}

double argument(double x, double y)
{
    return realfunction::argument(x, y);
}

} // namespace VKCL::complexroute
