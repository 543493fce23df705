// Whole powers: binary powering, at most 64 squarings, in two doubles (about 106 bits) with a
// rounding test, and in two 113-bit numbers (about 226 bits) when the test cannot decide.
#include "engine/whole_power.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include <quadmath.h>

#include "engine/double_double.h"
#include "engine/fallback_count.h"

namespace VKCL::wholepower {

namespace {

using Quad = __float128;
using complexroute::CParts;

// Exponents below this take at most 64 squarings.
constexpr double STEP_LIMIT = 0x1p64;
// Beyond these estimates of log2 |z^n| the power overflows or rounds to 0; the estimate is good to
// far better than the room left.
constexpr double OVERFLOW_LOG2 = 1030, UNDERFLOW_LOG2 = -1080;
// Relative error of one multiplication of two-double numbers, real or complex, or of a reciprocal.
constexpr double STEP_ERROR = 0x1p-100;

double absolute(double v) { return std::fabs(v); }
Quad absolute(Quad v) { return fabsq(v); }
int exponentOf(double v) { int e = 0; std::frexp(v, &e); return e; }
int exponentOf(Quad v) { int e = 0; frexpq(v, &e); return e; }
double scaled(double v, int e) { return std::ldexp(v, e); }
Quad scaled(Quad v, int e) { return ldexpq(v, e); }

template <typename T>
Pair<T> scaled(const Pair<T>& v, int e)
{
    return {scaled(v.high, e), scaled(v.low, e)};
}

// A real (COMPLEX false) or complex number in extra precision times 2^exponent; the larger part
// is kept in [0.5, 1), so that no product overflows or loses digits below the smallest double.
template <typename T, bool COMPLEX>
struct CScaled {
    Pair<T> re, im;
    int64_t exponent = 0;

