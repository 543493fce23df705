// Unevaluated sums of two floating-point numbers (two doubles: about 106 bits; two 113-bit
// numbers: about 226 bits), built from exact IEEE operations only, so every build gets the same
// digits.
#pragma once

#include <cfloat>
#include <cmath>

#include <quadmath.h>

namespace VKCL {

template <typename T>
struct Pair {
    T high = 0;
    T low = 0;
};

using DD = Pair<double>;
using QQ = Pair<__float128>;

// 2^ceil(p/2) + 1 for a p-bit significand: Dekker's product splits each operand with it.
template <typename T>
inline constexpr T SPLITTER = 0;
template <>
inline constexpr double SPLITTER<double> = 134217729.0;   // 2^27 + 1
template <>
inline constexpr __float128 SPLITTER<__float128> = __float128(0x1p57) + 1;   // 2^57 + 1

// a + b exactly, for |a| >= |b|.
template <typename T>
Pair<T> fastTwoSum(T a, T b)
{
    const T sum = a + b;
    return {sum, b - (sum - a)};
}

// a + b exactly.
template <typename T>
Pair<T> twoSum(T a, T b)
{
    const T sum = a + b;
    const T bVirtual = sum - a;
    return {sum, (a - (sum - bVirtual)) + (b - bVirtual)};
}

// a * b exactly (Dekker's product; the operands stay far from overflow here).
template <typename T>
Pair<T> multiply(T a, T b)
{
    const T ca = SPLITTER<T> * a, cb = SPLITTER<T> * b;
    const T aHigh = ca - (ca - a), aLow = a - aHigh;
    const T bHigh = cb - (cb - b), bLow = b - bHigh;
    const T product = a * b;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

template <typename T>
Pair<T> negate(const Pair<T>& a)
{
    return {-a.high, -a.low};
}

template <typename T>
Pair<T> add(const Pair<T>& a, T b)
{
    const Pair<T> sum = twoSum(a.high, b);
    return fastTwoSum(sum.high, sum.low + a.low);
}

template <typename T>
Pair<T> add(const Pair<T>& a, const Pair<T>& b)
{
    const Pair<T> sum = twoSum(a.high, b.high);
    return fastTwoSum(sum.high, sum.low + (a.low + b.low));
}

template <typename T>
Pair<T> subtract(const Pair<T>& a, const Pair<T>& b)
{
    return add(a, negate(b));
}

// Relative error below 2^-103 for two doubles.
template <typename T>
Pair<T> multiply(const Pair<T>& a, const Pair<T>& b)
{
    const Pair<T> product = multiply(a.high, b.high);
    return fastTwoSum(product.high, product.low + (a.high * b.low + a.low * b.high));
}

template <typename T>
Pair<T> multiply(const Pair<T>& a, T b)
{
    const Pair<T> product = multiply(a.high, b);
    return fastTwoSum(product.high, product.low + a.low * b);
}

template <typename T>
Pair<T> divide(const Pair<T>& a, const Pair<T>& b)
{
    const T first = a.high / b.high;
    const Pair<T> remainder = add(a, negate(multiply(b, Pair<T>{first, 0})));
    return fastTwoSum(first, remainder.high / b.high);
}

// sqrt(a) for a >= 0, relative error about 2^-104.
inline DD squareRoot(const DD& a)
{
    if (a.high == 0)
        return {0, 0};
    const double first = std::sqrt(a.high);
    const DD residual = subtract(a, multiply(first, first));
    return fastTwoSum(first, residual.high / (2 * first));
}

inline DD scaled(const DD& a, double factor)
{
    return {a.high * factor, a.low * factor};
}

// The double nearest high + low when an error of relativeError * |high| cannot move it; false
// when it could (then a more precise route decides), and for values so small that the low part
// would lose digits below the smallest normal double.
inline bool roundsSafely(const DD& value, double relativeError, double& result)
{
    constexpr double SMALLEST_FULL = 0x1p-960;
    if (value.high != 0 && std::fabs(value.high) < SMALLEST_FULL)
        return false;
    const double margin = std::fabs(value.high) * relativeError;
    const double up = value.high + (value.low + margin);
    const double down = value.high + (value.low - margin);
    result = up;
    return up == down;
}

// The same for value * 2^exponent; also false where that falls below the normal range (ldexp
// would round a second time there). An exact 0 stays 0.
inline bool roundsSafely(const DD& value, double relativeError, int exponent, double& result)
{
    if (!roundsSafely(value, relativeError, result))
        return false;
    result = std::ldexp(result, exponent);
    return result == 0 ? value.high == 0 : std::fabs(result) >= DBL_MIN;
}

inline DD fromQuad(__float128 value)
{
    const auto high = double(value);
    return {high, double(value - high)};
}

} // namespace VKCL
