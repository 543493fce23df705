// The UTF-16 string (growth rule, bounds, ownership, comparison) and the exceptions that show their text.
#include "foundation/string.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "tests/print_string.h"

using VKF::CException;
using VKF::COutOfMemoryException;
using VKF::CString;
using VKF::UChar;

namespace {

const std::string RESIZE_MESSAGE = "VKF::CString::resize - illegal parameters (cannot shrink past length).";
const std::string SUBSTRING_MESSAGE = "VKF::CString::substring() - illegal parameters.";
const std::string INDEX_MESSAGE = "VKF::CString::operator[] - illegal parameters (index out of bounds).";

// A text of n units "abc...", cycling through the alphabet.
std::basic_string<UChar> lettersText(int32_t n)
{
    std::basic_string<UChar> text;
    for (int32_t i = 0; i < n; ++i)
        text += UChar('a' + i % 26);
    return text;
}

std::string shown(const VKF::CStringCastable& object)
{
    return VKF::toUtf8(object.toString());
}

// The text of the exception action throws.
template <typename Action>
std::string messageOf(Action action)
{
    try {
        action();
    } catch (const CException& error) {
        return shown(error);
    }
    return "(no exception)";
}

// The string keeps its invariant: terminator at length, capacity a multiple of 16 above it.
void expectWellFormed(const CString& text, const std::string& what)
{
    ASSERT_NE(text.characters(), nullptr) << what;
    EXPECT_EQ(text.characters()[text.length()], 0) << what;
    EXPECT_TRUE(text.capacity() == 0 || (text.capacity() % 16 == 0 && text.capacity() > text.length()))
        << what << ": capacity " << text.capacity();
}

} // namespace

TEST(StringTest, DefaultStringHasNoStorage)
{
    const CString empty;
    EXPECT_EQ(empty.capacity(), 0);
    EXPECT_EQ(empty[0], 0);
    expectWellFormed(empty, "default");
    // Copying it gives an empty string with a terminator.
    CString assigned(VKF_T("x"));
    assigned = empty;
    EXPECT_TRUE(assigned.isEmpty() && CString(empty).isEmpty());
    expectWellFormed(assigned, "assigned empty");
}

TEST(StringTest, CapacityFollowsTheGrowthRule)
{
    // needed = length + 1 units; capacity = the next multiple of 16 strictly above it.
    const struct { int32_t length, capacity; } cases[] =
        {{0, 16}, {1, 16}, {14, 16}, {15, 32}, {16, 32}, {30, 32}, {31, 48}, {47, 64}, {100, 112}};
    for (const auto& c : cases) {
        CString assigned;
        assigned = lettersText(c.length).c_str();
        EXPECT_EQ(assigned.capacity(), c.capacity) << "assigning " << c.length << " units";
        const CString constructed(lettersText(c.length).c_str());
        EXPECT_EQ(constructed.capacity(), c.capacity) << "constructing from " << c.length << " units";
        expectWellFormed(constructed, "constructed");
    }
    // Appending text re-sizes by the same rule, even when the text is empty.
    CString text(lettersText(14).c_str());
    text += VKF_T("x");
    EXPECT_EQ(text.capacity(), 32) << "a one-unit text on 14 units";
    text += lettersText(16).c_str();
    EXPECT_EQ(text.capacity(), 48) << "31 units need 32 with the terminator";
    CString byUnits;
    for (const UChar unit : lettersText(15))
        byUnits += unit;
    byUnits += VKF_T("");
    EXPECT_EQ(byUnits.capacity(), 32);
    CString none;
    none += VKF_T("");
    EXPECT_EQ(none.capacity(), 16);
    // Assignment shrinks the block.
    CString shrunk(lettersText(40).c_str());
    shrunk = VKF_T("ab");
    EXPECT_EQ(shrunk.capacity(), 16);
    EXPECT_EQ(shrunk, CString(VKF_T("ab")));
}

TEST(StringTest, AppendingOneUnitUsesSpareRoom)
{
    CString text(VKF_T("abc"));
    const UChar* block = text.characters();
    text += UChar('d');
    EXPECT_EQ(text.characters(), block) << "the block was re-sized though it had room";
    EXPECT_EQ(text, CString(VKF_T("abcd")));
    // The block grows only when length + 1 reaches the capacity; substrings and counted texts
    // get the capacity of such unit-by-unit appends.
    const CString source(lettersText(100).c_str());
    CString grown;
    for (int32_t n = 1; n <= 100; ++n) {
        grown += UChar('a' + (n - 1) % 26);
        ASSERT_EQ(grown.capacity(), (n / 16 + 1) * 16) << "after " << n << " units";
        const CString part = source.substring(0, n);
        const CString counted(source.characters(), n);
        EXPECT_EQ(part.capacity(), grown.capacity()) << "substring of " << n << " units";
        EXPECT_EQ(counted.capacity(), grown.capacity()) << "counted text of " << n << " units";
        EXPECT_TRUE(part == grown && counted == grown) << n << " units";
    }
    expectWellFormed(grown, "grown");
    EXPECT_EQ(CString(source.characters(), 0).capacity(), 0);
}

