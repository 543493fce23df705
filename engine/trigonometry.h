// Sine, cosine and tangent of a real argument, correctly rounded and the same on every build,
// with exact zeros where the argument is a multiple of pi/2 up to its last digit.
#pragma once

#include <quadmath.h>

#include "engine/double_double.h"

namespace VKCL::trigonometry {

// x as n quarter turns plus a remainder in [-pi/4, pi/4] held as an unevaluated sum.
struct CReducedAngle {
    int quarterTurns = 0;        // n modulo 4
    double high = 0, low = 0;    // x - n * pi/2
    // n is not 0 and x lies within one unit in its last place of n * pi/2 (|x| < 2^23, where a
    // multiple up to 10^6 pi typed as k*pi or (k+0.5)*pi lands): the sine (n even) or
    // the cosine (n odd) is taken as exactly 0, the rest of the multiple's rounding.
    bool onMultiple = false;
};

CReducedAngle reduce(double x);

// Relative error of the double-double sines and cosines below: derived about 2^-67.5, measured
// below 2^-67.6 against MPFR over 1.5 million arguments up to 1E15.
constexpr double ERROR_BOUND = 0x1p-66;

// sin and cos of high + low (|low| at most half a unit in high's last place) in double-double;
// where high is a multiple of pi/2 as above, the vanishing one is exactly 0.
struct CSineCosine {
    DD sine, cosine;
};
CSineCosine sineCosine(double high, double low);

double sine(double x);
double cosine(double x);
// False where the cosine is exactly 0 (a pole).
bool tangent(double x, double& result);

// The same in 113-bit precision, for the complex routes; the exact zeros as above, for the
// argument rounded to a double.
__float128 sineQuad(__float128 x);
__float128 cosineQuad(__float128 x);

} // namespace VKCL::trigonometry
