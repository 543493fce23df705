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

namespace {

std::string format(double value, int digits)
{
    return VKF::toUtf8(VKCL::formatNumber(value, digits));
}

std::string fullDigits(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

TEST(NumberFormatTest, SwitchPointsRoundingAndExtremes)
{
    const double largest = std::numeric_limits<double>::max();
    const struct { double value; int digits; const char* text; } cases[] = {
        {0, 13, "0"},
        {-1, 13, "-1"},
        {-2.5, 13, "-2.5"},
        {1234.5, 13, "1234.5"},
        {1.0 / 3, 13, "0.3333333333333"},
        {2.0 / 3, 13, "0.6666666666667"},
        {-2.0 / 3, 13, "-0.6666666666667"},
        {3.141592653589793, 13, "3.14159265359"},
        {0.1 + 0.2, 13, "0.3"},
        {-0.0, 13, "0"},
        {-0.0, 5, "0"},
        // Plain down to 1E-4, exponent form below it.
        {0.0001, 13, "0.0001"},
        {0.00012345, 13, "0.00012345"},
        {0.00001, 13, "1e-005"},
        {-0.00001, 13, "-1e-005"},
        {0.000099999, 13, "9.9999e-005"},
        {1.5e-100, 13, "1.5e-100"},
        // Rounding up to 0.0001 moves the number back into plain notation.
        {0.000099999999999999995, 13, "0.0001"},
        {0.00009999999999999, 13, "9.999999999999e-005"},
        // Thirteen digits plain, exponent form from 1E13 on.
        {1e12, 13, "1000000000000"},
        {9999999999999, 13, "9999999999999"},
        {1e13, 13, "1e+013"},
        {12345678901234, 13, "1.234567890123e+013"},
        {-1e20, 13, "-1e+020"},
        {1e100, 13, "1e+100"},
        {9999999999999.5, 13, "1e+013"},
        {9007199254740992.0, 13, "9.007199254741e+015"},
        // Rounding at the last digit; exact ties go to even, as in the C library.
        {0.12345678901234, 13, "0.1234567890123"},
        {0.12345678901236, 13, "0.1234567890124"},
        {1.0000000000000002, 13, "1"},
        {0.99999999999999989, 13, "1"},
        {0.9999999999999, 13, "0.9999999999999"},
        {1234567890122.5, 13, "1234567890122"},
        {1234567890123.5, 13, "1234567890124"},
        {2.5, 1, "2"},
        {3.5, 1, "4"},
        // 0.15 is slightly below its decimal text, so it rounds down.
        {0.15, 1, "0.1"},
        {0.25, 1, "0.2"},
        {0.35, 1, "0.3"},
        {largest, 13, "1.797693134862e+308"},
        {-largest, 13, "-1.797693134862e+308"},
        {std::numeric_limits<double>::min(), 13, "2.225073858507e-308"},
        {std::numeric_limits<double>::denorm_min(), 13, "4.940656458412e-324"},
        {std::numeric_limits<double>::denorm_min(), 5, "4.9407e-324"},
        // Five digits for graph labels.
        {3.141592653589793, 5, "3.1416"},
        {1e6, 5, "1e+006"},
        {99999, 5, "99999"},
        {99999.5, 5, "1e+005"},
        {123456, 5, "1.2346e+005"},
        {0.00001, 5, "1e-005"},
        {0.1 + 0.2, 5, "0.3"},
        {std::numeric_limits<double>::infinity(), 13, "inf"},
        {-std::numeric_limits<double>::infinity(), 13, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), 13, "nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format(c.value, c.digits), c.text)
            << "input: " << fullDigits(c.value) << ", " << c.digits << " digits";
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
    if (e != std::string::npos && result.size() - (e + 2) < 3)
        result.insert(e + 2, 3 - (result.size() - (e + 2)), '0');
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
                ADD_FAILURE() << "input: " << fullDigits(value) << " with " << digits << " digits: got " << actual
                              << ", the C library gives " << expected;
            }
        }
    }
}
#endif