TEST(StringTest, IndexAndSubstringCheckTheirBounds)
{
    const CString text(VKF_T("abcdef"));
    EXPECT_EQ(text[5], UChar('f'));
    EXPECT_EQ(text[6], 0) << "the terminator may be read";
    EXPECT_EQ(text.substring(1, 4), CString(VKF_T("bcd")));
    EXPECT_EQ(text.substring(0, 6), text);
    EXPECT_EQ(text.substring(5, 6), CString(VKF_T("f")));
    EXPECT_EQ(messageOf([&] { (void)text[7]; }), INDEX_MESSAGE) << "index length + 1";
    EXPECT_EQ(messageOf([&] { (void)text[-1]; }), INDEX_MESSAGE) << "index -1";
    EXPECT_EQ(messageOf([&] { (void)CString()[1]; }), INDEX_MESSAGE) << "index 1 of an empty string";
    EXPECT_EQ(messageOf([&] { (void)text.substring(2, 2); }), SUBSTRING_MESSAGE) << "substring(2, 2)";
    EXPECT_EQ(messageOf([&] { (void)text.substring(3, 2); }), SUBSTRING_MESSAGE) << "substring(3, 2)";
    EXPECT_EQ(messageOf([&] { (void)text.substring(0, 7); }), SUBSTRING_MESSAGE) << "substring(0, length + 1)";
    EXPECT_EQ(messageOf([&] { (void)text.substring(-1, 2); }), INDEX_MESSAGE) << "substring(-1, 2)";
}

TEST(StringTest, ResizeKeepsOrDropsTheTextButNeverShrinksPastIt)
{
    CString text(lettersText(20).c_str());
    EXPECT_EQ(messageOf([&] { text.resize(0, false); }), RESIZE_MESSAGE) << "resize(0, false) of 20 units";
    EXPECT_EQ(messageOf([&] { text.resize(-1, true); }), RESIZE_MESSAGE) << "resize(-1, true)";
    EXPECT_EQ(text.capacity(), 32) << "a refused resize leaves the block";
    text.resize(30, true);
    EXPECT_EQ(text.capacity(), 64);
    text.resize(15, false);
    EXPECT_EQ(text.capacity(), 32);
    EXPECT_EQ(text, CString(lettersText(20).c_str()));
    expectWellFormed(text, "after resizes");
    CString fresh;
    fresh.resize(20, true);
    EXPECT_EQ(fresh.capacity(), 32);
    EXPECT_EQ(fresh.length(), 0);
    expectWellFormed(fresh, "fresh resize");
    // A request beyond any heap runs out of memory and leaves the string.
    CString small(VKF_T("abc"));
    EXPECT_THROW(small.resize(std::numeric_limits<int32_t>::max(), true), COutOfMemoryException);
    EXPECT_THROW(small.resize(std::numeric_limits<int32_t>::max() - 2, false), COutOfMemoryException);
    EXPECT_EQ(small, CString(VKF_T("abc")));
    EXPECT_EQ(small.capacity(), 16);
}

TEST(StringTest, CopiesAndMovesOwnTheirBlocks)
{
    CString original(VKF_T("shared?"));
    CString copy(original);
    EXPECT_NE(copy.characters(), original.characters());
    original += VKF_T(" no");
    EXPECT_EQ(copy, CString(VKF_T("shared?")));
    CString assigned;
    assigned = original;
    EXPECT_TRUE(assigned.characters() != original.characters() && assigned == original);
    // Embedded zero units are copied too.
    CString zeros(VKF_T("a"));
    zeros += UChar(0);
    zeros += UChar('b');
    const CString copied(zeros);
    EXPECT_TRUE(copied.length() == 3 && copied[2] == UChar('b'));

    const UChar* block = original.characters();
    CString target(std::move(original));
    EXPECT_EQ(target.characters(), block);
    EXPECT_EQ(original.capacity(), 0); // NOLINT(bugprone-use-after-move): the moved-from state is defined
    expectWellFormed(original, "moved from");
    CString other(VKF_T("old"));
    other = std::move(target);
    EXPECT_EQ(other.characters(), block);
    EXPECT_EQ(other, CString(VKF_T("shared? no")));
    // A moved-from string is usable again.
    target = VKF_T("again"); // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(target, CString(VKF_T("again")));
}

