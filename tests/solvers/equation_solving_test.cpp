// Roots of quadratic and cubic equations as the engine works them out, and the coefficient fields.
#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "solvers/equation_solving.h"
#include "tests/engine/engine_test_support.h"

using enginetest::text;
using enginetest::utf8;
using VKCL::CValue;

namespace {

std::complex<double> complexOf(const CValue& v)
{
    return {v.real(), v.imaginary()};
}

const CValue ZERO(0, 0), ONE(1, 0);

using Complex = std::complex<double>;

// Tolerances relative to a true root: a simple one, one of a double root, one of a triple root.
constexpr double SIMPLE = 1e-12, DOUBLE = 1e-5, TRIPLE = 1e-4;

struct CTrueRoot {
    Complex value;
    double tolerance;
};

// Whether every shown root lies within its tolerance of a distinct true root (a true 0 only as an
// exact 0); otherwise which roots were shown.
std::optional<std::string> mismatch(const std::vector<CValue>& shown, const std::vector<CTrueRoot>& truth)
{
    std::vector<size_t> order(truth.size());
    std::iota(order.begin(), order.end(), 0);
    do {
        bool all = true;
        for (size_t k = 0; k < shown.size() && all; ++k) {
            const CTrueRoot& root = truth[order[k]];
            all = std::abs(complexOf(shown[k]) - root.value) <= root.tolerance * std::abs(root.value);
        }
        if (all)
            return std::nullopt;
    } while (std::next_permutation(order.begin(), order.end()));
    std::string texts;
    for (const CValue& root : shown)
        texts += " [" + utf8(root.toString()) + "]";
    return texts;
}

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

    // What is wrong with the roots the solver of the coefficients' degree shows, if anything.
    std::optional<std::string> wrongRoots(const std::vector<CValue>& k, const std::vector<CTrueRoot>& truth);
};

} // namespace

std::optional<std::string> EquationSolvingTest::wrongRoots(const std::vector<CValue>& k,
                                                            const std::vector<CTrueRoot>& truth)
{
    std::vector<CValue> shown;
    try {
        if (k.size() == 3) {
            const auto found = VKCL::solveQuadratic(calculator, k[0], k[1], k[2]);
            shown.assign(found.begin(), found.end());
        } else {
            const auto found = VKCL::solveCubic(calculator, k[0], k[1], k[2], k[3]);
            shown.assign(found.begin(), found.end());
        }
    } catch (const VKF::CException& error) {
        return utf8(error.toString());
    }
    return mismatch(shown, truth);
}

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
        {"2", "3", "4", "5"},
        {"i", "1", "2", "3"},
        {"1", "1E-20", "1E-20", "1E-20"},
        {"1E-10", "1", "1", "1"},
        {"3-i", "2+5i", "-7", "0.5i"},
        {"1", "-2", "1", "-1E-6"},
        {"-4", "0", "3", "1"},
        {"1", "-30", "299", "-990"},
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

// Coefficients far from 1 whose roots are ordinary numbers: the roots once overflowed or came out wrong.
TEST_F(EquationSolvingTest, RootsOfCoefficientsFarFromOne)
{
    const double HALF_ROOT3 = 0.8660254037844386;
    const struct { std::vector<const char*> coefficients; std::vector<CTrueRoot> roots; } cases[] = {
        {{"1E-200", "0", "-1E-200"}, {{1, SIMPLE}, {-1, SIMPLE}}},
        {{"1E-310", "1E-310", "-2E-310"}, {{1, SIMPLE}, {-2, SIMPLE}}},
        {{"1E200", "1E200", "1E200"}, {{{-0.5, HALF_ROOT3}, SIMPLE}, {{-0.5, -HALF_ROOT3}, SIMPLE}}},
        {{"1", "1E200", "1"}, {{-1e-200, SIMPLE}, {-1e200, SIMPLE}}},
        {{"1", "0", "1E-200", "0"}, {{0, 0}, {{0, 1e-100}, SIMPLE}, {{0, -1e-100}, SIMPLE}}},
        {{"-1", "0", "0", "1E300"},
         {{1e100, SIMPLE}, {{-0.5e100, HALF_ROOT3 * 1e100}, SIMPLE}, {{-0.5e100, -HALF_ROOT3 * 1e100}, SIMPLE}}},
        {{"4.0292E52", "4.0216E52", "7.2360E51", "3.6318E50"},
         {{-0.78361186175822073, SIMPLE}, {-0.10732885938924426, SIMPLE}, {-0.10717304833531075, SIMPLE}}},
        // A near-double pair: its last digits are rounding noise of the coefficients.
        {{"1.223920383354804E-96", "8.441941477671052E-79", "1.559498312195614E-61", "3.513471343280419E-45"},
         {{-2.6069350254497595e16, SIMPLE},
          {{-3.318383081354135519e17, 5273710201.059496}, DOUBLE},
          {{-3.318383081354135519e17, -5273710201.059496}, DOUBLE}}},
    };
    for (const auto& c : cases) {
        std::vector<CValue> k;
        std::string where;
        for (const char* field : c.coefficients) {
            k.push_back(value(field));
            where += std::string(field) + " ";
        }
        EXPECT_EQ(wrongRoots(k, c.roots), std::nullopt) << where;
    }
}

