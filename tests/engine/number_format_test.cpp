// The number text form: general format, 13 or 5 significant digits, three-digit exponents.
#include "engine/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "foundation/utf8.h"

using VKCL::formatNumber;

namespace {

std::string format(double value, int digits)
{
    return VKF::toUtf8(formatNumber(value, digits));
}

void expectFormat(double value, int digits, const std::string& expected)
{
    char input[40];
    std::snprintf(input, sizeof input, "%.17g", value);
    EXPECT_EQ(format(value, digits), expected) << "input: " << input << " with " << digits << " digits";
}

} // namespace

TEST(NumberFormatTest, PlainNumbers)
{
    expectFormat(0, 13, "0");
    expectFormat(1, 13, "1");
    expectFormat(-1, 13, "-1");
    expectFormat(42, 13, "42");
    expectFormat(0.5, 13, "0.5");
    expectFormat(-2.5, 13, "-2.5");
    expectFormat(1.0 / 3, 13, "0.3333333333333");
    expectFormat(2.0 / 3, 13, "0.6666666666667");
    expectFormat(-2.0 / 3, 13, "-0.6666666666667");
    expectFormat(3.141592653589793, 13, "3.14159265359");
    expectFormat(2.718281828459045, 13, "2.718281828459");
    expectFormat(0.1 + 0.2, 13, "0.3");
    expectFormat(100, 13, "100");
    expectFormat(1234.5, 13, "1234.5");
}

TEST(NumberFormatTest, NegativeZeroPrintsZero)
{
    expectFormat(-0.0, 13, "0");
    expectFormat(-0.0, 5, "0");
}

TEST(NumberFormatTest, SmallNumbersSwitchToExponentBelowOneTenThousandth)
{
    expectFormat(0.0001, 13, "0.0001");
    expectFormat(0.00012345, 13, "0.00012345");
    expectFormat(0.00001, 13, "1e-005");
    expectFormat(0.000099999, 13, "9.9999e-005");
    expectFormat(-0.00001, 13, "-1e-005");
    expectFormat(1e-20, 13, "1e-020");
    expectFormat(1.5e-100, 13, "1.5e-100");
    // Rounding up to 0.0001 moves the number back into plain notation.
    expectFormat(0.000099999999999999995, 13, "0.0001");
    expectFormat(0.00009999999999999, 13, "9.999999999999e-005");
}

TEST(NumberFormatTest, LargeNumbersSwitchToExponentAtThirteenDigits)
{
    expectFormat(1e12, 13, "1000000000000");
    expectFormat(9999999999999, 13, "9999999999999");
    expectFormat(1e13, 13, "1e+013");
    expectFormat(12345678901234, 13, "1.234567890123e+013");
    expectFormat(1e20, 13, "1e+020");
    expectFormat(-1e20, 13, "-1e+020");
    expectFormat(1.234567890123456e15, 13, "1.234567890123e+015");
    expectFormat(1e100, 13, "1e+100");
    // Rounding 9999999999999.5 up carries into a fourteenth digit: exponent form.
    expectFormat(9999999999999.5, 13, "1e+013");
    expectFormat(9007199254740992.0, 13, "9.007199254741e+015");
}

TEST(NumberFormatTest, RoundsAtTheLastDigit)
{
    expectFormat(0.12345678901234, 13, "0.1234567890123");
    expectFormat(0.12345678901236, 13, "0.1234567890124");
    expectFormat(1.0000000000000002, 13, "1");
    expectFormat(0.99999999999999989, 13, "1");
    expectFormat(0.9999999999999, 13, "0.9999999999999");
    // Exact ties (representable halves) round to even, as the C library does.
    expectFormat(1234567890122.5, 13, "1234567890122");
    expectFormat(1234567890123.5, 13, "1234567890124");
    expectFormat(2.5, 1, "2");
    expectFormat(3.5, 1, "4");
    // 0.15 is slightly below its decimal text, so it rounds down.
    expectFormat(0.15, 1, "0.1");
    expectFormat(0.25, 1, "0.2");
    expectFormat(0.35, 1, "0.3");
}

TEST(NumberFormatTest, ExtremeDoubles)
{
    expectFormat(std::numeric_limits<double>::max(), 13, "1.797693134862e+308");
    expectFormat(-std::numeric_limits<double>::max(), 13, "-1.797693134862e+308");
    expectFormat(std::numeric_limits<double>::min(), 13, "2.225073858507e-308");
    expectFormat(std::numeric_limits<double>::denorm_min(), 13, "4.940656458412e-324");
    expectFormat(std::numeric_limits<double>::denorm_min(), 5, "4.9407e-324");
}

TEST(NumberFormatTest, FiveDigitsForGraphLabels)
{
    expectFormat(3.141592653589793, 5, "3.1416");
    expectFormat(1e6, 5, "1e+006");
    expectFormat(99999, 5, "99999");
    expectFormat(99999.5, 5, "1e+005");
    expectFormat(123456, 5, "1.2346e+005");
    expectFormat(-0.5, 5, "-0.5");
    expectFormat(0.00001, 5, "1e-005");
    expectFormat(0.1 + 0.2, 5, "0.3");
}

TEST(NumberFormatTest, NonFiniteNumbers)
{
    expectFormat(std::numeric_limits<double>::infinity(), 13, "inf");
    expectFormat(-std::numeric_limits<double>::infinity(), 13, "-inf");
    expectFormat(std::numeric_limits<double>::quiet_NaN(), 13, "nan");
}

#if !defined(_WIN32)
// glibc's printf is correctly rounded; our digits must agree with it for any double, once its
// two-digit exponents are widened. (Off Windows only: other C libraries may round differently.)
namespace {

std::string libraryFormat(double value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    std::string result = text;
    if (result == "-0")
        return "0";
    const std::size_t e = result.find('e');
    if (e != std::string::npos) {
        const std::size_t exponentDigits = result.size() - (e + 2);
        if (exponentDigits < 3)
            result.insert(e + 2, 3 - exponentDigits, '0');
    }
    return result;
}

} // namespace

TEST(NumberFormatTest, AgreesWithTheCLibraryOnRandomDoubles)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-330, 310);
    std::uniform_real_distribution<double> mantissa(1, 10);
    int mismatches = 0;
    for (int i = 0; i < 6000 && mismatches < 10; ++i) {
        double value;
        if (i % 2 == 0) {
            // Any bit pattern of a finite double.
            const uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            // Numbers of every decade, many near the switch points.
            value = mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        }
        for (int digits : {13, 5, 1, 17}) {
            const std::string expected = libraryFormat(value, digits);
            const std::string actual = format(value, digits);
            if (actual != expected) {
                ++mismatches;
                ADD_FAILURE() << "input: " << libraryFormat(value, 17) << " with " << digits << " digits: got "
                              << actual << ", the C library gives " << expected;
            }
        }
    }
}
#endif
