// Conversion between UTF-16 strings and UTF-8 bytes, and the rejection of malformed bytes.
#include "foundation/utf8.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "tests/print_string.h"

using VKF::CString;
using VKF::UChar;

namespace {

CString units(const std::vector<UChar>& list)
{
    CString text;
    for (const UChar unit : list)
        text += unit;
    return text;
}

} // namespace

TEST(Utf8Test, ConvertsEachLengthAndBoundaryBothWays)
{
    const struct { std::vector<UChar> units; std::string bytes; } cases[] = {
        {{}, ""},
        {{0}, std::string(1, '\0')},
        {{'x', '^', '2'}, "x^2"},
        {{0x7F}, "\x7F"},
        {{0x80}, "\xC2\x80"},
        {{0x00E9}, "\xC3\xA9"},
        {{0x03C0}, "\xCF\x80"},
        {{0x7FF}, "\xDF\xBF"},
        {{0x800}, "\xE0\xA0\x80"},
        {{0x20AC}, "\xE2\x82\xAC"},
        {{0xD7FF}, "\xED\x9F\xBF"},
        {{0xE000}, "\xEE\x80\x80"},
        {{0xFFFF}, "\xEF\xBF\xBF"},
        {{0xD800, 0xDC00}, "\xF0\x90\x80\x80"},
        {{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
        {{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
        {{'p', '=', 0x03C0, ' ', 0xD835, 0xDF0B}, "p=\xCF\x80 \xF0\x9D\x9C\x8B"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VKF::toUtf8(units(c.units)), c.bytes);
        try {
            EXPECT_EQ(VKF::fromUtf8(c.bytes), units(c.units)) << "bytes: " << c.bytes;
        } catch (const VKF::CException& error) {
            ADD_FAILURE() << "bytes: " << c.bytes << " threw " << VKF::toUtf8(error.toString());
        }
    }
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

TEST(Utf8Test, RejectsMalformedBytesNamingTheOffset)
{
    const struct { const char* what; std::string bytes; int offset; } cases[] = {
        {"stray continuation byte", "\x80", 0},
        {"stray continuation byte after text", "ab\xBF", 2},
        {"overlong NUL", "\xC0\x80", 0},
        {"overlong two-byte", "\xC1\xBF", 0},
        {"overlong three-byte", "abc\xE0\x80\x80", 3},
        {"overlong U+07FF", "\xE0\x9F\xBF", 0},
        {"overlong four-byte", "\xF0\x80\x80\x80", 0},
        {"overlong U+FFFF", "\xF0\x8F\xBF\xBF", 0},
        {"encoded high surrogate", "x\xED\xA0\x80", 1},
        {"encoded low surrogate", "\xED\xBF\xBF", 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"lead byte F5", "\xF5\x80\x80\x80", 0},
        {"byte FF", "\xFF", 0},
        {"truncated at the end", "ok\xE2\x82", 2},
        {"lone lead byte", "\xC3", 0},
        {"lead byte before ASCII", "\xC3\x41", 0},
        {"bad second sequence", "\xE2\x82\xAC\xE2\x28\xA1", 3},
    };
    for (const auto& c : cases) {
        try {
            const CString text = VKF::fromUtf8(c.bytes);
            ADD_FAILURE() << c.what << ": accepted, gave " << text.length() << " units";
        } catch (const VKF::CException& error) {
            EXPECT_EQ(VKF::toUtf8(error.toString()), "Malformed UTF-8 at byte " + std::to_string(c.offset) + ".")
                << c.what;
        }
    }
}
