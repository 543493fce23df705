// The tokenizer: character classes, names, numbers, punctuation and its errors.
#include "engine/tokenizer.h"

#include <chrono>
#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "engine/characters.h"
#include "engine/expression.h"
#include "engine/web_site.h"
#include "foundation/exception.h"
#include "tests/engine/engine_test_support.h"

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

std::string tokensOf(const std::string& input)
{
    CExpression expression;
    VKCL::tokenize(text(input), expression);
    return describe(expression);
}

void expectTokens(const std::string& input, const std::string& expected)
{
    try {
        EXPECT_EQ(tokensOf(input), expected) << "input: " << input;
    } catch (const VKF::CException& error) {
        ADD_FAILURE() << "input: " << input << " threw " << utf8(error.toString());
    }
}

void expectTokenizeError(const std::string& input, const std::string& message)
{
    CExpression expression;
    try {
        VKCL::tokenize(text(input), expression);
        ADD_FAILURE() << "input: " << input << " gave " << describe(expression);
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), message) << "input: " << input;
    }
}

double valueOf(const std::string& number)
{
    CExpression expression;
    VKCL::tokenize(text(number), expression);
    EXPECT_EQ(expression.tokenCount(), 2u) << "input: " << number;
    return expression.getValue(0).real();
}

std::string internalError(int number)
{
    return "Internal error " + std::to_string(number) + ". Please visit " + utf8(VKF::CString(VKCL::WEB_SITE_ADDRESS))
        + " and report the error.";
}

} // namespace

TEST(Tokenizer, EmptyAndBlankTextGiveOnlyTheEnd)
{
    expectTokens("", "$");
    expectTokens("   \t  ", "$");
}

TEST(Tokenizer, SplitsNamesNumbersAndPunctuation)
{
    expectTokens("x2+3.5E-2", "n:x2 + v:0.035 $");
    expectTokens("sin(\u03C0)", "n:sin ( n:\u03C0 ) $");
    expectTokens("a=?", "n:a = ? $");
    expectTokens("f(a, b) = a^2 / b", "n:f ( n:a , n:b ) = n:a ^ v:2 / n:b $");
    expectTokens("(*+,-/=?^)", "( * + , - / = ? ^ ) $");
    expectTokens("___quad_1 x_2", "n:___quad_1 n:x_2 $");
    expectTokens("2x", "v:2 n:x $");
}

