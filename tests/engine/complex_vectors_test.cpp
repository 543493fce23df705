// The complex functions' printed text against correctly rounded reference values (CPython's cmath
// vectors, the rows inside the calculator's domain; see tests/data/cmath_vectors.txt).
#include "engine/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/utf8.h"

using VKCL::CValue;

namespace {

// The vector file's function names and ours.
const std::map<std::string, std::pair<const char*, void (CValue::*)()>> FUNCTIONS = {
    {"acos", {"arccos", &CValue::arccos}},
    {"acosh", {"arccosh", &CValue::arccosh}},
    {"asin", {"arcsin", &CValue::arcsin}},
    {"asinh", {"arcsinh", &CValue::arcsinh}},
    {"atan", {"arctan", &CValue::arctan}},
    {"atanh", {"arctanh", &CValue::arctanh}},
    {"cos", {"cos", &CValue::cos}},
    {"cosh", {"cosh", &CValue::cosh}},
    {"exp", {"exp", &CValue::exp}},
    {"log", {"ln", &CValue::ln}},
    {"log10", {"log", &CValue::log}},
    {"sin", {"sin", &CValue::sin}},
    {"sinh", {"sinh", &CValue::sinh}},
    {"sqrt", {"sqrt", &CValue::sqrt}},
    {"tan", {"tan", &CValue::tan}},
    {"tanh", {"tanh", &CValue::tanh}},
};

// Correctly rounded on every platform, unlike some C libraries' strtod.
bool parseDouble(const std::string& text, double& value)
{
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    return error == std::errc() && end == last;
}

// The reference's text, or where a part's 13th digit hangs on its last bit, a neighbour's.
bool printsAsReference(const std::string& printed, double re, double im)
{
    for (const double nearRe : {re, std::nextafter(re, -HUGE_VAL), std::nextafter(re, HUGE_VAL)}) {
        for (const double nearIm : {im, std::nextafter(im, -HUGE_VAL), std::nextafter(im, HUGE_VAL)}) {
            if (printed == VKF::toUtf8(CValue(nearRe, nearIm).toString()))
                return true;
        }
    }
    return false;
}

std::string describe(double re, double im)
{
    char text[80];
    std::snprintf(text, sizeof text, "(%.17g, %.17g)", re, im);
    return text;
}

} // namespace

TEST(ComplexVectorsTest, FunctionsMeetReferenceValues)
{
    const std::string path = std::string(TALLIMEX_DATA_DIR) + "/cmath_vectors.txt";
    std::ifstream file(path);
    ASSERT_TRUE(file) << "cannot open " << path;
    std::map<std::string, int> checked;
    int rows = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("--", 0) == 0 || line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string id, function, re, im, arrow, outRe, outIm;
        fields >> id >> function >> re >> im >> arrow >> outRe >> outIm;
        double x, y, expectedRe, expectedIm;
        ASSERT_TRUE(arrow == "->" && parseDouble(re, x) && parseDouble(im, y) && parseDouble(outRe, expectedRe)
                    && parseDouble(outIm, expectedIm))
            << "malformed line: " << line;
        const auto entry = FUNCTIONS.find(function);
        ASSERT_NE(entry, FUNCTIONS.end()) << id << ": unknown function " << function;
        ++rows;
        const std::string input = id + ": " + entry->second.first + describe(x, y);
        const std::string expected = describe(expectedRe, expectedIm);
        CValue value(x, y);
        try {
            (value.*entry->second.second)();
        } catch (const VKF::CException& error) {
            ADD_FAILURE() << input << " threw \"" << VKF::toUtf8(error.toString()) << "\", expected " << expected;
            continue;
        }
        const std::string printed = VKF::toUtf8(value.toString());
        EXPECT_TRUE(printsAsReference(printed, expectedRe, expectedIm))
            << input << " printed " << printed << ", expected "
            << VKF::toUtf8(CValue(expectedRe, expectedIm).toString());
        ++checked[function];
    }
    EXPECT_GT(rows, 900) << "the vector file lost rows";
    EXPECT_EQ(checked.size(), FUNCTIONS.size()) << "a function has no vectors";
}
