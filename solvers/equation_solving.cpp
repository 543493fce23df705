// Roots of quadratic and cubic equations, worked out entirely by the engine under auxiliary names.
//
// The solvers never compute themselves: each step defines ___quad_ as a user function whose body
// is a formula of the calculator's language, calls it with values, and hands the results of one
// call to the next. The language has no conditions, so choices between formulas are written
// as exact arithmetic: 0^abs(v) is 1 for v = 0 and 0 otherwise, which gives a sign that is never
// 0 and weights that are exactly 0 or 1.
#include "solvers/equation_solving.h"

#include <initializer_list>
#include <string>

#include "engine/calculator.h"
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

// One root of a*x^2 + b*x + c = 0 (plus: the +sqrt root). The textbook formula loses the small root
// to cancellation when b*b is much larger than 4*a*c; instead q = -(b + s*sqrt(b*b-4*a*c))/2 with
// the sign s that makes b and s*sqrt(...) add up, and the roots q/a and c/q. Which of the two is
// the +sqrt root depends on s, so both are weighted by it.
Text quadraticRoot(const Text& a, const Text& b, const Text& c, bool plus)
{
    Text root = VKF_T("sqrt(") + b + VKF_T("*") + b + VKF_T("-4*") + a + VKF_T("*") + c + VKF_T(")");
    Text s = sign(VKF_T("Re(") + b + VKF_T(")*Re(") + root + VKF_T(")+Im(") + b + VKF_T(")*Im(") + root
                  + VKF_T(")"));
    Text q = VKF_T("(-(") + b + VKF_T("+") + s + VKF_T("*") + root + VKF_T(")/2)");
    // q is 0 only for b = c = 0, where the root c/q is 0 as well.
    Text small = c + VKF_T("/") + nonZero(q);
    Text large = q + VKF_T("/") + a;
    Text smallWeight = (plus ? VKF_T("(1+") : VKF_T("(1-")) + s + VKF_T(")/2");
    Text largeWeight = (plus ? VKF_T("(1-") : VKF_T("(1+")) + s + VKF_T(")/2");
    return smallWeight + VKF_T("*") + small + VKF_T("+") + largeWeight + VKF_T("*") + large;
}

const VKF::UChar* const QUADRATIC_PARAMETERS = VKF_T("a,b,c");
const VKF::UChar* const CUBIC_PARAMETERS = VKF_T("__a,__b,__c,__d");
const VKF::UChar* const CUBIC_AND_ROOT_PARAMETERS = VKF_T("__a,__b,__c,__d,__x");

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

// The root of __a*(x-__x)*(x^2 + beta*x + gamma) = cubic left when the root __x is divided out,
// with gamma = -d/(a*__x) and beta = (gamma - c/a)/__x: products and quotients, so that a root much
// smaller than __x keeps its digits. __x is 0 only when all three roots are.
Text deflatedRoot(bool plus)
{
    Text divisor = nonZero(VKF_T("__x"));
    Text gamma = VKF_T("(-__d/(__a*") + divisor + VKF_T("))");
    Text beta = VKF_T("((") + gamma + VKF_T("-__c/__a)/") + divisor + VKF_T(")");
    return quadraticRoot(VKF_T("1"), beta, gamma, plus);
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

class CRootFunction {
public:
    explicit CRootFunction(CCalculator& calculator) : m_calculator(calculator) {}

    // Unassigns ___quad_ (so that no reassignment question can come) and defines it anew. An
    // invalid definition shows up when the function is called.
    void define(const VKF::UChar* parameters, const Text& body)
    {
        forget();
        Text statement = text(ROOT_FUNCTION_NAME) + VKF_T("(") + parameters + VKF_T(")=") + body;
        VKF::CString output;
        m_calculator.executeStatement(toCString(statement), output);
    }

    void forget()
    {
        VKF::CString output;
        try {
            m_calculator.executeStatement(VKF::CString(ROOT_FUNCTION_NAME) + VKF_T("=?"), output);
        } catch (const VKF::CException&) {
        }
    }

    CValue call(std::initializer_list<CValue> arguments)
    {
        CFunctionCall call{VKF::CString(ROOT_FUNCTION_NAME)};
        for (const CValue& argument : arguments)
            call.addArgument(argument);
        return m_calculator.callFunction(call);
    }

private:
    CCalculator& m_calculator;
};

} // namespace

std::optional<CValue> evaluateCoefficient(CCalculator& calculator, const VKF::CString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    VKF::CString output;
    try {
        calculator.executeStatement(VKF::CString(COEFFICIENT_FUNCTION_NAME) + VKF_T("=?"), output);
    } catch (const VKF::CException&) {
    }
    try {
        calculator.executeStatement(VKF::CString(COEFFICIENT_FUNCTION_NAME) + VKF_T("()=") + text, output);
        return calculator.callFunction(CFunctionCall{VKF::CString(COEFFICIENT_FUNCTION_NAME)});
    } catch (const VKF::CException&) {
        return std::nullopt;
    }
}

std::array<CValue, 2> solveQuadratic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c)
{
    CRootFunction function(calculator);
    function.define(QUADRATIC_PARAMETERS, quadraticRoot(VKF_T("a"), VKF_T("b"), VKF_T("c"), true));
    CValue plusRoot = function.call({a, b, c});
    function.define(QUADRATIC_PARAMETERS, quadraticRoot(VKF_T("a"), VKF_T("b"), VKF_T("c"), false));
    CValue minusRoot = function.call({a, b, c});
    return {plusRoot, minusRoot};
}

// Cardano's formula gives all three roots, but only the largest with all its digits: the others
// can drown in the rounding of much larger terms. So the largest is taken, polished by Newton
// steps, divided out of the cubic, and the two roots of the remaining quadratic polished too.
std::array<CValue, 3> solveCubic(CCalculator& calculator, const CValue& a, const CValue& b, const CValue& c,
                                 const CValue& d)
{
    CRootFunction function(calculator);
    std::array<CValue, 3> cardano;
    for (int k = 0; k < 3; ++k) {
        function.define(CUBIC_PARAMETERS, cardanoRoot(k));
        cardano[size_t(k)] = function.call({a, b, c, d});
    }
    function.define(VKF_T("__x,__y,__z"), largestOfThree());
    CValue largest = function.call({cardano[0], cardano[1], cardano[2]});

    function.define(CUBIC_AND_ROOT_PARAMETERS, newtonStep());
    for (int step = 0; step < POLISHING_STEPS; ++step)
        largest = function.call({a, b, c, d, largest});

    function.define(CUBIC_AND_ROOT_PARAMETERS, deflatedRoot(true));
    CValue second = function.call({a, b, c, d, largest});
    function.define(CUBIC_AND_ROOT_PARAMETERS, deflatedRoot(false));
    CValue third = function.call({a, b, c, d, largest});

    function.define(CUBIC_AND_ROOT_PARAMETERS, newtonStep());
    for (int step = 0; step < POLISHING_STEPS; ++step) {
        second = function.call({a, b, c, d, second});
        third = function.call({a, b, c, d, third});
    }

    function.define(VKF_T("__x"), withoutNoise());
    return {function.call({largest}), function.call({second}), function.call({third})};
}

} // namespace VKCL
