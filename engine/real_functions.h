// Real elementary functions, correctly rounded and the same on every build: a double-double
// evaluation whose rounding is tested, and libquadmath where the test cannot decide.
#pragma once

#include "engine/double_double.h"

namespace VKCL::realfunction {

// Each returns the double nearest the exact value; an overflow gives an infinity, an argument
// outside the domain a NaN.
double exp(double x);
double ln(double x);       // x > 0
double log10(double x);    // x > 0
double sinh(double x);
double cosh(double x);
double tanh(double x);
double arctan(double x);
double arcsin(double x);   // |x| <= 1
double arccos(double x);   // |x| <= 1
double arcsinh(double x);
double arccosh(double x);  // x >= 1
double arctanh(double x);  // |x| < 1
// x^p for x >= 0 and p not whole.
double power(double x, double p);
// The angle of x + yi in (-pi, pi], for z != 0.
double argument(double x, double y);

// Kernels for the complex routes, each with its relative error bound: derived in the source, and
// checked against MPFR over 400,000 arguments each (largest seen: exp 2^-75.9, ln 2^-69.4,
// log1p 2^-69.3, atan 2^-69.0).
// e^x = value * 2^exponent for |x.high| <= 708.
struct CScaled {
    DD value;
    int exponent;
};
constexpr double EXP_ERROR = 0x1p-72;
CScaled expKernel(const DD& x);
// ln x for a positive finite x: within LN_ERROR of it, and also within
// LN_ABSOLUTE_ERROR + 2^-100 |ln x| (what matters once it is multiplied).
constexpr double LN_ERROR = 0x1p-67;
constexpr double LN_ABSOLUTE_ERROR = 0x1p-76;
DD lnKernel(double x);
// ln a for a positive double-double a (within 2^-8 of 1 only if a.low is 0), and log1p u.
DD lnOfPair(const DD& a);
constexpr double LOG1P_ERROR = 0x1p-67;
DD log1pKernel(const DD& u);
// atan(num / den) in [0, pi/2] for num, den >= 0, not both 0.
constexpr double ATAN_ERROR = 0x1p-67;
DD atanOfRatio(const DD& num, const DD& den);
// The angle of x + yi != 0 in (-pi, pi], within ATAN_ERROR.
DD argumentKernel(double x, double y);
// The same for double-doubles of moderate size (products of them must not overflow).
DD argumentKernel(const DD& x, const DD& y);
// cosh x and sinh x, both times 2^exponent, for |x| <= 708.
struct CHyperbolic {
    DD cosh, sinh;
    int exponent;
    double coshError, sinhError;
};
CHyperbolic hyperbolicKernel(double x);

// ln 2, pi and 1/ln 10 as the double nearest each and the double nearest the rest.
inline constexpr DD LN2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
inline constexpr DD PI = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
inline constexpr DD INVERSE_LN10 = {0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57};

} // namespace VKCL::realfunction
