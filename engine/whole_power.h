// Powers with a whole exponent: exact on the axes, correctly rounded elsewhere, by binary powering
// in extra precision.
#pragma once

#include "engine/complex_functions.h"

namespace VKCL::wholepower {

// True for a finite whole number (every double of magnitude 2^52 or more is one).
bool isWhole(double n);

// x^n for whole n, correctly rounded; infinite when it overflows (0^n with n < 0 included).
double real(double x, double n);

// (x + yi)^n for whole n and z != 0, each part correctly rounded, infinite parts on overflow.
// False when |n| >= 2^64 and |z| lies so near 1 that the power is neither 0 nor an overflow.
bool complex(double x, double y, double n, complexroute::CParts& result);

} // namespace VKCL::wholepower
