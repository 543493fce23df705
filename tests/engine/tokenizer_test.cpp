// The tokenizer: character classes, names, numbers, punctuation and its errors.
#include "engine/tokenizer.h"

#include <clocale>
#include <cstdio>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "engine/characters.h"
#include "engine/expression.h"
#include "foundation/exception.h"
#include "tests/engine/engine_test_support.h"

using enginetest::NUMERIC_OVERFLOW;
using enginetest::text;
using enginetest::utf8;
using VKCL::CExpression;

namespace {

// The tokens of an expression in a readable form: n:name, v:value, the operator characters, $.
std::string describe(const CExpression& expression)
{
    std::string result;
    for (uint32_t i = 0; i < expression.tokenCount(); ++i) {
        const uint32_t code = expression.getToken(i);
        if (!result.empty())
            result += ' ';
        if (VKCL::isValueToken(code))
            result += "v:" + utf8(expression.getValue(VKCL::tokenIndex(code)).toString());
        else if (VKCL::isNameToken(code))
            result += "n:" + utf8(expression.getName(VKCL::tokenIndex(code)));
        else
            result += char(VKCL::operatorCharacter(code));
    }
    return result;
}

void expectTokens(const std::string& input, const std::string& expected)
{
    CExpression expression;
    try {
        VKCL::tokenize(text(input), expression);
        EXPECT_EQ(describe(expression), expected) << "input: " << input;
    } catch (const VKF::CException& error) {
        ADD_FAILURE() << "input: " << input << " threw " << utf8(error.toString());
    }
}

void expectTokenizeError(const std::string& input, const std::string& message)
{
    CExpression expression;
    enginetest::expectSyntaxError([&] { VKCL::tokenize(text(input), expression); }, message,
                                  "input: " + input.substr(0, 60));
}

double valueOf(const std::string& number)
{
    CExpression expression;
    VKCL::tokenize(text(number), expression);
    EXPECT_EQ(expression.tokenCount(), 2u) << "input: " << number;
    return expression.getValue(0).real();
}

std::string illegal(const std::string& character)
{
    return "Character '" + character + "' is illegal.";
}

} // namespace

TEST(Tokenizer, SplitsNamesNumbersAndPunctuation)
{
    const struct { const char* input; const char* tokens; } cases[] = {
        {"", "$"},
        {"   \t  ", "$"},
        {"x2+3.5E-2", "n:x2 + v:0.035 $"},
        {"a=?", "n:a = ? $"},
        {"f(a, b) = a^2 / b", "n:f ( n:a , n:b ) = n:a ^ v:2 / n:b $"},
        {"(*+,-/=?^)", "( * + , - / = ? ^ ) $"},
        {"___quad_1 x_2", "n:___quad_1 n:x_2 $"},
        {"2x", "v:2 n:x $"},
        {"3-2", "v:3 - v:2 $"},
        {"007", "v:7 $"},
        // Only an uppercase E starts an exponent, and only when digits follow.
        {"2e", "v:2 n:e $"},
        {"2e3", "v:2 n:e3 $"},
        {"2E", "v:2 $"},
        {"2E+3", "v:2 + v:3 $"},
        {"2E-3", "v:0.002 $"},
        {"1E-", "v:1 $"},
        {"1E--2", "v:1 - v:2 $"},
        {"7.", "v:7 $"},
        {"1.E5", "v:100000 $"},
        // Names start with a letter of any script, an underscore or the integral sign.
        {"sin(\u03C0)", "n:sin ( n:\u03C0 ) $"},
        {"\u222Bx", "n:\u222Bx $"},
        {"x\u222By", "n:x\u222By $"},
        {"_1", "n:_1 $"},
        {"\u03B1\u03B2\u03B3 \u0394\u03A9", "n:\u03B1\u03B2\u03B3 n:\u0394\u03A9 $"},
        {"\u00E9t\u00E9 \u00DF \u0153", "n:\u00E9t\u00E9 n:\u00DF n:\u0153 $"},
        {"\u0436\u0443\u043A", "n:\u0436\u0443\u043A $"},
        {"\u4E2D\u6587", "n:\u4E2D\u6587 $"},
        {"\u05D0\u0628\u0E01\uAC00", "n:\u05D0\u0628\u0E01\uAC00 $"},
    };
    for (const auto& c : cases)
        expectTokens(c.input, c.tokens);
}

