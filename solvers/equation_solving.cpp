// Roots of quadratic and cubic equations, worked out entirely by the engine under auxiliary names.
//
// The solvers never compute themselves: each step defines ___quad_ as a user function whose body
// is a formula of the calculator's language, calls it with values, and hands the results of one
// call to the next. The language has no conditions, so choices between formulas are written
// as exact arithmetic: 0^abs(v) is 1 for v = 0 and 0 otherwise, which gives a sign that is never
// 0 and weights that are exactly 0 or 1. Only the powers of two that scale the values are chosen
// here, from the values' binary exponents, which the language cannot read.
#include "solvers/equation_solving.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "engine/auxiliary_function.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

using Text = std::basic_string<VKF::UChar>;

Text text(const VKF::UChar* characters)
{
    return Text(characters);
}

VKF::CString toCString(const Text& formula)
{
    return VKF::CString(formula.data(), int32_t(formula.size()));
}

// 1 when v = 0, else 0 (0^0 = 1, 0^x = 0 for x > 0).
Text isZero(const Text& v)
{
    return VKF_T("0^abs(") + v + VKF_T(")");
}

// v, or 1 where v is 0: a divisor that is only ever 0 when its numerator is 0 too.
Text nonZero(const Text& v)
{
    return VKF_T("(") + v + VKF_T("+") + isZero(v) + VKF_T(")");
}

// +1 or -1 exactly: the sign of the real number v, +1 for 0.
Text sign(const Text& v)
{
    return VKF_T("((") + v + VKF_T("+") + isZero(v) + VKF_T(")/(abs(") + v + VKF_T(")+") + isZero(v)
           + VKF_T("))");
}

// 1 when the real number v >= 0, else 0.
Text isNotNegative(const Text& v)
{
    return VKF_T("((1+") + sign(v) + VKF_T(")/2)");
}

// The roots of a*x^2 + b*x + c = 0. The textbook formula loses the small root to cancellation when
// b*b is much larger than 4*a*c; instead q = -(b + s*sqrt(b*b-4*a*c))/2 with the sign s that makes
// b and s*sqrt(...) add up, and the roots q/a and c/q. Which of the two is the +sqrt root depends
// on s: the small one for s = 1.
struct CQuadraticTerms {
    Text s, small, large;
};

CQuadraticTerms quadraticTerms(const Text& a, const Text& b, const Text& c)
{
    Text root = VKF_T("sqrt(") + b + VKF_T("*") + b + VKF_T("-4*") + a + VKF_T("*") + c + VKF_T(")");
    Text s = sign(VKF_T("Re(") + b + VKF_T(")*Re(") + root + VKF_T(")+Im(") + b + VKF_T(")*Im(") + root
                  + VKF_T(")"));
    Text q = VKF_T("(-(") + b + VKF_T("+") + s + VKF_T("*") + root + VKF_T(")/2)");
    // q is 0 only for b = c = 0, where the root c/q is 0 as well.
    return {s, c + VKF_T("/") + nonZero(q), q + VKF_T("/") + a};
}

// The +sqrt or the -sqrt root in one formula, both candidates weighted by s.
Text quadraticRoot(const Text& a, const Text& b, const Text& c, bool plus)
{
    const CQuadraticTerms terms = quadraticTerms(a, b, c);
    Text smallWeight = (plus ? VKF_T("(1+") : VKF_T("(1-")) + terms.s + VKF_T(")/2");
    Text largeWeight = (plus ? VKF_T("(1-") : VKF_T("(1+")) + terms.s + VKF_T(")/2");
    return smallWeight + VKF_T("*") + terms.small + VKF_T("+") + largeWeight + VKF_T("*") + terms.large;
}

const VKF::UChar* const CUBIC_PARAMETERS = VKF_T("__a,__b,__c,__d");
const VKF::UChar* const CUBIC_AND_ROOT_PARAMETERS = VKF_T("__a,__b,__c,__d,__x");
const VKF::UChar* const DEFLATION_PARAMETERS = VKF_T("__a,__c,__d,__x,__m,__n");