// Random equations from chosen roots (moduli 1e-90 to 1e90) and leading coefficients (1e-120 to
// 1e120), with coefficients in the number range: the chosen roots are the reference.
TEST_F(EquationSolvingTest, RandomEquationsOverTheNumberRange)
{
    using Wide = std::complex<long double>;
    std::mt19937_64 random(20240615);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    auto magnitude = [&](double decades) { return std::pow(10.0, uniform(-decades, decades)); };
    auto realRoot = [&] { return Complex(std::copysign(magnitude(90), uniform(-1, 1)), 0); };
    auto complexRoot = [&] { return std::polar(magnitude(90), uniform(-std::numbers::pi, std::numbers::pi)); };
    auto representable = [](long double part) {
        return part == 0 || (fabsl(part) >= DBL_MIN && fabsl(part) <= DBL_MAX);
    };
    int trials[2] = {}, failures[2] = {};
    std::string report;
    for (const size_t degree : {2, 3}) {
        for (int trial = 0; trial < 40; ++trial) {
            // Real roots; a conjugate pair (beside a real root); a double or triple root; complex roots.
            const int kind = int(random() % 4);
            std::vector<CTrueRoot> roots;
            for (size_t k = 0; k < degree; ++k)
                roots.push_back({kind == 0 || (kind == 1 && k + 2 < degree) ? realRoot() : complexRoot(), SIMPLE});
            if (kind == 1)
                roots[degree - 1].value = std::conj(roots[degree - 2].value);
            const size_t repeated = kind != 2 ? 0 : degree == 2 || uniform(-1, 1) < 0 ? 2 : 3;
            for (size_t k = 0; k < repeated; ++k)
                roots[k] = {roots[0].value, repeated == 2 ? DOUBLE : TRIPLE};
            std::vector<Wide> product{kind == 3
                                          ? std::polar(magnitude(120), uniform(-std::numbers::pi, std::numbers::pi))
                                          : Complex(std::copysign(magnitude(120), uniform(-1, 1)), 0)};
            for (const CTrueRoot& root : roots) {
                product.push_back(0);
                for (size_t k = product.size() - 1; k > 0; --k)
                    product[k] -= product[k - 1] * Wide(root.value);
            }
            bool usable = true;
            for (const CTrueRoot& r : roots)
                for (const CTrueRoot& s : roots)
                    usable = usable && (&r == &s || r.tolerance != SIMPLE
                                        || std::abs(r.value - s.value) > 1e-3 * std::abs(r.value));
            std::vector<CValue> k;
            for (const Wide& c : product) {
                // Real roots and conjugate pairs make real coefficients.
                const long double imaginary = kind <= 1 ? 0 : c.imag();
                usable = usable && representable(c.real()) && representable(imaginary);
                k.emplace_back(usable ? double(c.real()) : 0, usable ? double(imaginary) : 0);
            }
            if (!usable)
                continue;
            ++trials[degree - 2];
            if (const auto wrong = wrongRoots(k, roots)) {
                ++failures[degree - 2];
                for (const CValue& c : k)
                    report += " (" + utf8(c.toString()) + ")";
                report += ": " + *wrong + "\n";
            }
        }
    }
    EXPECT_EQ(failures[0] + failures[1], 0) << "quadratics: " << failures[0] << " of " << trials[0]
                                            << " failed, cubics: " << failures[1] << " of " << trials[1] << "\n"
                                            << report;
}

TEST_F(EquationSolvingTest, FailuresReachTheCaller)
{
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ZERO, ONE, ONE); }), "Division by zero.");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ZERO, ZERO, ZERO); }), "Division by zero.");
    EXPECT_EQ(failureOf([&] { VKCL::solveCubic(calculator, ZERO, ONE, ONE, ONE); }), "Division by zero.");
    // A root beyond the number range, above or below, is reported rather than shown wrong.
    const CValue TINY(1E-300, 0), LARGE(1E300, 0);
    for (const auto& [a, b, c] : {std::array{TINY, LARGE, ONE}, std::array{ONE, LARGE, CValue(1E-100, 0)}}) {
        EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, a, b, c); }), enginetest::NUMERIC_OVERFLOW);
        EXPECT_EQ(failureOf([&] { VKCL::solveCubic(calculator, a, b, c, ZERO); }), enginetest::NUMERIC_OVERFLOW);
    }
    // A user variable named like a parameter makes the definition fail, so the call does.
    run("__x=1");
    EXPECT_EQ(failureOf([&] { VKCL::solveCubic(calculator, ONE, CValue(-6, 0), CValue(11, 0), CValue(-6, 0)); }),
              "Function '___quad_' not defined.");
    run("b=1");
    EXPECT_EQ(failureOf([&] { VKCL::solveQuadratic(calculator, ONE, CValue(-3, 0), CValue(2, 0)); }),
              "Function '___quad_' not defined.");
}