TEST(Tokenizer, ConvertsNumbersCorrectlyRounded)
{
    EXPECT_EQ(valueOf("0.1"), 0.1);
    EXPECT_EQ(valueOf("123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(valueOf("1.7976931348623157E308"), 1.7976931348623157e308);
    EXPECT_EQ(valueOf("2.5E-324"), 4.9406564584124654e-324);
    EXPECT_EQ(valueOf("1E-999"), 0.0);
    EXPECT_EQ(valueOf("0.0000000000000000000000000000000000001E-300"), 0.0);
    EXPECT_EQ(valueOf("1" + std::string(400, '0') + "E-395"), 1e5);
}

TEST(Tokenizer, RejectsMalformedNumbersAndIllegalCharacters)
{
    const std::string zeros(400, '0');
    const struct { std::string input, message; } cases[] = {
        {"1E999", NUMERIC_OVERFLOW},
        {"1.7976931348623159E308", NUMERIC_OVERFLOW},
        {"1" + zeros, NUMERIC_OVERFLOW},
        {"1" + zeros + "E-10", NUMERIC_OVERFLOW},
        {"0.001E99999999999999999999999", NUMERIC_OVERFLOW},
        {"1.2.3", "Error parsing value (illegal '.')."},
        {"1E5.2", "Error parsing value (illegal '.')."},
        {"1E2E3", "Error parsing value (illegal exponent sign)."},
        {"1E-E", "Error parsing value (illegal exponent sign)."},
        {"3 % 2", illegal("%")},
        {".5", illegal(".")},
        {"1;2", illegal(";")},
        {"a\r\nb", illegal("\r")},
        {"x!", illegal("!")},
        {"[1]", illegal("[")},
        {"5\u20AC", illegal("\u20AC")},
        // Digits of other scripts, superscripts and combining marks are not part of the language.
        {"\u0663", illegal("\u0663")},
        {"x\u00B2", illegal("\u00B2")},
        {"e\u0301", illegal("\u0301")},
        {"1\u00B72", illegal("\u00B7")},
    };
    for (const auto& c : cases)
        expectTokenizeError(c.input, c.message);
    // Beyond the basic plane (U+1D465): the first surrogate unit is reported.
    CExpression expression;
    try {
        VKCL::tokenize(text("\U0001D465"), expression);
        ADD_FAILURE() << "a surrogate pair was accepted";
    } catch (const VKCL::CSyntaxException& error) {
        const VKF::CString message = error.toString();
        ASSERT_EQ(message.length(), 25);
        EXPECT_EQ(int(message[11]), 0xD835);
    }
}

TEST(Characters, ClassifiesLettersByTheirUnicodeCategory)
{
    // Ordinal indicator (Lo), modifier letter (Lm), pi, the last letter of the plane.
    for (const char16_t letter : std::u16string(u"Az\u00AA\u00C0\u00D8\u03C0\u02B0\uFFDC"))
        EXPECT_TRUE(VKCL::isLetter(letter)) << std::hex << unsigned(letter);
    // The integral sign starts names but is no letter; unassigned Greek, surrogate, private use.
    for (const char16_t other : std::u16string(u"@[`{5_\u00D7\u03A2\u222B\xD835\uE000\uFFFF", 13))
        EXPECT_FALSE(VKCL::isLetter(other)) << std::hex << unsigned(other);
}

TEST(Tokenizer, DoesNotDependOnTheLocale)
{
    // A locale whose decimal separator is a comma must not change how 1.5 reads.
    const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "German", ""};
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* name : candidates) {
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    }
    expectTokens("1.5+\u00E9", "v:1.5 + n:\u00E9 $");
    EXPECT_EQ(valueOf("2.25E-1"), 0.225);
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(Tokenizer, RefusesMoreThan65536ValuesOrNamesInOneExpression)
{
    for (const std::string operand : {"1", "x"}) {
        std::string sum = operand;
        for (int k = 1; k < 65536; ++k)
            sum += "+" + operand;
        CExpression expression;
        VKCL::tokenize(text(sum), expression);
        EXPECT_EQ(expression.valueCount() + expression.nameCount(), 65536u) << operand;
        expectTokenizeError(sum + "+" + operand, enginetest::TOO_LONG);
    }
}

TEST(Tokenizer, HandlesLinesOfAMillionCharacters)
{
    expectTokenizeError(std::string(1000000, '%'), illegal("%"));
    CExpression longName;
    VKCL::tokenize(text(std::string(1000000, 'x')), longName);
    EXPECT_EQ(longName.nameView(0).size(), 1000000u);
    CExpression longNumber;
    VKCL::tokenize(text("0." + std::string(999998, '3')), longNumber);
    EXPECT_EQ(longNumber.getValue(0).real(), 1.0 / 3);
}