// Cardano's root number k (0, 1, 2) of __a*x^3 + __b*x^2 + __c*x + __d = 0:
// -(b + w + d0/w)/(3a) with w = xi^k * cbrt((d1 + s*sqrt(d1^2 - 4*d0^3))/2), xi a cube root of
// unity, the sign s chosen so that the cube root's argument does not cancel. Its argument is 0
// only for a triple root, where d0 = 0 and the root is -b/(3a).
Text cardanoRoot(int k)
{
    const Text d0 = VKF_T("(__b*__b-3*__a*__c)");
    const Text d1 = VKF_T("(2*__b*__b*__b-9*__a*__b*__c+27*__a*__a*__d)");
    Text root = VKF_T("sqrt(") + d1 + VKF_T("*") + d1 + VKF_T("-4*") + d0 + VKF_T("*") + d0 + VKF_T("*") + d0
                + VKF_T(")");
    Text s = sign(VKF_T("Re(") + d1 + VKF_T(")*Re(") + root + VKF_T(")+Im(") + d1 + VKF_T(")*Im(") + root
                  + VKF_T(")"));
    Text cubeRoot = VKF_T("(((") + d1 + VKF_T("+") + s + VKF_T("*") + root + VKF_T(")/2)^(1/3))");
    const VKF::UChar* const unity[] = {VKF_T("1"), VKF_T("((-1+i*sqrt(3))/2)"), VKF_T("((-1-i*sqrt(3))/2)")};
    Text w = VKF_T("(") + text(unity[k]) + VKF_T("*") + cubeRoot + VKF_T(")");
    return VKF_T("-(__b+") + w + VKF_T("+") + d0 + VKF_T("/") + nonZero(w) + VKF_T(")/(3*__a)");
}

// Of __x, __y, __z the one of largest modulus (the first of equals).
Text largestOfThree()
{
    Text xFirst = isNotNegative(VKF_T("abs(__x)-abs(__y)")) + VKF_T("*")
                  + isNotNegative(VKF_T("abs(__x)-abs(__z)"));
    Text yBeforeZ = isNotNegative(VKF_T("abs(__y)-abs(__z)"));
    return xFirst + VKF_T("*__x+(1-") + xFirst + VKF_T(")*(") + yBeforeZ + VKF_T("*__y+(1-") + yBeforeZ
           + VKF_T(")*__z)");
}

Text cubicAt(const Text& x)
{
    return VKF_T("(((__a*") + x + VKF_T("+__b)*") + x + VKF_T("+__c)*") + x + VKF_T("+__d)");
}

Text cubicSlopeAt(const Text& x)
{
    return VKF_T("((3*__a*") + x + VKF_T("+2*__b)*") + x + VKF_T("+__c)");
}

// One Newton step from __x, taken only when it does not make the cubic's value larger: near a
// double root the value is rounding noise and a plain step could throw the root away. Where the
// slope is exactly 0 the step is 0.
Text newtonStep()
{
    Text slope = cubicSlopeAt(VKF_T("__x"));
    Text next = VKF_T("(__x-") + cubicAt(VKF_T("__x")) + VKF_T("*(1-") + isZero(slope) + VKF_T(")/")
                + nonZero(slope) + VKF_T(")");
    Text better = isNotNegative(VKF_T("abs(") + cubicAt(VKF_T("__x")) + VKF_T(")-abs(") + cubicAt(next)
                                + VKF_T(")"));
    return VKF_T("__x+") + better + VKF_T("*(") + next + VKF_T("-__x)");
}

// Dividing the root x out of __a*x^3 + __b*x^2 + __c*x + __d leaves __a*(x^2 + beta*x + gamma), with
// gamma = -d/(a*x) and beta = (gamma - c/a)/x: products and quotients, so that a root much smaller
// than x keeps its digits. Here __a, __c, __d and __x are mantissas and __m, __n the powers of two
// that bring gamma and c/a to a common exponent. __x is 0 only when all three roots are.
Text deflatedGamma()
{
    return VKF_T("(-__d/(__a*") + nonZero(VKF_T("__x")) + VKF_T("))");
}

Text deflatedBeta()
{
    return VKF_T("((") + deflatedGamma() + VKF_T("*__m-__c/__a*__n)/") + nonZero(VKF_T("__x")) + VKF_T(")");
}

