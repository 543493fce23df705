// Complex routes in 113-bit precision: libquadmath's functions (Kahan's branch cuts, Hull,
// Fairgrieve and Tang's arcsine) where they serve, own compositions where the calculator's exact
// zeros or sides of a cut need them.
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
    return rounded(csqrtq(make(x, y)));
}

CParts ln(double x, double y)
{
    return rounded(clogq(make(x, y)));
}

CParts log10(double x, double y)
{
    return rounded(clog10q(make(x, y)));
}

CParts exp(double x, double y)
{
    const Quad scale = expq(x);
    return rounded(scaled(trigonometry::cosineQuad(y), scale), scaled(trigonometry::sineQuad(y), scale));
}

CParts sin(double x, double y)
{
    return rounded(scaled(trigonometry::sineQuad(x), coshq(y)), scaled(trigonometry::cosineQuad(x), sinhq(y)));
}

CParts cos(double x, double y)
{
    return rounded(scaled(trigonometry::cosineQuad(x), coshq(y)), -scaled(trigonometry::sineQuad(x), sinhq(y)));
}

CParts sinh(double x, double y)
{
    return rounded(scaled(trigonometry::cosineQuad(y), sinhq(x)), scaled(trigonometry::sineQuad(y), coshq(x)));
}

CParts cosh(double x, double y)
{
    return rounded(scaled(trigonometry::cosineQuad(y), coshq(x)), scaled(trigonometry::sineQuad(y), sinhq(x)));
}

bool tanh(double x, double y, CParts& result)
{
    QuadComplex value;
    if (!quadTanh(x, y, value))
        return false;
    result = rounded(value);
    return true;
}

bool tan(double x, double y, CParts& result)
{
    // tan z = -i tanh(iz).
    QuadComplex value;
    if (!quadTanh(-y, x, value))
        return false;
    result = rounded(cimagq(value), -crealq(value));
    return true;
}

CParts arcsin(double x, double y)
{
    return rounded(casinq(make(x, y)));
}

CParts arccos(double x, double y)
{
    return rounded(cacosq(make(x, y)));
}

CParts arctan(double x, double y)
{
    QuadComplex z = make(x, y);
    if (x == 0 && std::fabs(y) > 1)
        __real__ z = copysignq(0, y);
    return rounded(catanq(z));
}

CParts arcsinh(double x, double y)
{
    QuadComplex z = make(x, y);
    if (x == 0 && std::fabs(y) > 1)
        __real__ z = copysignq(0, y);
    return rounded(casinhq(z));
}

CParts arccosh(double x, double y)
{
    return rounded(cacoshq(make(x, y)));
}

CParts arctanh(double x, double y)
{
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
    countFallback();
    return double(hypotq(x, y));
}

double argument(double x, double y)
{
    return realfunction::argument(x, y);
}

} // namespace VKCL::complexroute