TEST(Tokenizer, NumbersTakeOnlyAnUppercaseExponent)
{
    expectTokens("2e", "v:2 n:e $");
    expectTokens("2e3", "v:2 n:e3 $");
    expectTokens("2E", "v:2 $");
    expectTokens("2E+3", "v:2 + v:3 $");
    expectTokens("2E-3", "v:0.002 $");
    expectTokens("1E-", "v:1 $");
    expectTokens("1E--2", "v:1 - v:2 $");
    expectTokens("7.", "v:7 $");
    expectTokens("1.E5", "v:100000 $");
    expectTokens("1.5E-3", "v:0.0015 $");
    expectTokens("3-2", "v:3 - v:2 $");
    expectTokens("007", "v:7 $");
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

TEST(Tokenizer, NumbersBeyondTheDoubleRangeOverflow)
{
    const std::string overflow = "Numeric overflow occured while calculating.";
    expectTokenizeError("1E999", overflow);
    expectTokenizeError("1.7976931348623159E308", overflow);
    expectTokenizeError("1" + std::string(400, '0'), overflow);
    expectTokenizeError("1" + std::string(400, '0') + "E-10", overflow);
    expectTokenizeError("0.001E99999999999999999999999", overflow);
}

TEST(Tokenizer, RejectsMalformedNumbers)
{
    expectTokenizeError("1.2.3", "Error parsing value (illegal '.').");
    expectTokenizeError("1E5.2", "Error parsing value (illegal '.').");
    expectTokenizeError("1E2E3", "Error parsing value (illegal exponent sign).");
    expectTokenizeError("1E-E", "Error parsing value (illegal exponent sign).");
}

TEST(Tokenizer, RejectsIllegalCharacters)
{
    expectTokenizeError("3 % 2", "Character '%' is illegal.");
    expectTokenizeError(".5", "Character '.' is illegal.");
    expectTokenizeError("1;2", "Character ';' is illegal.");
    expectTokenizeError("a\r\nb", "Character '\r' is illegal.");
    expectTokenizeError("x!", "Character '!' is illegal.");
    expectTokenizeError("[1]", "Character '[' is illegal.");
    expectTokenizeError("5\u20AC", "Character '\u20AC' is illegal.");
}

TEST(Tokenizer, KeepsTheTokensBeforeAnError)
{
    CExpression expression;
    EXPECT_THROW(VKCL::tokenize(text("1+x%"), expression), VKCL::CSyntaxException);
    EXPECT_EQ(describe(expression), "v:1 + n:x");
}

TEST(Tokenizer, GivesEveryOccurrenceItsOwnEntry)
{
    CExpression expression;
    VKCL::tokenize(text("x+x*2*2"), expression);
    EXPECT_EQ(expression.nameCount(), 2u);
    EXPECT_EQ(expression.valueCount(), 2u);
    EXPECT_EQ(expression.getToken(0), VKCL::TOKEN_NAME + 0);
    EXPECT_EQ(expression.getToken(2), VKCL::TOKEN_NAME + 1);
    EXPECT_EQ(expression.getToken(4), VKCL::TOKEN_VALUE + 0);
    EXPECT_EQ(expression.getToken(6), VKCL::TOKEN_VALUE + 1);
}

TEST(Tokenizer, NamesStartWithLettersOfEveryScriptUnderscoreOrIntegralSign)
{
    expectTokens("\u222Bx", "n:\u222Bx $");
    expectTokens("\u03B1\u03B2\u03B3 \u0394\u03A9", "n:\u03B1\u03B2\u03B3 n:\u0394\u03A9 $");
    expectTokens("\u00E9t\u00E9 \u00DF \u0153", "n:\u00E9t\u00E9 n:\u00DF n:\u0153 $");
    expectTokens("\u0436\u0443\u043A", "n:\u0436\u0443\u043A $");
    expectTokens("\u4E2D\u6587", "n:\u4E2D\u6587 $");
    expectTokens("\u05D0\u0628\u0E01\uAC00", "n:\u05D0\u0628\u0E01\uAC00 $");
    expectTokens("_1", "n:_1 $");
    expectTokens("x\u222By", "n:x\u222By $");
}

TEST(Tokenizer, OnlyAsciiDigitsMakeNumbers)
{
    // Digits of other scripts, superscripts and combining marks are not part of the language.
    expectTokenizeError("\u0663", "Character '\u0663' is illegal.");
    expectTokenizeError("x\u00B2", "Character '\u00B2' is illegal.");
    expectTokenizeError("e\u0301", "Character '\u0301' is illegal.");
    expectTokenizeError("1\u00B72", "Character '\u00B7' is illegal.");
}

TEST(Tokenizer, CharactersBeyondTheBasicPlaneAreIllegal)
{
    // U+1D465 MATHEMATICAL ITALIC SMALL X: its first surrogate unit is reported.
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
    using VKCL::isLetter;
    EXPECT_TRUE(isLetter(VKF::UChar('A')));
    EXPECT_TRUE(isLetter(VKF::UChar('z')));
    EXPECT_FALSE(isLetter(VKF::UChar('@')));
    EXPECT_FALSE(isLetter(VKF::UChar('[')));
    EXPECT_FALSE(isLetter(VKF::UChar('`')));
    EXPECT_FALSE(isLetter(VKF::UChar('{')));
    EXPECT_FALSE(isLetter(VKF::UChar('5')));
    EXPECT_FALSE(isLetter(VKF::UChar('_')));
    EXPECT_TRUE(isLetter(VKF::UChar(0x00AA)));  // feminine ordinal, Lo
    EXPECT_TRUE(isLetter(VKF::UChar(0x00C0)));
    EXPECT_FALSE(isLetter(VKF::UChar(0x00D7))); // multiplication sign
    EXPECT_TRUE(isLetter(VKF::UChar(0x00D8)));
    EXPECT_TRUE(isLetter(VKF::UChar(0x03C0)));  // pi
    EXPECT_FALSE(isLetter(VKF::UChar(0x03A2))); // unassigned in Greek
    EXPECT_TRUE(isLetter(VKF::UChar(0x02B0)));  // modifier letter small h, Lm
    EXPECT_FALSE(isLetter(VKF::UChar(0x222B))); // the integral sign starts names, but is no letter
    EXPECT_FALSE(isLetter(VKF::UChar(0xD835))); // surrogate
    EXPECT_FALSE(isLetter(VKF::UChar(0xE000))); // private use
    EXPECT_TRUE(isLetter(VKF::UChar(0xFFDC)));  // last letter of the plane
    EXPECT_FALSE(isLetter(VKF::UChar(0xFFFF)));
    EXPECT_FALSE(isLetter(VKF::UChar(0x0000)));
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

TEST(Tokenizer, TranslatesOperatorsBothWays)
{
    const char characters[] = "+-*/^()=,?";
    for (const char* c = characters; *c != 0; ++c) {
        const uint32_t code = VKCL::operatorToken(VKF::UChar(*c));
        EXPECT_EQ(VKCL::operatorCharacter(code), VKF::UChar(*c)) << "character " << *c;
    }
    EXPECT_EQ(VKCL::operatorToken(VKF::UChar('^')), VKCL::TOKEN_POWER);
    EXPECT_EQ(VKCL::operatorCharacter(VKCL::TOKEN_END), VKF::UChar('$'));
}

TEST(Tokenizer, OperatorTranslationRejectsOtherArguments)
{
    try {
        VKCL::operatorToken(VKF::UChar('%'));
        ADD_FAILURE() << "operatorToken accepted %";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), internalError(1006));
    }
    try {
        VKCL::operatorCharacter(VKCL::TOKEN_NAME);
        ADD_FAILURE() << "operatorCharacter accepted a name code";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), internalError(1005));
    }
}

TEST(Tokenizer, RefusesMoreThan65536ValuesInOneExpression)
{
    std::string sum = "1";
    for (int k = 1; k < 65536; ++k)
        sum += "+1";
    CExpression expression;
    VKCL::tokenize(text(sum), expression);
    EXPECT_EQ(expression.valueCount(), 65536u);
    expectTokenizeError(sum + "+1",
                        "Expression is too long (it may hold at most 65536 numbers and 65536 names).");
}

TEST(Tokenizer, HandlesLinesOfAMillionCharacters)
{
    const auto started = std::chrono::steady_clock::now();
    expectTokenizeError(std::string(1000000, '%'), "Character '%' is illegal.");
    CExpression longName;
    VKCL::tokenize(text(std::string(1000000, 'x')), longName);
    EXPECT_EQ(longName.nameView(0).size(), 1000000u);
    CExpression longNumber;
    VKCL::tokenize(text("0." + std::string(999998, '3')), longNumber);
    EXPECT_EQ(longNumber.getValue(0).real(), 1.0 / 3);
    const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ info     ] three million-character lines tokenized in %.3f s\n", elapsed);
}