// __x with a real or imaginary part dropped that is below 2^-44 of its modulus, beneath the 13
// digits shown: a real root reached through complex arithmetic keeps such a part as noise.
Text withoutNoise()
{
    const Text scale = VKF_T("abs(__x)*2^8");
    auto part = [&](const VKF::UChar* name) {
        Text value = text(name) + VKF_T("(__x)");
        // Adding and taking away scale rounds away exactly the parts that small.
        return value + VKF_T("*(1-") + isZero(VKF_T("(") + value + VKF_T("+") + scale + VKF_T(")-") + scale)
               + VKF_T(")");
    };
    return part(VKF_T("Re")) + VKF_T("+i*") + part(VKF_T("Im"));
}

constexpr int POLISHING_STEPS = 3;
// Roots whose larger part lies below 2^-1030 have lost digits to the subnormal range.
const VKF::UChar* const SMALLEST_ROOT = VKF_T("2^(-1031)");

// The solvers' formula: defined anew for each step, with its parameters and body as formula text.
class CRootFunction {
public:
    explicit CRootFunction(CCalculator& calculator) : m_function(calculator, ROOT_FUNCTION_NAME) {}

    void define(const Text& parameters, const Text& body) { m_function.define(toCString(parameters), toCString(body)); }
    CValue call(const std::vector<CValue>& arguments) { return m_function.call(arguments); }

private:
    CAuxiliaryFunction m_function;
};

// A number as value * 2^exponent: coefficients derived from others may lie beyond the double range.
struct CScaled {
    CValue value;
    int exponent = 0;
};

// The binary exponent of the larger part of the number; none for 0.
std::optional<int> binaryExponent(const CScaled& number)
{
    std::optional<int> exponent;
    for (const double part : {number.value.real(), number.value.imaginary()})
        if (part != 0)
            exponent = std::max(exponent.value_or(INT_MIN), std::ilogb(part) + number.exponent);
    return exponent;
}

// The power of two by which the unknown of a cubic (coefficients highest power first) is divided so
// that its largest root comes near 1: Fujiwara's bound max |k_j/k_0|^(1/j) in binary exponents.
int largestRootExponent(const std::vector<CScaled>& coefficients)
{
    const std::optional<int> leading = binaryExponent(coefficients[0]);
    std::optional<int> exponent;
    for (size_t power = 1; leading && power < coefficients.size(); ++power)
        if (const std::optional<int> e = binaryExponent(coefficients[power]))
            exponent = std::max(exponent.value_or(INT_MIN), int(std::ceil((*e - *leading) / double(power))));
    return exponent.value_or(0);
}

// The engine's steps, with the unknown and the coefficients scaled by powers of two so that the
// values worked with stay near 1: multiplying by a power of two is exact, so the roots of
// equations whose coefficients lie anywhere in the number range come out without an overflow or
// underflow on the way. The formulas' parameters are a, b and c behind a prefix: the cubic's carry
// two underscores, out of the way of the user's plain names.
class CScaledSolver {
public:
    CScaledSolver(CCalculator& calculator, const VKF::UChar* prefix)
        : m_function(calculator), m_a(Text(prefix) + VKF_T("a")), m_b(Text(prefix) + VKF_T("b")),
          m_c(Text(prefix) + VKF_T("c")), m_parameters(m_a + VKF_T(",") + m_b + VKF_T(",") + m_c)
    {
    }

    CRootFunction& function() { return m_function; }

    // The numbers as doubles; each power of two is applied as two factors that are doubles
    // themselves, so that it may reach twice the exponent range.
    std::vector<CValue> scaled(const std::vector<CScaled>& numbers)
    {
        return applied(m_a + VKF_T("*") + m_b + VKF_T("*") + m_c, numbers);
    }

