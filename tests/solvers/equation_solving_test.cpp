// Roots of quadratic and cubic equations as the engine works them out, and the coefficient fields.
#include <algorithm>
#include <array>
#include <cmath>
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

class EquationSolvingTest : public ::testing::Test {
protected:
    std::string run(const std::string& line)
    {
        VKF::CString output;
        m_calculator.executeStatement(text(line), output);
        return utf8(output);
    }

    CValue value(const std::string& expression)
    {
        std::optional<CValue> result = VKCL::evaluateCoefficient(m_calculator, text(expression));
        EXPECT_TRUE(result.has_value()) << expression;
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

    enginetest::CScriptedConfirmation m_confirmation;
    VKCL::CCalculator m_calculator{m_confirmation};
};

std::vector<std::string> sortedTexts(const std::vector<CValue>& values)
{
    std::vector<std::string> texts;
    for (const CValue& v : values)
        texts.push_back(utf8(v.toString()));
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::complex<double> complexOf(const CValue& v)
{
    return {v.real(), v.imaginary()};
}

} // namespace

TEST_F(EquationSolvingTest, CoefficientFieldsAreEvaluatedThroughDummyFunction)
{
    struct { const char* field; const char* value; } cases[] = {
        {"2*3", "6"}, {"sqrt(-4)", "i*2"}, {"1+2i", "1 + i*2"}, {"pi", "3.14159265359"}, {"1E8", "100000000"},
    };
    for (const auto& c : cases) {
        std::optional<CValue> result = VKCL::evaluateCoefficient(m_calculator, text(c.field));
        ASSERT_TRUE(result.has_value()) << c.field;
        EXPECT_EQ(utf8(result->toString()), c.value) << c.field;
    }
    // The last field stays defined and can be called at the console.
    EXPECT_EQ(run("___dummy_()"), "= 100000000");
}

TEST_F(EquationSolvingTest, EmptyOrInvalidCoefficientsFail)
{
    for (const char* field : {"", "   ", "1+", "x", "(", "1/0", "sin", "?", "f(2)"})
        EXPECT_FALSE(VKCL::evaluateCoefficient(m_calculator, text(field)).has_value()) << '"' << field << '"';
    EXPECT_TRUE(m_confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, CoefficientsUseTheUsersDefinitions)
{
    run("k=4");
    run("g(x)=x^2");
    EXPECT_EQ(utf8(value("g(k)+1").toString()), "17");
}

TEST_F(EquationSolvingTest, QuadraticRoots)
{
    struct { const char* a; const char* b; const char* c; const char* plus; const char* minus; } cases[] = {
        {"1", "-3", "2", "2", "1"},
        {"1", "2", "1", "-1", "-1"},
        {"1", "0", "1", "i", "-i"},
        {"1", "2", "5", "-1 + i*2", "-1 - i*2"},
        {"1", "0", "0", "0", "0"},
        {"2", "0", "-8", "2", "-2"},
        {"1", "2", "0", "0", "-2"},
        {"1", "-(2+i)", "2i", "2", "i"},
        // Both roots keep their digits when b*b is much larger than 4*a*c.
        {"1", "1E8", "1", "-1e-008", "-100000000"},
        {"1", "-1E8", "1", "100000000", "1e-008"},
        {"1", "1E8i", "1", "i*1e-008", "-i*100000000"},
        {"1E-10", "1", "1", "-1.0000000001", "-9999999999"},
    };
    for (const auto& c : cases) {
        auto roots = VKCL::solveQuadratic(m_calculator, value(c.a), value(c.b), value(c.c));
        EXPECT_EQ(utf8(roots[0].toString()), c.plus) << c.a << ", " << c.b << ", " << c.c;
        EXPECT_EQ(utf8(roots[1].toString()), c.minus) << c.a << ", " << c.b << ", " << c.c;
    }
    EXPECT_TRUE(m_confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, QuadraticWithZeroLeadingCoefficientDividesByZero)
{
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(m_calculator, CValue(0, 0), CValue(1, 0), CValue(1, 0)); }),
              "Division by zero.");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(m_calculator, CValue(0, 0), CValue(0, 0), CValue(0, 0)); }),
              "Division by zero.");
}

