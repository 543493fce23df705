// Complex values: arithmetic, built-in functions, domain errors and the result notation.
#include "engine/value.h"
#include "engine/trigonometry.h"

#include <cmath>
#include <quadmath.h>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"

using enginetest::DIVISION_BY_ZERO;
using enginetest::error;
using enginetest::NUMERIC_OVERFLOW;
using enginetest::utf8;
using VKCL::CSyntaxException;
using VKCL::CValue;

namespace {

const std::string UNDEFINED = "The result is undefined (not a number).";
const std::string LN_OF_ZERO = "Cannot compute the natural logarithm (ln) of zero.";
const std::string LOG_OF_ZERO = "Cannot compute the logarithm (log) of zero.";
const std::string ARCSIN_DOMAIN =
    "Illegal parameter for arcsin, valid values are no less than -1 and no higher than 1.";
const std::string ARCCOS_DOMAIN =
    "Illegal parameter for arccos, valid values are no less than -1 and no higher than 1.";
const std::string ARG_OF_ZERO = "Parameter for function 'arg' cannot be zero.";
const std::string ARCTANH_POLE = "Cannot compute arctanh of 1 or -1.";

class ValueTest : public enginetest::CEngineTest {};

} // namespace

TEST(ValueText, ShowsBothPartsWithThirteenDigits)
{
    const struct { double re, im; const char* text; } cases[] = {
        {0, 0, "0"},
        {0, 2, "i*2"},
        {-1, -2, "-1 - i*2"},
        {3, 1, "3 + i"},
        {0.5, -0.25, "0.5 - i*0.25"},
        {0, -2.5, "-i*2.5"},
        {1, -1, "1 - i"},
        {0, 1, "i"},
        {0, -1, "-i"},
        {-5, 0, "-5"},
        {2.0 / 3, 0, "0.6666666666667"},
        {1e20, 0, "1e+020"},
        {1e-20, 0, "1e-020"},
        {1, 1e-17, "1 + i*1e-017"},
        // Negative zero prints as zero.
        {-0.0, 0, "0"},
        {-0.0, -0.0, "0"},
        {-0.0, 2, "i*2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(CValue(c.re, c.im).toString()), c.text) << "value " << c.re << ", " << c.im;
    // The short form for graph labels: the real part with five digits.
    EXPECT_EQ(utf8(CValue(-3.141592653589793, 7).toShortString()), "-3.1416");
}

TEST(ValueText, StoresRejectInfiniteAndUndefinedParts)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct { double re, im; const std::string& message; } cases[] =
        {{inf, 0, NUMERIC_OVERFLOW}, {0, -inf, NUMERIC_OVERFLOW}, {nan, 0, UNDEFINED}, {1, nan, UNDEFINED}};
    for (const auto& c : cases) {
        const std::string what = "store of " + std::to_string(c.re) + ", " + std::to_string(c.im);
        CValue value(3, 4);
        enginetest::expectSyntaxError([&] { value.setValue(c.re, c.im); }, c.message, what);
        EXPECT_EQ(utf8(value.toString()), "3 + i*4") << what << " changed the value";
        enginetest::expectSyntaxError([&] { (void)CValue(c.re, c.im); }, c.message, "construction, " + what);
    }
    // A failed operation leaves the value too.
    CValue big(1e308, 0);
    EXPECT_THROW(big.multiply(CValue(10, 0)), CSyntaxException);
    EXPECT_EQ(utf8(big.toString()), "1e+308");
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(utf8(CValue(largest, -largest).toString()), "1.797693134862e+308 - i*1.797693134862e+308");
    EXPECT_EQ(utf8(CValue(4.9e-324, 0).toString()), "4.940656458412e-324");
}

TEST_F(ValueTest, Arithmetic)
{
    expectOutputs({
        {"0.1+0.2", "= 0.3"},
        {"1/3", "= 0.3333333333333"},
        {"1/i", "= -i"},
        {"(1+2i)+(3-5i)", "= 4 - i*3"},
        {"(1+2i)-(1+2i)", "= 0"},
        {"(1+2i)*(3+4i)", "= -5 + i*10"},
        {"(1+2i)/(3+4i)", "= 0.44 + i*0.08"},
        // Far from 1 the parts are scaled first: c² + d² neither overflows nor underflows.
        {"(1E200+1E200i)/(1E200+1E200i)", "= 1"},
        {"(1E-200+1E-200i)/(3E-200+1E-200i)", "= 0.4 + i*0.2"},
        {"1/(1E-170+1E-170i)", "= 5e+169 - i*5e+169"},
        {"1E300/(1E10+i)", "= 1e+290 - i*1e+280"},
        {"(1.7E308+1.7E308i)/(2+2i)", "= 8.5e+307"},
        {"(3E-310+4E-310i)/(3E-310-4E-310i)", "= -0.28 + i*0.96"},
        {"1/(1E-320i)", error(NUMERIC_OVERFLOW)},
        {"1/0", error(DIVISION_BY_ZERO)},
        {"0/0", error(DIVISION_BY_ZERO)},
        {"(1+i)/0", error(DIVISION_BY_ZERO)},
        {"1/(0i)", error(DIVISION_BY_ZERO)},
        {"1E308*10", error(NUMERIC_OVERFLOW)},
        {"1/1E-320", error(NUMERIC_OVERFLOW)},
        {"(1E308+1E308i)+1E308", error(NUMERIC_OVERFLOW)},
    });
}

TEST_F(ValueTest, Powers)
{
    expectOutputs({
        {"2^10", "= 1024"},
        {"(-8)^3", "= -512"},
        {"(-2)^(-2)", "= 0.25"},
        {"4^0.5", "= 2"},
        {"(-8)^(1/3)", "= 1 + i*1.732050807569"},
        {"(-1)^0.5", "= i"},
        {"0^0", "= 1"},
        {"0^0.5", "= 0"},
        {"e^(i*pi)", "= -1"},
        {"i^2", "= -1"},
        {"i^i", "= 0.2078795763508"},
        {"(1+i)^2", "= i*2"},
        {"0^(-1)", error(NUMERIC_OVERFLOW)},
        {"0^i", error(ARG_OF_ZERO)},
        {"10^400", error(NUMERIC_OVERFLOW)},
        // Whole exponents of 2^31 and above went through exp(w ln z) and left residues.
        {"(-1)^(2^31)", "= 1"},
        {"i^(2^33)", "= 1"},
        {"i^(2^33+1)", "= i"},
        {"(-1)^(1E15+1)", "= -1"},
        {"(-1)^1E10", "= 1"},
        {"(-2i)^(-1075)", "= 0"},
        {"(-2i)^(-1073)", "= i*9.881312916825e-324"},
        {"(1+2^-30*i)^(2^63)", "= 31.29220914515 + i*44.74098382756"},
        {"(1+i)^(2^40)", error(NUMERIC_OVERFLOW)},
    });
}

TEST_F(ValueTest, RootsLogarithmsExpAbsArg)
{
    expectOutputs({
        {"sqrt(4)", "= 2"},
        {"sqrt(0)", "= 0"},
        {"sqrt(2i)", "= 1 + i"},
        {"sqrt(3+4i)", "= 2 + i"},
        {"ln(e)", "= 1"},
        {"ln(-1)", "= i*3.14159265359"},
        {"ln(i)", "= i*1.570796326795"},
        {"log(1000)", "= 3"},
        {"log(i)", "= i*0.6821881769209"},
        // The decimal logarithm's imaginary part is arg z / ln 10.
        {"log(-100)", "= 2 + i*1.364376353842"},
        {"ln(0)", error(LN_OF_ZERO)},
        {"log(0)", error(LOG_OF_ZERO)},
        {"exp(1)", "= 2.718281828459"},
        {"exp(i*pi)", "= -1"},
        {"exp(i*pi/2)", "= i"},
        {"exp(1000)", error(NUMERIC_OVERFLOW)},
        {"abs(-3)", "= 3"},
        {"abs(3-4i)", "= 5"},
        // The modulus once overflowed in |z|^2; powers whose |z|^2 underflowed printed 0.
        {"abs(1E200+1E200i)", "= 1.414213562373e+200"},
        {"abs(1.5E308+1.5E308i)", error(NUMERIC_OVERFLOW)},
        {"(1E-200i)^0.5", "= 7.071067811865e-101 + i*7.071067811865e-101"},
        {"sqrt(1E-170i)", "= 7.071067811865e-086 + i*7.071067811865e-086"},
        {"(-1E200)^(-0.5)", "= -i*1e-100"},
        {"(-1E-170)^0.5", "= i*1e-085"},
        {"arg(-1)", "= 3.14159265359"},
        {"arg(-i)", "= -1.570796326795"},
        {"arg(5)", "= 0"},
        {"arg(-1-i)", "= -2.356194490192"},
        {"arg(-1+i)", "= 2.356194490192"},
        {"arg(0)", error(ARG_OF_ZERO)},
    });
}

TEST_F(ValueTest, Trigonometry)
{
    expectOutputs({
        {"sin(pi)", "= 0"},
        {"sin(-pi)", "= 0"},
        {"sin(2pi)", "= 0"},
        {"cos(pi/2)", "= 0"},
        {"cos(-pi/2)", "= 0"},
        {"cos(pi)", "= -1"},
        {"sin(1)", "= 0.8414709848079"},
        {"sin(100)", "= -0.5063656411098"},
        {"cos(-100)", "= 0.8623188722877"},
        {"sin(1+i)", "= 1.298457581416 + i*0.6349639147847"},
        {"cos(1+i)", "= 0.8337300251311 - i*0.9888977057629"},
        {"sin(1000i)", error(NUMERIC_OVERFLOW)},
        // Beyond 2^31 periods the argument is reduced exactly (it once went through an undefined conversion).
        {"sin(1E20)", "= -0.6452512852658"},
        {"cos(1E20)", "= 0.7639704044417"},
        {"sin(-1E20)", "= 0.6452512852658"},
        {"tan(pi)", "= 0"},
        {"tan(pi/4)", "= 1"},
        {"tan(pi/2)", error(DIVISION_BY_ZERO)},
        {"tan(1E20)", "= -0.8446024630199"},
        // A real tangent once kept an imaginary residue.
        {"tan(0.5)", "= 0.5463024898438"},
        {"tan(1+i)", "= 0.2717525853195 + i*1.083923327339"},
        {"tan(i)", "= i*0.7615941559558"},
        {"arcsin(1)", "= 1.570796326795"},
        {"arccos(-1)", "= 3.14159265359"},
        {"arctan(1)", "= 0.7853981633974"},
        {"arcsin(2)", error(ARCSIN_DOMAIN)},
        {"arcsin(-1.0000001)", error(ARCSIN_DOMAIN)},
        {"arccos(-1.5)", error(ARCCOS_DOMAIN)},
        {"arcsin(2+0.5i)", "= 1.293042070237 + i*1.361800900858"},
        {"arccos(2+0.5i)", "= 0.2777542565577 - i*1.361800900858"},
        {"arctan(1+i)", "= 1.017221967898 + i*0.4023594781085"},
        {"arctan(i)", error(LN_OF_ZERO)},
        {"arctan(-i)", error(LN_OF_ZERO)},
    });
}

TEST_F(ValueTest, HyperbolicFunctions)
{
    expectOutputs({
        // sinh once lost the small and the imaginary arguments.
        {"sinh(2i)", "= i*0.9092974268257"},
        {"sinh(1E-10)", "= 1e-010"},
        {"sinh(1)", "= 1.175201193644"},
        {"cosh(1)", "= 1.543080634815"},
        {"cosh(i*pi)", "= -1"},
        {"sinh(1+i)", "= 0.6349639147847 + i*1.298457581416"},
        {"cosh(1+i)", "= 0.8337300251311 + i*0.9888977057629"},
        {"tanh(1)", "= 0.7615941559558"},
        {"tanh(1000)", "= 1"},
        {"tanh(1+i)", "= 1.083923327339 + i*0.2717525853195"},
        {"tanh(i*pi/2)", error(DIVISION_BY_ZERO)},
        {"sinh(1000)", error(NUMERIC_OVERFLOW)},
        {"tanh(710+0.13i)", "= 1"},
        // The inverse functions once cancelled digits away or took the wrong branch.
        {"arcsinh(1E-10)", "= 1e-010"},
        {"arcsinh(-1E9)", "= -21.41641301751"},
        {"arcsinh(1)", "= 0.8813735870195"},
        {"arccosh(0.5)", "= i*1.047197551197"},
        {"arccosh(2)", "= 1.316957896925"},
        {"arccosh(1)", "= 0"},
        {"arccosh(-1)", "= i*3.14159265359"},
        {"arccosh(-2)", "= 1.316957896925 + i*3.14159265359"},
        {"arctanh(0.5)", "= 0.5493061443341"},
        {"arctanh(2)", "= 0.5493061443341 - i*1.570796326795"},
        {"arctanh(-2)", "= -0.5493061443341 + i*1.570796326795"},
        {"arctanh(1)", error(ARCTANH_POLE)},
        {"arctanh(-1)", error(ARCTANH_POLE)},
        {"arcsinh(1+i)", "= 1.061275061905 + i*0.6662394324925"},
        {"arccosh(1+i)", "= 1.061275061905 + i*0.9045568943024"},
        {"arctanh(1+i)", "= 0.4023594781085 + i*1.017221967898"},
    });
}

// Digits once lost to cancellation, to an overflowing intermediate, to the reduction or to a
// residue printed as a part of its own; a tiny part that is truly there is printed.
TEST_F(ValueTest, EveryPrintedDigitIsRight)
{
    expectOutputs({
        {"arcsinh(2.2534623432901374E-05i)", "= i*2.253462343481e-005"},
        {"arccosh(-4.829120676431407E-07i)", "= 4.829120676431e-007 - i*1.570796326795"},
        {"arctan(-3.5838876416638007E-06i)", "= -i*3.583887641679e-006"},
        {"tan(-11528.314570753473-18947.998130380234i)", "= -i"},
        {"tanh(41.45783102022289-29.504421213806594i)", "= 1 - i*1.231639636688e-036"},
        {"sin(829.4411234470194+3.1227275701573625i)", "= 0.6896861577059 + i*11.31125373363"},
        {"sin(1E5)", "= 0.03574879797202"},
        {"tan(pi/2+5i)", "= i*1.000090803982"},
        // Inputs on a branch cut take the side of the counter-clockwise turn.
        {"arctan(2i)", "= 1.570796326795 + i*0.5493061443341"},
        {"arctan(-2i)", "= -1.570796326795 - i*0.5493061443341"},
        {"arcsinh(2i)", "= 1.316957896925 + i*1.570796326795"},
        {"arcsinh(-2i)", "= -1.316957896925 - i*1.570796326795"},
    });
}

// sin(k pi), cos((k + 1/2) pi), tan(k pi) and e^(i k pi) - (-1)^k are exactly 0 for the double
// nearest the multiple and for the multiple as typed (k*pi, (k+0.5)*pi).
TEST(ValueReduction, ExactZerosAtMultiplesOfPi)
{
    const __float128 pi = acosq(-1);
    constexpr double PI = 3.141592653589793;
    for (double k = 1; k <= 1e6; k = std::ceil(k * 1.7)) {
        for (const double m : {k, -k, k == 1 ? 999999.0 : k + 1}) {
            const double sineZeros[] = {double(m * pi), m * PI};
            const double cosineZeros[] = {double((m + 0.5) * pi), (m + 0.5) * PI};
            for (const double x : sineZeros) {
                double tangent = 1;
                EXPECT_TRUE(VKCL::trigonometry::sine(x) == 0 && VKCL::trigonometry::tangent(x, tangent) && tangent == 0)
                    << "sin and tan of " << m << " pi as " << x;
                CValue turn(0, x);
                turn.exp();
                EXPECT_EQ(turn.imaginary(), 0) << "e^(i " << m << " pi)";
            }
            for (const double x : cosineZeros)
                EXPECT_EQ(VKCL::trigonometry::cosine(x), 0) << "cos of (" << m << " + 1/2) pi as " << x;
        }
    }
    // A neighbour of a multiple keeps its digits.
    EXPECT_NE(VKCL::trigonometry::sine(std::nextafter(std::nextafter(PI, 4), 4)), 0);
}

// Far beyond 2^31 periods the sine and cosine are reduced exactly (reference values to 20 digits).
TEST(ValueReduction, SineAndCosineOfHugeArguments)
{
    const struct { double x, sine, cosine; } cases[] = {
        {13510798882.0, 0.93150804555318428594, 0.36372071850485332128},
        {100000000000.0, 0.92869366049659195286, 0.37084779216471115901},
        {9007199254740992.0, -0.84892596481465499956, -0.52851178441308869426},
        {1e+16, 0.77968800660697875024, -0.62616819813308617176},
        {1e+19, -0.92706316604865038523, -0.37490516955071783015},
        {1e+20, -0.64525128526578084421, 0.7639704044417283004},
        {-1e+20, 0.64525128526578084421, 0.7639704044417283004},
        {1e+22, -0.85220084976718880177, 0.5232147853951389455},
        {1e+100, -0.38063773100502866607, 0.92472423875193378588},
        {1e+200, -0.64396871853950576476, 0.76505182147524281568},
        {1.7976931348623157e+308, 0.0049619547891840617905, -0.99998768942655993746},
        {-3e+300, 0.26522005672091993346, 0.96418790778195928028},
        {1.2345678901234568e+17, 0.45921144118164708527, 0.88832699626200411866},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(VKCL::trigonometry::sine(c.x), c.sine, 2e-16) << "sin of " << c.x;
        EXPECT_NEAR(VKCL::trigonometry::cosine(c.x), c.cosine, 2e-16) << "cos of " << c.x;
    }
    // The double nearest a multiple of pi/2: its cosine is tiny and must keep its digits.
    const double nearQuarterTurn = std::ldexp(6381956970095103.0, 797);
    EXPECT_NEAR(VKCL::trigonometry::cosine(nearQuarterTurn), -4.6871659242546276111e-19, 1e-31);
    EXPECT_EQ(VKCL::trigonometry::sine(nearQuarterTurn), 1.0);
}

// Operands of every size through every operation: a value or an error, never nan or inf.
TEST(ValueText, NoOperationStoresNanOrInfinity)
{
    using Operation = std::function<void(CValue&)>;
    const auto by = [](void (CValue::*operation)(const CValue&), CValue other) -> Operation {
        return [operation, other](CValue& v) { (v.*operation)(other); };
    };
    const std::vector<Operation> operations = {
        &CValue::sqrt, &CValue::ln, &CValue::log, &CValue::sin, &CValue::cos, &CValue::tan, &CValue::arcsin,
        &CValue::arccos, &CValue::arctan, &CValue::sinh, &CValue::cosh, &CValue::tanh, &CValue::arcsinh,
        &CValue::arccosh, &CValue::arctanh, &CValue::exp, &CValue::abs, &CValue::arg,
        by(&CValue::power, CValue(0.5, -3)), by(&CValue::power, CValue(-2, 0)), by(&CValue::power, CValue(1e300, 0)),
        by(&CValue::multiply, CValue(1e300, -1e-300)), by(&CValue::divide, CValue(1e-300, 1e-300)),
        by(&CValue::add, CValue(1e308, 0))};
    const double samples[] = {0, 1, -1, 0.5, -2, 1e-300, -1e-300, 1e300, -1e300, 710, -745, 1e20, 3.141592653589793,
                              4.9e-324};
    for (const double re : samples) {
        for (const double im : samples) {
            for (std::size_t k = 0; k < operations.size(); ++k) {
                CValue value(re, im);
                try {
                    operations[k](value);
                } catch (const CSyntaxException&) {
                    continue;
                }
                const std::string printed = utf8(value.toString());
                EXPECT_TRUE(std::isfinite(value.real()) && std::isfinite(value.imaginary())
                            && printed.find("nan") == std::string::npos && printed.find("inf") == std::string::npos)
                    << "operation " << k << " on (" << re << ", " << im << ") gave " << printed;
            }
        }
    }
}