    // The roots as the user sees them: exactly 0, or scaled back and still a normal double; a root
    // out of range fails with the engine's overflow message (0^-1 overflows).
    std::vector<CValue> shown(const std::vector<CScaled>& roots)
    {
        const Text root = VKF_T("(") + m_a + VKF_T("*") + m_b + VKF_T("*") + m_c + VKF_T(")");
        const Text isNonZero = VKF_T("(1-") + isZero(VKF_T("Re(") + m_a + VKF_T(")")) + VKF_T("*")
                               + isZero(VKF_T("Im(") + m_a + VKF_T(")")) + VKF_T(")");
        const Text tooSmall = VKF_T("(1-") + isNotNegative(VKF_T("abs(Re(") + root + VKF_T("))/2+abs(Im(") + root
                                                         + VKF_T("))/2-") + SMALLEST_ROOT)
                              + VKF_T(")");
        // Adding 0 also turns -0 into 0.
        return applied(root + VKF_T("+0*(1-") + isNonZero + VKF_T("*") + tooSmall + VKF_T(")^(-1)"), roots);
    }

    // The coefficients (highest power first) of the equation in y = x / 2^t, divided by the power of
    // two that brings the largest of them near 1.
    std::vector<CValue> withUnknownScaled(const std::vector<CScaled>& coefficients, int t)
    {
        std::vector<CScaled> terms;
        std::optional<int> largest;
        for (size_t k = 0; k < coefficients.size(); ++k) {
            const int power = int(coefficients.size() - 1 - k);
            terms.push_back({coefficients[k].value, coefficients[k].exponent + power * t});
            if (const std::optional<int> e = binaryExponent(terms.back()))
                largest = std::max(largest.value_or(INT_MIN), *e);
        }
        for (CScaled& term : terms)
            term.exponent -= largest.value_or(0);
        return scaled(terms);
    }

    // The roots of a*x^2 + b*x + c = 0, the +sqrt root first, as y * 2^t. Each root is worked out
    // with the unknown scaled so that it comes near 1: where b dominates, the large root near
    // -b/a and the small one near -c/b each get their own scale, otherwise both share the one
    // that brings their product near 1.
    std::array<CScaled, 2> quadraticRoots(const std::vector<CScaled>& coefficients)
    {
        const std::optional<int> a = binaryExponent(coefficients[0]), b = binaryExponent(coefficients[1]),
                                 c = binaryExponent(coefficients[2]);
        int largeScale = 0, smallScale = 0;
        if (a && b && c && 2 * *b > *a + *c) {
            largeScale = *b - *a;
            smallScale = *c - *b;
        } else if (a && c) {
            largeScale = smallScale = int(std::floor((*c - *a) / 2.0));
        } else if (a && b) {
            largeScale = smallScale = *b - *a;
        }
        const CQuadraticTerms terms = quadraticTerms(m_a, m_b, m_c);
        const std::vector<CValue> nearLarge = withUnknownScaled(coefficients, largeScale);
        const std::vector<CValue> nearSmall = withUnknownScaled(coefficients, smallScale);
        m_function.define(m_parameters, terms.s);
        const bool smallFirst = m_function.call(nearLarge).real() > 0;
        m_function.define(m_parameters, terms.large);
        const CScaled large{m_function.call(nearLarge), largeScale};
        m_function.define(m_parameters, terms.small);
        const CScaled small{m_function.call(nearSmall), smallScale};
        return smallFirst ? std::array<CScaled, 2>{small, large} : std::array<CScaled, 2>{large, small};
    }

    void defineQuadraticRoot(bool plus) { m_function.define(m_parameters, quadraticRoot(m_a, m_b, m_c, plus)); }

private:
    // Defines body as the function of (value, factor, factor) and calls it for each number.
    std::vector<CValue> applied(const Text& body, const std::vector<CScaled>& numbers)
    {
        m_function.define(m_parameters, body);
        std::vector<CValue> values;
        for (const CScaled& number : numbers) {
            const int half = number.exponent / 2;
            values.push_back(m_function.call({number.value, CValue(std::ldexp(1.0, half), 0),
                                              CValue(std::ldexp(1.0, number.exponent - half), 0)}));
        }
        return values;
    }

    CRootFunction m_function;
    const Text m_a, m_b, m_c, m_parameters;
};

} // namespace

std::optional<CValue> evaluateCoefficient(CCalculator& calculator, const VKF::CString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    try {
        return CAuxiliaryFunction(calculator, COEFFICIENT_FUNCTION_NAME).evaluate(text);
    } catch (const VKF::CException&) {
        return std::nullopt;
    }
}

