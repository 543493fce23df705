// Conversion between UTF-16 strings and UTF-8 bytes, and the rejection of malformed bytes.
#include "foundation/utf8.h"

#include <string>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "tests/print_string.h"

using VKF::CString;
using VKF::UChar;

namespace {

CString units(std::initializer_list<UChar> list)
{
    CString text;
    for (UChar unit : list)
        text += unit;
    return text;
}

void expectMalformed(const std::string& bytes, const std::string& message, const std::string& what)
{
    try {
        const CString text = VKF::fromUtf8(bytes);
        ADD_FAILURE() << what << ": accepted, gave " << text.length() << " units";
    } catch (const VKF::CException& error) {
        EXPECT_EQ(VKF::toUtf8(error.toString()), message) << what;
    }
}

} // namespace

TEST(Utf8Test, EncodesEachLength)
{
    EXPECT_EQ(VKF::toUtf8(CString(VKF_T("ans=2"))), "ans=2");
    EXPECT_EQ(VKF::toUtf8(units({0x00E9})), "\xC3\xA9");
    EXPECT_EQ(VKF::toUtf8(units({0x03C0})), "\xCF\x80");
    EXPECT_EQ(VKF::toUtf8(units({0x20AC})), "\xE2\x82\xAC");
    EXPECT_EQ(VKF::toUtf8(units({0xD83D, 0xDE00})), "\xF0\x9F\x98\x80");
    EXPECT_EQ(VKF::toUtf8(units({0xDBFF, 0xDFFF})), "\xF4\x8F\xBF\xBF");
    EXPECT_EQ(VKF::toUtf8(CString()), "");
    EXPECT_EQ(VKF::toUtf8(units({0})), std::string(1, '\0'));
}

TEST(Utf8Test, UnpairedSurrogatesBecomeReplacementCharacters)
{
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(VKF::toUtf8(units({0xD800})), replacement) << "high surrogate at the end";
    EXPECT_EQ(VKF::toUtf8(units({0xDC00, 'a'})), replacement + "a") << "lone low surrogate";
    EXPECT_EQ(VKF::toUtf8(units({0xD800, 'a'})), replacement + "a") << "high surrogate before a letter";
    EXPECT_EQ(VKF::toUtf8(units({0xD800, 0xD800, 0xDC00})), replacement + "\xF0\x90\x80\x80")
        << "two high surrogates, the second paired";
}

TEST(Utf8Test, DecodesEachLength)
{
    EXPECT_EQ(VKF::fromUtf8("x^2"), CString(VKF_T("x^2")));
    EXPECT_EQ(VKF::fromUtf8("\xC3\xA9"), units({0x00E9}));
    EXPECT_EQ(VKF::fromUtf8("\xE2\x82\xAC"), units({0x20AC}));
    EXPECT_EQ(VKF::fromUtf8("\xF0\x9F\x98\x80"), units({0xD83D, 0xDE00}));
    EXPECT_EQ(VKF::fromUtf8(""), CString());
    EXPECT_EQ(VKF::fromUtf8(std::string(1, '\0')), units({0}));
}

TEST(Utf8Test, DecodesTheBoundaries)
{
    EXPECT_EQ(VKF::fromUtf8("\x7F"), units({0x7F}));
    EXPECT_EQ(VKF::fromUtf8("\xC2\x80"), units({0x80}));
    EXPECT_EQ(VKF::fromUtf8("\xDF\xBF"), units({0x7FF}));
    EXPECT_EQ(VKF::fromUtf8("\xE0\xA0\x80"), units({0x800}));
    EXPECT_EQ(VKF::fromUtf8("\xED\x9F\xBF"), units({0xD7FF}));
    EXPECT_EQ(VKF::fromUtf8("\xEE\x80\x80"), units({0xE000}));
    EXPECT_EQ(VKF::fromUtf8("\xEF\xBF\xBF"), units({0xFFFF}));
    EXPECT_EQ(VKF::fromUtf8("\xF0\x90\x80\x80"), units({0xD800, 0xDC00}));
    EXPECT_EQ(VKF::fromUtf8("\xF4\x8F\xBF\xBF"), units({0xDBFF, 0xDFFF}));
}

TEST(Utf8Test, RoundTrip)
{
    const CString text = units({'p', 'i', '=', 0x03C0, ' ', 0x20AC, 0xD835, 0xDF0B});
    EXPECT_EQ(VKF::fromUtf8(VKF::toUtf8(text)), text);
}

TEST(Utf8Test, RejectsMalformedBytesNamingTheOffset)
{
    expectMalformed("\x80", "Malformed UTF-8 at byte 0.", "stray continuation byte");
    expectMalformed("ab\xBF", "Malformed UTF-8 at byte 2.", "stray continuation byte after text");
    expectMalformed("\xC0\x80", "Malformed UTF-8 at byte 0.", "overlong NUL");
    expectMalformed("\xC1\xBF", "Malformed UTF-8 at byte 0.", "overlong two-byte");
    expectMalformed("abc\xE0\x80\x80", "Malformed UTF-8 at byte 3.", "overlong three-byte");
    expectMalformed("\xE0\x9F\xBF", "Malformed UTF-8 at byte 0.", "overlong U+07FF");
    expectMalformed("\xF0\x80\x80\x80", "Malformed UTF-8 at byte 0.", "overlong four-byte");
    expectMalformed("\xF0\x8F\xBF\xBF", "Malformed UTF-8 at byte 0.", "overlong U+FFFF");
    expectMalformed("x\xED\xA0\x80", "Malformed UTF-8 at byte 1.", "encoded high surrogate");
    expectMalformed("\xED\xBF\xBF", "Malformed UTF-8 at byte 0.", "encoded low surrogate");
    expectMalformed("\xF4\x90\x80\x80", "Malformed UTF-8 at byte 0.", "beyond U+10FFFF");
    expectMalformed("\xF5\x80\x80\x80", "Malformed UTF-8 at byte 0.", "lead byte F5");
    expectMalformed("\xFF", "Malformed UTF-8 at byte 0.", "byte FF");
    expectMalformed("ok\xE2\x82", "Malformed UTF-8 at byte 2.", "truncated at the end");
    expectMalformed("\xC3", "Malformed UTF-8 at byte 0.", "lone lead byte");
    expectMalformed("\xC3\x41", "Malformed UTF-8 at byte 0.", "lead byte before ASCII");
    expectMalformed("\xE2\x82\xAC\xE2\x28\xA1", "Malformed UTF-8 at byte 3.", "bad second sequence");
}
