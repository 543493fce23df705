// Unevaluated sums of two doubles (about 106 bits), built from exact IEEE operations only, so
// every build gets the same digits.
#pragma once

#include <quadmath.h>

namespace VKCL {

struct DD {
    double high = 0;
    double low = 0;
};

// a + b exactly, for |a| >= |b|.
inline DD fastTwoSum(double a, double b)
{
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// a + b exactly.
inline DD twoSum(double a, double b)
{
    const double sum = a + b;
    const double bVirtual = sum - a;
    return {sum, (a - (sum - bVirtual)) + (b - bVirtual)};
}

// a * b exactly (Dekker's product; the operands stay far from overflow here).
inline DD multiply(double a, double b)
{
    constexpr double SPLITTER = 134217729.0;   // 2^27 + 1
    const double ca = SPLITTER * a, cb = SPLITTER * b;
    const double aHigh = ca - (ca - a), aLow = a - aHigh;
    const double bHigh = cb - (cb - b), bLow = b - bHigh;
    const double product = a * b;
    return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

inline DD negate(const DD& a)
{
    return {-a.high, -a.low};
}

inline DD add(const DD& a, double b)
{
    const DD sum = twoSum(a.high, b);
    return fastTwoSum(sum.high, sum.low + a.low);
}

inline DD add(const DD& a, const DD& b)
{
    const DD sum = twoSum(a.high, b.high);
    return fastTwoSum(sum.high, sum.low + (a.low + b.low));
}

inline DD multiply(const DD& a, const DD& b)
{
    const DD product = multiply(a.high, b.high);
    return fastTwoSum(product.high, product.low + (a.high * b.low + a.low * b.high));
}

inline DD divide(const DD& a, const DD& b)
{
    const double first = a.high / b.high;
    const DD remainder = add(a, negate(multiply(b, DD{first, 0})));
    return fastTwoSum(first, remainder.high / b.high);
}

inline DD fromQuad(__float128 value)
{
    const auto high = double(value);
    return {high, double(value - high)};
}

} // namespace VKCL