TEST_F(EquationSolvingTest, QuadraticFormulaStaysDefinedUnderItsAuxiliaryName)
{
    VKCL::solveQuadratic(m_calculator, CValue(1, 0), CValue(-3, 0), CValue(2, 0));
    // The last definition is the -sqrt root.
    EXPECT_EQ(run("___quad_(1,-3,2)"), "= 1");
    // A user variable named like a parameter makes the definition fail, so the call does.
    run("b=1");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(m_calculator, CValue(1, 0), CValue(-3, 0), CValue(2, 0)); }),
              "Function '___quad_' not defined.");
    EXPECT_TRUE(m_confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, QuadraticReplacesAUserDefinitionOfItsNameWithoutAsking)
{
    run("___quad_=5");
    auto roots = VKCL::solveQuadratic(m_calculator, CValue(1, 0), CValue(0, 0), CValue(-4, 0));
    EXPECT_EQ(utf8(roots[0].toString()), "2");
    EXPECT_TRUE(m_confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, CubicRoots)
{
    struct { std::array<const char*, 4> coefficients; std::vector<std::string> roots; } cases[] = {
        {{"1", "-6", "11", "-6"}, {"1", "2", "3"}},
        {{"1", "0", "0", "-1"}, {"-0.5 + i*0.8660254037844", "-0.5 - i*0.8660254037844", "1"}},
        {{"1", "0", "0", "0"}, {"0", "0", "0"}},
        {{"1", "-3", "3", "-1"}, {"1", "1", "1"}},
        {{"1", "-4", "5", "-2"}, {"1", "1", "2"}},
        {{"1", "0", "1", "0"}, {"-i", "0", "i"}},
        {{"1", "-3", "2", "0"}, {"0", "1", "2"}},
        {{"2", "-12", "22", "-12"}, {"1", "2", "3"}},
        {{"1", "-1-i", "-2+i", "2i"}, {"-1", "2", "i"}},
        // Roots far apart keep their digits.
        {{"1", "-100001.00001", "100001.00001", "-1"}, {"1", "1e-005", "100000"}},
        {{"1", "-100000001.00000001", "100000001.00000001", "-1"}, {"1", "100000000", "1e-008"}},
    };
    for (const auto& c : cases) {
        std::string where = std::string(c.coefficients[0]) + ", " + c.coefficients[1] + ", " + c.coefficients[2]
                            + ", " + c.coefficients[3];
        auto roots = VKCL::solveCubic(m_calculator, value(c.coefficients[0]), value(c.coefficients[1]),
                                      value(c.coefficients[2]), value(c.coefficients[3]));
        std::vector<std::string> expected = c.roots;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedTexts({roots[0], roots[1], roots[2]}), expected) << where;
    }
    EXPECT_TRUE(m_confirmation.questions().empty());
}

TEST_F(EquationSolvingTest, CubicRootsSatisfyTheEquationAndTheirProduct)
{
    const std::array<const char*, 4> cases[] = {
        {"2", "3", "4", "5"}, {"i", "1", "2", "3"}, {"1", "1E-20", "1E-20", "1E-20"}, {"1E-10", "1", "1", "1"},
        {"3-i", "2+5i", "-7", "0.5i"}, {"1", "-2", "1", "-1E-6"}, {"-4", "0", "3", "1"}, {"1", "-30", "299", "-990"},
    };
    for (const auto& c : cases) {
        std::string where = std::string(c[0]) + ", " + c[1] + ", " + c[2] + ", " + c[3];
        std::complex<double> a = complexOf(value(c[0])), b = complexOf(value(c[1])), cc = complexOf(value(c[2])),
                             d = complexOf(value(c[3]));
        auto roots = VKCL::solveCubic(m_calculator, value(c[0]), value(c[1]), value(c[2]), value(c[3]));
        std::complex<double> product = 1;
        for (const CValue& root : roots) {
            std::complex<double> x = complexOf(root);
            double scale = std::abs(a) * std::pow(std::abs(x), 3) + std::abs(b) * std::norm(x)
                           + std::abs(cc) * std::abs(x) + std::abs(d);
            EXPECT_LE(std::abs(((a * x + b) * x + cc) * x + d), 1e-12 * scale) << where << ": " << utf8(root.toString());
            product *= x;
        }
        EXPECT_LE(std::abs(product + d / a), 1e-9 * std::abs(d / a)) << where;
    }
}

TEST_F(EquationSolvingTest, RealRootsShowNoImaginaryNoise)
{
    auto roots = VKCL::solveCubic(m_calculator, CValue(1, 0), CValue(-6, 0), CValue(11, 0), CValue(-6, 0));
    for (const CValue& root : roots)
        EXPECT_EQ(root.imaginary(), 0) << utf8(root.toString());
}

TEST_F(EquationSolvingTest, CubicWithZeroLeadingCoefficientFails)
{
    EXPECT_EQ(failureOf([&] {
                  VKCL::solveCubic(m_calculator, CValue(0, 0), CValue(1, 0), CValue(1, 0), CValue(1, 0));
              }),
              "Division by zero.");
}

TEST_F(EquationSolvingTest, CubicNeedsItsParameterNamesFree)
{
    run("__x=1");
    EXPECT_EQ(failureOf([&] {
                  VKCL::solveCubic(m_calculator, CValue(1, 0), CValue(-6, 0), CValue(11, 0), CValue(-6, 0));
              }),
              "Function '___quad_' not defined.");
}
