// Roots of quadratic and cubic equations as the engine works them out, and the coefficient fields.
#include <algorithm>
#include <array>
#include <complex>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "solvers/equation_solving.h"
#include "tests/engine/engine_test_support.h"

using enginetest::text;
using enginetest::utf8;
using VKCL::CValue;

namespace {

class EquationSolvingTest : public enginetest::CEngineTest {
protected:
    CValue value(const std::string& field)
    {
        const std::optional<CValue> result = VKCL::evaluateCoefficient(calculator, text(field));
        EXPECT_TRUE(result.has_value()) << field;
        return result.value_or(CValue());
    }

    std::string failureOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const VKF::CException& error) {
            return utf8(error.toString());
        }
        return "(no failure)";
    }
};

std::complex<double> complexOf(const CValue& v)
{
    return {v.real(), v.imaginary()};
}

const CValue ZERO(0, 0), ONE(1, 0);

} // namespace

TEST_F(EquationSolvingTest, CoefficientFieldsAreEvaluatedThroughAnAuxiliaryFunction)
{
    run("k=4");
    run("g(x)=x^2");
    const struct { const char* field; const char* value; } cases[] =
        {{"sqrt(-4)", "i*2"}, {"1+2i", "1 + i*2"}, {"g(k)+1", "17"}, {"1E8", "100000000"}};
    for (const auto& c : cases)
        EXPECT_EQ(utf8(value(c.field).toString()), c.value) << c.field;
    // The last field stays defined and can be called at the console.
    expectOutput("___dummy_()", "= 100000000");
    for (const char* field : {"", "   ", "1+", "x", "(", "1/0", "sin", "?", "f(2)"})
        EXPECT_FALSE(VKCL::evaluateCoefficient(calculator, text(field)).has_value()) << '"' << field << '"';
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, QuadraticRoots)
{
    // A user definition of the auxiliary name is replaced without asking.
    run("___quad_=5");
    const struct { const char *a, *b, *c, *plus, *minus; } cases[] = {
        {"1", "-3", "2", "2", "1"}, {"1", "2", "1", "-1", "-1"}, {"1", "0", "1", "i", "-i"},
        {"1", "2", "5", "-1 + i*2", "-1 - i*2"}, {"1", "0", "0", "0", "0"}, {"2", "0", "-8", "2", "-2"},
        {"1", "2", "0", "0", "-2"}, {"1", "-(2+i)", "2i", "2", "i"},
        // Both roots keep their digits when b*b is much larger than 4*a*c.
        {"1", "1E8", "1", "-1e-008", "-100000000"}, {"1", "-1E8", "1", "100000000", "1e-008"},
        {"1", "1E8i", "1", "i*1e-008", "-i*100000000"}, {"1E-10", "1", "1", "-1.0000000001", "-9999999999"},
    };
    for (const auto& c : cases) {
        const auto roots = VKCL::solveQuadratic(calculator, value(c.a), value(c.b), value(c.c));
        EXPECT_EQ(utf8(roots[0].toString()), c.plus) << c.a << ", " << c.b << ", " << c.c;
        EXPECT_EQ(utf8(roots[1].toString()), c.minus) << c.a << ", " << c.b << ", " << c.c;
    }
    // The formula stays defined under its auxiliary name; the last definition is the -sqrt root.
    expectOutput("___quad_(1,-3,2)", "= 1");
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, CubicRoots)
{
    const struct { std::array<const char*, 4> coefficients; std::vector<std::string> roots; } cases[] = {
        {{"1", "-6", "11", "-6"}, {"1", "2", "3"}},
        {{"1", "0", "0", "-1"}, {"-0.5 + i*0.8660254037844", "-0.5 - i*0.8660254037844", "1"}},
        {{"1", "0", "0", "0"}, {"0", "0", "0"}}, {{"1", "-3", "3", "-1"}, {"1", "1", "1"}},
        {{"1", "-4", "5", "-2"}, {"1", "1", "2"}}, {{"1", "0", "1", "0"}, {"-i", "0", "i"}},
        {{"1", "-3", "2", "0"}, {"0", "1", "2"}}, {{"2", "-12", "22", "-12"}, {"1", "2", "3"}},
        {{"1", "-1-i", "-2+i", "2i"}, {"-1", "2", "i"}},
        // Roots far apart keep their digits.
        {{"1", "-100001.00001", "100001.00001", "-1"}, {"1", "1e-005", "100000"}},
        {{"1", "-100000001.00000001", "100000001.00000001", "-1"}, {"1", "100000000", "1e-008"}},
    };
    for (const auto& c : cases) {
        const auto& k = c.coefficients;
        const auto roots = VKCL::solveCubic(calculator, value(k[0]), value(k[1]), value(k[2]), value(k[3]));
        std::vector<std::string> texts, expected = c.roots;
        for (const CValue& root : roots)
            texts.push_back(utf8(root.toString()));
        std::sort(texts.begin(), texts.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(texts, expected) << k[0] << ", " << k[1] << ", " << k[2] << ", " << k[3];
    }
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, CubicRootsSatisfyTheEquationAndTheirProduct)
{
    const std::array<const char*, 4> cases[] = {
        {"2", "3", "4", "5"}, {"i", "1", "2", "3"}, {"1", "1E-20", "1E-20", "1E-20"}, {"1E-10", "1", "1", "1"},
        {"3-i", "2+5i", "-7", "0.5i"}, {"1", "-2", "1", "-1E-6"}, {"-4", "0", "3", "1"}, {"1", "-30", "299", "-990"},
    };
    for (const auto& k : cases) {
        const std::string where = std::string(k[0]) + ", " + k[1] + ", " + k[2] + ", " + k[3];
        const std::complex<double> a = complexOf(value(k[0])), b = complexOf(value(k[1])),
                                   c = complexOf(value(k[2])), d = complexOf(value(k[3]));
        std::complex<double> product = 1;
        for (const CValue& root : VKCL::solveCubic(calculator, value(k[0]), value(k[1]), value(k[2]), value(k[3]))) {
            const std::complex<double> x = complexOf(root);
            const double scale = std::abs(a) * std::pow(std::abs(x), 3) + std::abs(b) * std::norm(x)
                                 + std::abs(c) * std::abs(x) + std::abs(d);
            EXPECT_LE(std::abs(((a * x + b) * x + c) * x + d), 1e-12 * scale) << where << ": " << utf8(root.toString());
            product *= x;
        }
        EXPECT_LE(std::abs(product + d / a), 1e-9 * std::abs(d / a)) << where;
    }
}

TEST_F(EquationSolvingTest, FailuresReachTheCaller)
{
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ZERO, ONE, ONE); }), "Division by zero.");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ZERO, ZERO, ZERO); }), "Division by zero.");
    EXPECT_EQ(failureOf([&] { VKCL::solveCubic(calculator, ZERO, ONE, ONE, ONE); }), "Division by zero.");
    // A user variable named like a parameter makes the definition fail, so the call does.
    run("__x=1");
    EXPECT_EQ(failureOf([&] { VKCL::solveCubic(calculator, ONE, CValue(-6, 0), CValue(11, 0), CValue(-6, 0)); }),
              "Function '___quad_' not defined.");
    run("b=1");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ONE, CValue(-3, 0), CValue(2, 0)); }),
              "Function '___quad_' not defined.");
}