    void normalize()
    {
        const T larger = absolute(re.high) >= absolute(im.high) ? re.high : im.high;
        if (larger == 0)
            return;
        const int e = exponentOf(larger);
        re = scaled(re, -e);
        im = scaled(im, -e);
        exponent += e;
    }
};

template <typename T, bool COMPLEX>
CScaled<T, COMPLEX> multiply(const CScaled<T, COMPLEX>& a, const CScaled<T, COMPLEX>& b)
{
    CScaled<T, COMPLEX> product;
    if constexpr (COMPLEX) {
        product.re = subtract(multiply(a.re, b.re), multiply(a.im, b.im));
        product.im = add(multiply(a.re, b.im), multiply(a.im, b.re));
    } else {
        product.re = multiply(a.re, b.re);
    }
    product.exponent = a.exponent + b.exponent;
    product.normalize();
    return product;
}

template <typename T, bool COMPLEX>
CScaled<T, COMPLEX> reciprocal(const CScaled<T, COMPLEX>& a)
{
    CScaled<T, COMPLEX> result;
    const Pair<T> one = {1, 0};
    if constexpr (COMPLEX) {
        const Pair<T> squared = add(multiply(a.re, a.re), multiply(a.im, a.im));
        result.re = divide(a.re, squared);
        result.im = negate(divide(a.im, squared));
    } else {
        result.re = divide(one, a.re);
    }
    result.exponent = -a.exponent;
    result.normalize();
    return result;
}

// (x + yi)^n for whole n != 0 with |n| < 2^64, left to right over the bits of |n|.
template <typename T, bool COMPLEX>
CScaled<T, COMPLEX> raise(double x, double y, double n)
{
    CScaled<T, COMPLEX> base;
    base.re = {T(x), 0};
    base.im = {T(y), 0};
    base.normalize();
    const auto bits = uint64_t(std::fabs(n));
    int top = 63;
    while (((bits >> top) & 1) == 0)
        --top;
    CScaled<T, COMPLEX> result = base;
    for (int bit = top - 1; bit >= 0; --bit) {
        result = multiply(result, result);
        if (((bits >> bit) & 1) != 0)
            result = multiply(result, base);
    }
    return n < 0 ? reciprocal(result) : result;
}

// A rounding error at the squaring that leaves j more squarings grows 2^j-fold, so the error of
// the power stays below (4|n| + 16) steps' worth, relative to its modulus.
double powerError(double n)
{
    return (4 * std::fabs(n) + 16) * STEP_ERROR;
}

// The double nearest v * 2^exponent when an error of margin (at v's scale) cannot move it and it
// is not below the normal range (where ldexp would round a second time).
bool roundsSafely(const DD& v, double margin, int64_t exponent, double& result)
{
    const double up = v.high + (v.low + margin), down = v.high + (v.low - margin);
    if (up != down)
        return false;
    result = std::ldexp(up, int(exponent));
    return std::fabs(result) >= DBL_MIN;
}

// Whether a double's last significant binary digit is 0.
bool isEven(double v)
{
    const int unitsExponent = std::min(53 - exponentOf(v), 1074);
    return std::fmod(std::ldexp(v, unitsExponent), 2) == 0;
}

// The double nearest (high + low) * 2^exponent, rounded once.
double nearest(const QQ& v, int64_t exponent)
{
    const Quad high = ldexpq(v.high, int(exponent)), low = ldexpq(v.low, int(exponent));
    const double first = double(high);
    const Quad rest = (high - first) + low;
    if (std::isinf(first) || rest == 0)
        return first;
    const double neighbour = std::nextafter(first, rest > 0 ? HUGE_VAL : -HUGE_VAL);
    // Past the largest double, the gap is the one a next binade would have.
    const Quad gap = std::isinf(neighbour) ? Quad(0x1p971) : fabsq(Quad(neighbour) - first);
    const Quad half = gap / 2, distance = fabsq(rest);
    if (distance != half)
        return distance > half ? neighbour : first;
    return isEven(first) ? first : neighbour;
}

// log2 of |x + yi|, without overflow or underflow on the way.
double log2Modulus(double x, double y)
{
    const int e = exponentOf(std::fmax(std::fabs(x), std::fabs(y)));
    return e + std::log2(std::hypot(std::ldexp(x, -e), std::ldexp(y, -e)));
}

// |z^n| overflows (+1), rounds to 0 (-1) or neither (0).
int beyondRange(double x, double y, double n)
{
    const double estimate = n * log2Modulus(x, y);
    return estimate > OVERFLOW_LOG2 ? 1 : estimate < UNDERFLOW_LOG2 ? -1 : 0;
}

// r^n for r > 0, whole n != 0 and r^n in range.
double positivePower(double r, double n)
{
    if (r == 1)
        return 1;
    const CScaled<double, false> fast = raise<double, false>(r, 0, n);
    double result = 0;
    if (roundsSafely(fast.re, std::fabs(fast.re.high) * powerError(n), fast.exponent, result))
        return result;
    countFallback();
    const CScaled<Quad, false> slow = raise<Quad, false>(r, 0, n);
    return nearest(slow.re, slow.exponent);
}

} // namespace

bool isWhole(double n)
{
    return std::isfinite(n) && std::floor(n) == n;
}

double real(double x, double n)
{
    if (n == 0)
        return 1;
    if (x == 0)
        return n > 0 ? 0 : HUGE_VAL;
    const bool negative = x < 0 && std::fmod(n, 2) != 0;
    double magnitude = 0;
    switch (beyondRange(x, 0, n)) {
    case 1: magnitude = HUGE_VAL; break;
    case -1: magnitude = 0; break;
    default: magnitude = positivePower(std::fabs(x), n);
    }
    return negative ? -magnitude : magnitude;
}

bool complex(double x, double y, double n, CParts& result)
{
    if (y == 0) {
        result = {real(x, n), 0};
        return true;
    }
    if (x == 0) {
        // (iy)^n = i^n |y|^n, with (-i)^n = i^-n: a quarter turn per unit of n.
        const double magnitude = real(std::fabs(y), n);
        const int turns = int(std::fmod(std::fmod(y > 0 ? n : -n, 4) + 4, 4));
        const CParts quarterTurns[] = {{magnitude, 0}, {0, magnitude}, {-magnitude, 0}, {0, -magnitude}};
        result = quarterTurns[turns];
        return true;
    }
    if (n == 0) {
        result = {1, 0};
        return true;
    }
    switch (beyondRange(x, y, n)) {
    case 1: result = {HUGE_VAL, HUGE_VAL}; return true;
    case -1: result = {0, 0}; return true;
    default: break;
    }
    if (std::fabs(n) >= STEP_LIMIT)
        return false;
    const CScaled<double, true> fast = raise<double, true>(x, y, n);
    const double margin = (std::fabs(fast.re.high) + std::fabs(fast.im.high)) * powerError(n);
    if (roundsSafely(fast.re, margin, fast.exponent, result.real)
        && roundsSafely(fast.im, margin, fast.exponent, result.imaginary))
        return true;
    countFallback();
    const CScaled<Quad, true> slow = raise<Quad, true>(x, y, n);
    result = {nearest(slow.re, slow.exponent), nearest(slow.im, slow.exponent)};
    return true;
}

} // namespace VKCL::wholepower