std::array<CValue, 2> solveQuadratic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c)
{
    CScaledSolver solver(calculator, VKF_T(""));
    const std::array<CScaled, 2> roots = solver.quadraticRoots({{a}, {b}, {c}});
    const std::vector<CValue> shown = solver.shown({roots[0], roots[1]});
    // The -sqrt formula stays defined, for the user to call at the console.
    solver.defineQuadraticRoot(false);
    return {shown[0], shown[1]};
}

// Cardano's formula gives all three roots, but only the largest with all its digits: the others
// can drown in the rounding of much larger terms. So the largest is taken, polished by Newton
// steps, divided out of the cubic, and the two roots of the remaining quadratic polished too.
// Each root is polished with the unknown scaled so that the root is near 1.
std::array<CValue, 3> solveCubic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c,
                                 const CValue& d)
{
    CScaledSolver solver(calculator, VKF_T("__"));
    CRootFunction& function = solver.function();
    const std::vector<CScaled> coefficients = {{a}, {b}, {c}, {d}};
    const int t = largestRootExponent(coefficients);
    const std::vector<CValue> equation = solver.withUnknownScaled(coefficients, t);
    std::vector<CValue> cardano;
    for (int k = 0; k < 3; ++k) {
        function.define(CUBIC_PARAMETERS, cardanoRoot(k));
        cardano.push_back(function.call(equation));
    }
    function.define(VKF_T("__x,__y,__z"), largestOfThree());
    CScaled largest{function.call(cardano), t};

    auto polish = [&](const std::vector<CValue>& scaledEquation, CValue& root) {
        function.define(CUBIC_AND_ROOT_PARAMETERS, newtonStep());
        std::vector<CValue> arguments = scaledEquation;
        arguments.push_back(root);
        for (int step = 0; step < POLISHING_STEPS; ++step)
            arguments.back() = root = function.call(arguments);
    };
    polish(equation, largest.value);

    // The remaining quadratic x^2 + beta*x + gamma, from the mantissas of a, c and d with their
    // exponents kept aside. gamma and c/a are brought to a common exponent for beta; a term that is
    // 0 has no exponent and no say in it.
    std::vector<CScaled> mantissas;
    std::vector<std::optional<int>> exponents;
    for (const CScaled& coefficient : {coefficients[0], coefficients[2], coefficients[3]}) {
        exponents.push_back(binaryExponent(coefficient));
        mantissas.push_back({coefficient.value, -exponents.back().value_or(0)});
    }
    const int leading = exponents[0].value_or(0);
    const int gammaExponent = exponents[2].value_or(leading + t) - leading - t;
    const int ratioExponent = exponents[1].value_or(leading) - leading;
    const int common = exponents[1] && exponents[2] ? std::max(gammaExponent, ratioExponent)
                                                    : exponents[1] ? ratioExponent : gammaExponent;
    std::vector<CValue> arguments = solver.scaled(mantissas);
    arguments.push_back(largest.value);
    arguments.push_back(CValue(std::ldexp(1.0, gammaExponent - common), 0));
    arguments.push_back(CValue(std::ldexp(1.0, ratioExponent - common), 0));
    function.define(DEFLATION_PARAMETERS, deflatedGamma());
    const CScaled gamma{function.call(arguments), gammaExponent};
    function.define(DEFLATION_PARAMETERS, deflatedBeta());
    const CScaled beta{function.call(arguments), common - t};
    const std::array<CScaled, 2> smaller = solver.quadraticRoots({{CValue(1, 0)}, beta, gamma});

    std::vector<CScaled> roots = {largest};
    for (const CScaled& root : smaller) {
        const int e = binaryExponent({root.value}).value_or(0);
        const CScaled nearOne{solver.scaled({{root.value, -e}})[0], root.exponent + e};
        const std::vector<CValue> rootEquation = solver.withUnknownScaled(coefficients, nearOne.exponent);
        roots.push_back(nearOne);
        polish(rootEquation, roots.back().value);
    }

    function.define(VKF_T("__x"), withoutNoise());
    for (CScaled& root : roots)
        root.value = function.call({root.value});
    const std::vector<CValue> shown = solver.shown(roots);
    return {shown[0], shown[1], shown[2]};
}

} // namespace VKCL
