// The complex functions against correctly rounded reference values (CPython's cmath vectors,
// the rows inside the calculator's domain; see tests/data/cmath_vectors.txt for what is left out).
#include "engine/value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/utf8.h"

using VKCL::CValue;

namespace {

// The textbook formulas are not correctly rounded: each result must lie within 1e-14 of the
// exact one, measured against the modulus of the exact result (a part far smaller than the
// other is not held to its own relative accuracy).
constexpr double RELATIVE_TOLERANCE = 1e-14;
constexpr double ABSOLUTE_TOLERANCE = 5e-323;

struct SVector {
    std::string id;
    std::string function;
    double re, im, expectedRe, expectedIm;
};

const std::map<std::string, std::pair<std::string, std::function<void(CValue&)>>>& functions()
{
    static const std::map<std::string, std::pair<std::string, std::function<void(CValue&)>>> table = {
        {"acos", {"arccos", [](CValue& v) { v.arccos(); }}},
        {"acosh", {"arccosh", [](CValue& v) { v.arccosh(); }}},
        {"asin", {"arcsin", [](CValue& v) { v.arcsin(); }}},
        {"asinh", {"arcsinh", [](CValue& v) { v.arcsinh(); }}},
        {"atan", {"arctan", [](CValue& v) { v.arctan(); }}},
        {"atanh", {"arctanh", [](CValue& v) { v.arctanh(); }}},
        {"cos", {"cos", [](CValue& v) { v.cos(); }}},
        {"cosh", {"cosh", [](CValue& v) { v.cosh(); }}},
        {"exp", {"exp", [](CValue& v) { v.exp(); }}},
        {"log", {"ln", [](CValue& v) { v.ln(); }}},
        {"log10", {"log", [](CValue& v) { v.log(); }}},
        {"sin", {"sin", [](CValue& v) { v.sin(); }}},
        {"sinh", {"sinh", [](CValue& v) { v.sinh(); }}},
        {"sqrt", {"sqrt", [](CValue& v) { v.sqrt(); }}},
        {"tan", {"tan", [](CValue& v) { v.tan(); }}},
        {"tanh", {"tanh", [](CValue& v) { v.tanh(); }}},
    };
    return table;
}

// Correctly rounded on every platform, unlike some C libraries' strtod.
bool parseDouble(const std::string& text, double& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
}

std::vector<SVector> loadVectors(std::string& problem)
{
    std::vector<SVector> vectors;
    const std::string path = std::string(TALLIMEX_DATA_DIR) + "/cmath_vectors.txt";
    std::ifstream file(path);
    if (!file) {
        problem = "cannot open " + path;
        return vectors;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (line.rfind("--", 0) == 0 || line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string re, im, arrow, outRe, outIm;
        SVector vector;
        fields >> vector.id >> vector.function >> re >> im >> arrow >> outRe >> outIm;
        if (arrow != "->" || !parseDouble(re, vector.re) || !parseDouble(im, vector.im)
            || !parseDouble(outRe, vector.expectedRe) || !parseDouble(outIm, vector.expectedIm)) {
            problem = "malformed line: " + line;
            return vectors;
        }
        vectors.push_back(vector);
    }
    return vectors;
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
    std::string problem;
    const std::vector<SVector> vectors = loadVectors(problem);
    ASSERT_TRUE(problem.empty()) << problem;
    ASSERT_GT(vectors.size(), 500u) << "the vector file lost rows";
    std::map<std::string, int> checked;
    for (const SVector& vector : vectors) {
        const auto entry = functions().find(vector.function);
        ASSERT_NE(entry, functions().end()) << vector.id << ": unknown function " << vector.function;
        const std::string input = vector.id + ": " + entry->second.first + describe(vector.re, vector.im);
        CValue value(vector.re, vector.im);
        try {
            entry->second.second(value);
        } catch (const VKF::CException& error) {
            ADD_FAILURE() << input << " threw \"" << VKF::toUtf8(error.toString()) << "\", expected "
                          << describe(vector.expectedRe, vector.expectedIm);
            continue;
        }
        const double error = std::hypot(value.real() - vector.expectedRe, value.imaginary() - vector.expectedIm);
        const double allowed = RELATIVE_TOLERANCE * std::hypot(vector.expectedRe, vector.expectedIm) + ABSOLUTE_TOLERANCE;
        EXPECT_LE(error, allowed) << input << " gave " << describe(value.real(), value.imaginary())
                                  << ", expected " << describe(vector.expectedRe, vector.expectedIm);
        ++checked[vector.function];
    }
    // Every function is exercised.
    EXPECT_EQ(checked.size(), functions().size());
}