TEST(StringTest, TextTakenFromTheStringItself)
{
    CString text(lettersText(40).c_str());
    text += text;
    EXPECT_EQ(text, CString((lettersText(40) + lettersText(40)).c_str()));
    CString tail(lettersText(40).c_str());
    tail += tail.characters() + 30;
    EXPECT_EQ(tail, CString((lettersText(40) + lettersText(40).substr(30)).c_str()));
    // Assigning a later part of itself: the shrink must not cut the source off.
    CString part(lettersText(40).c_str());
    part = part.characters() + 20;
    EXPECT_EQ(part, CString(lettersText(40).substr(20).c_str()));
    EXPECT_EQ(part.capacity(), 32);
    CString self(VKF_T("self"));
    const CString& alias = self;
    self = alias;
    EXPECT_EQ(self, CString(VKF_T("self")));
}

TEST(StringTest, ConcatenationAndComparison)
{
    const CString left(VKF_T("left"));
    EXPECT_EQ(left + CString(VKF_T("+right")), CString(VKF_T("left+right")));
    EXPECT_EQ(left + VKF_T("!"), CString(VKF_T("left!")));
    EXPECT_EQ(VKF_T("<") + left, CString(VKF_T("<left")));
    CString text(VKF_T("n = "));
    text.append(VKF_T("12345"), 3);
    EXPECT_EQ(text, CString(VKF_T("n = 123")));
    EXPECT_EQ(text.length(), 7);
    EXPECT_EQ(VKF::textLength(nullptr), 0);
    // Exact unit by unit, Greek letters and surrogates included.
    EXPECT_NE(CString(VKF_T("Name")), CString(VKF_T("name")));
    EXPECT_TRUE(CString(VKF_T("abc")).equals(VKF_T("abcd"), 3));
    EXPECT_FALSE(CString(VKF_T("abc")).equals(VKF_T("abd"), 3));
    const UChar greek[] = {0x03C0, 0xD835, 0xDF0B, 0};
    EXPECT_EQ(CString(greek), CString(greek, 3));
}

TEST(ExceptionTest, ShowTheirTextAlsoWhenAppendedOrCaughtAsTheRoot)
{
    EXPECT_EQ(shown(CException(CString(VKF_T("Something failed.")))), "Something failed.");
    EXPECT_EQ(shown(CException(CString())), "Generic exception.");
    EXPECT_TRUE(COutOfMemoryException().message().isEmpty());
    // Caught as the root, each keeps its own text; an empty syntax message stays empty.
    const auto caughtText = [](const auto& thrown) {
        try {
            throw thrown;
        } catch (const CException& caught) {
            return shown(caught);
        }
    };
    EXPECT_EQ(caughtText(COutOfMemoryException()), "Out of memory.");
    EXPECT_EQ(caughtText(VKCL::CSyntaxException(CString())), "");
    // Appending an object appends its text.
    CString text(VKF_T("Error: "));
    text += CException(CString(VKF_T("bad")));
    text += COutOfMemoryException();
    text += static_cast<const VKF::CStringCastable&>(CString(VKF_T("!")));
    EXPECT_EQ(text, CString(VKF_T("Error: badOut of memory.!")));
    EXPECT_EQ(CString(VKF_T("x")) + CException(), CString(VKF_T("xGeneric exception.")));
}

#if defined(_WIN32)
// A request the string refuses itself (past its largest capacity) and, where the address space
// is 32 bits wide, one the heap really refuses: either way the string stays as it was.
TEST(StringTest, AFailedAllocationLeavesTheStringAsItWas)
{
    std::vector<int32_t> refused = {0x7FFFFF00};
    if (sizeof(void*) == 4)
        refused.push_back(0x3FFFFF00);
    for (const int32_t huge : refused) {
        SCOPED_TRACE(huge);
        CString grown(VKF_T("abc"));
        EXPECT_THROW(grown.resize(huge, true), COutOfMemoryException);
        EXPECT_EQ(grown, CString(VKF_T("abc")));
        EXPECT_EQ(grown.capacity(), 16);
        grown += VKF_T("d");
        EXPECT_EQ(grown, CString(VKF_T("abcd")));
        CString fresh;
        EXPECT_THROW(fresh.resize(huge, false), COutOfMemoryException);
        EXPECT_EQ(fresh.capacity(), 0);
        EXPECT_EQ(fresh.characters()[0], 0);
    }
}

// The local heap has at most 65,536 movable blocks per process; strings go on past that.
TEST(StringTest, MoreStringsThanMovableBlocks)
{
    std::vector<CString> strings;
    strings.reserve(70000);
    for (int i = 0; i < 70000; ++i)
        strings.emplace_back(VKF_T("name"));
    for (CString& text : strings)
        text += VKF_T(" grown past its first block");
    EXPECT_EQ(strings.back(), CString(VKF_T("name grown past its first block")));
    EXPECT_EQ(strings.front(), strings.back());
}
#endif
