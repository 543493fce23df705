// The complex routes of the built-in functions and of power, each computed in 113-bit precision
// (libquadmath, the same code on every build) and rounded once to doubles.
#pragma once

namespace VKCL::complexroute {

struct CParts {
    double real;
    double imaginary;
};

// Each takes z = x + yi; a zero part is taken as +0 except where a function names its own side.
CParts sqrt(double x, double y);
CParts ln(double x, double y);
CParts log10(double x, double y);
CParts exp(double x, double y);
CParts sin(double x, double y);
CParts cos(double x, double y);
CParts sinh(double x, double y);
CParts cosh(double x, double y);
// False at a pole (tanh of i(k + 1/2)pi, tan of (k + 1/2)pi).
bool tan(double x, double y, CParts& result);
bool tanh(double x, double y, CParts& result);
CParts arcsin(double x, double y);
CParts arccos(double x, double y);
// On the cuts iy, |y| > 1, the side of the sign of y: arctan(2i) = pi/2 + ..., arctan(-2i) = -pi/2 - ....
CParts arctan(double x, double y);
// On the cuts iy, |y| > 1, the side of the sign of y, as arctan.
CParts arcsinh(double x, double y);
CParts arccosh(double x, double y);
// On the cuts x > 1 and x < -1 of the real axis, the lower and the upper side.
CParts arctanh(double x, double y);
// z^w for z != 0: whole exponents by binary powering, the rest as exp(w ln z).
CParts power(double x, double y, double p, double q);
// Real powers: x^p with x >= 0 or p whole.
double realPower(double x, double p);
double modulus(double x, double y);
// The angle in (-pi, pi] of z != 0.
double argument(double x, double y);

} // namespace VKCL::complexroute
