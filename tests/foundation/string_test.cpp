// The UTF-16 string: growth rule, bounds, ownership and comparison.
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
CString letters(int32_t n)
{
    CString text;
    for (int32_t i = 0; i < n; ++i)
        text += UChar('a' + i % 26);
    return text;
}

std::basic_string<UChar> lettersText(int32_t n)
{
    std::basic_string<UChar> text;
    for (int32_t i = 0; i < n; ++i)
        text += UChar('a' + i % 26);
    return text;
}

template <typename Action>
void expectMessage(Action action, const std::string& message, const std::string& what)
{
    try {
        action();
    } catch (const COutOfMemoryException&) {
        ADD_FAILURE() << what << ": ran out of memory instead of: " << message;
        return;
    } catch (const CException& error) {
        EXPECT_EQ(VKF::toUtf8(error.toString()), message) << what;
        return;
    }
    ADD_FAILURE() << what << ": did not throw " << message;
}

// The string keeps its invariant: terminator at length, capacity a multiple of 16 above it.
void expectWellFormed(const CString& text, const std::string& what)
{
    EXPECT_NE(text.characters(), nullptr) << what;
    EXPECT_EQ(text.characters()[text.length()], 0) << what;
    if (text.capacity() != 0) {
        EXPECT_EQ(text.capacity() % 16, 0) << what;
        EXPECT_GT(text.capacity(), text.length()) << what;
    }
}

} // namespace

TEST(StringTest, DefaultStringHasNoStorage)
{
    const CString empty;
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.capacity(), 0);
    EXPECT_TRUE(empty.isEmpty());
    ASSERT_NE(empty.characters(), nullptr);
    EXPECT_EQ(empty.characters()[0], 0);
    EXPECT_EQ(empty[0], 0);
    EXPECT_EQ(empty, CString(VKF_T("")));
}

TEST(StringTest, AssignmentCapacityFollowsTheGrowthRule)
{
    // needed = length + 1 units; capacity = the next multiple of 16 strictly above it.
    const struct {
        int32_t length;
        int32_t capacity;
    } cases[] = {{0, 16}, {1, 16}, {14, 16}, {15, 32}, {16, 32}, {30, 32}, {31, 48}, {47, 64}, {100, 112}};
    for (const auto& c : cases) {
        const std::basic_string<UChar> text = lettersText(c.length);
        CString assigned;
        assigned = text.c_str();
        EXPECT_EQ(assigned.capacity(), c.capacity) << "assigning " << c.length << " units";
        EXPECT_EQ(assigned.length(), c.length);
        const CString constructed(text.c_str());
        EXPECT_EQ(constructed.capacity(), c.capacity) << "constructing from " << c.length << " units";
        expectWellFormed(constructed, "constructed");
    }
}

TEST(StringTest, AppendingTextResizesWithTheGrowthRule)
{
    CString text(lettersText(14).c_str());
    ASSERT_EQ(text.capacity(), 16);
    text += VKF_T("x");
    EXPECT_EQ(text.capacity(), 32) << "a one-unit text on 14 units";
    EXPECT_EQ(text.length(), 15);
    text += lettersText(16).c_str();
    EXPECT_EQ(text.capacity(), 48) << "31 units need 32 with the terminator";
    expectWellFormed(text, "after appends");

    // Even an empty text re-sizes: 15 units appended one at a time sit in 16, and 16 are needed.
    CString byUnits = letters(15);
    ASSERT_EQ(byUnits.capacity(), 16);
    byUnits += VKF_T("");
    EXPECT_EQ(byUnits.capacity(), 32);
    EXPECT_EQ(byUnits, letters(15));

    CString none;
    none += VKF_T("");
    EXPECT_EQ(none.capacity(), 16);
    EXPECT_TRUE(none.isEmpty());
}

TEST(StringTest, AppendingOneCharacterUsesSpareRoom)
{
    CString text(VKF_T("abc"));
    ASSERT_EQ(text.capacity(), 16);
    const UChar* block = text.characters();
    text += UChar('d');
    EXPECT_EQ(text.capacity(), 16);
    EXPECT_EQ(text.characters(), block) << "the block was re-sized though it had room";
    EXPECT_EQ(text, CString(VKF_T("abcd")));

    // Units one at a time: the block grows only when length + 1 reaches the capacity.
    CString grown;
    int32_t lastCapacity = 0;
    for (int32_t n = 1; n <= 100; ++n) {
        grown += UChar('a' + (n - 1) % 26);
        const int32_t expected = (n / 16 + 1) * 16;
        ASSERT_EQ(grown.capacity(), expected) << "after " << n << " units";
        EXPECT_GE(grown.capacity(), lastCapacity);
        lastCapacity = grown.capacity();
    }
    expectWellFormed(grown, "grown");
    EXPECT_EQ(VKF::toUtf8(grown).substr(0, 28), "abcdefghijklmnopqrstuvwxyzab");
}

TEST(StringTest, AssignmentShrinksTheBlock)
{
    CString text(lettersText(40).c_str());
    EXPECT_EQ(text.capacity(), 48);
    text = VKF_T("ab");
    EXPECT_EQ(text.capacity(), 16);
    EXPECT_EQ(text, CString(VKF_T("ab")));
    expectWellFormed(text, "shrunk");
}

TEST(StringTest, IndexAllowsTheTerminatorOnly)
{
    const CString text(VKF_T("abc"));
    EXPECT_EQ(text[0], UChar('a'));
    EXPECT_EQ(text[2], UChar('c'));
    EXPECT_EQ(text[3], 0);
    expectMessage([&] { (void)text[4]; }, INDEX_MESSAGE, "index length + 1");
    expectMessage([&] { (void)text[-1]; }, INDEX_MESSAGE, "index -1");
    expectMessage([&] { (void)CString()[1]; }, INDEX_MESSAGE, "index 1 of an empty string");
}

TEST(StringTest, Substring)
{
    const CString text(VKF_T("abcdef"));
    EXPECT_EQ(text.substring(1, 4), CString(VKF_T("bcd")));
    EXPECT_EQ(text.substring(0, 6), text);
    EXPECT_EQ(text.substring(5, 6), CString(VKF_T("f")));
    expectMessage([&] { (void)text.substring(2, 2); }, SUBSTRING_MESSAGE, "substring(2, 2)");
    expectMessage([&] { (void)text.substring(3, 2); }, SUBSTRING_MESSAGE, "substring(3, 2)");
    expectMessage([&] { (void)text.substring(0, 7); }, SUBSTRING_MESSAGE, "substring(0, length + 1)");
    expectMessage([&] { (void)text.substring(-1, 2); }, INDEX_MESSAGE, "substring(-1, 2)");
}

TEST(StringTest, SubstringAndCountedTextHaveTheCapacityOfUnitByUnitAppends)
{
    const CString source = letters(80);
    for (int32_t n = 1; n <= 70; ++n) {
        const CString byUnits = letters(n);
        const CString part = source.substring(0, n);
        EXPECT_EQ(part.capacity(), byUnits.capacity()) << "substring of " << n << " units";
        EXPECT_EQ(part, byUnits);
        const CString counted(source.characters(), n);
        EXPECT_EQ(counted.capacity(), byUnits.capacity()) << "counted text of " << n << " units";
        EXPECT_EQ(counted, byUnits);
        expectWellFormed(counted, "counted");
    }
    const CString none(source.characters(), 0);
    EXPECT_EQ(none.capacity(), 0);
    EXPECT_TRUE(none.isEmpty());
}

TEST(StringTest, ResizeRefusesToShrinkPastTheLength)
{
    CString text(lettersText(20).c_str());
    expectMessage([&] { text.resize(0, false); }, RESIZE_MESSAGE, "resize(0, false) of 20 units");
    EXPECT_EQ(text.length(), 20);
    EXPECT_EQ(text.capacity(), 32) << "a refused resize leaves the block";
    expectWellFormed(text, "after refused resize");
    expectMessage([&] { text.resize(-1, true); }, RESIZE_MESSAGE, "resize(-1, true)");
    // Growing keeps the text; shrinking down to the length is allowed.
    text.resize(30, true);
    EXPECT_EQ(text.capacity(), 64);
    EXPECT_EQ(text, CString(lettersText(20).c_str()));
    text.resize(15, false);
    EXPECT_EQ(text.capacity(), 32);
    EXPECT_EQ(text, CString(lettersText(20).c_str()));
    expectWellFormed(text, "after resizes");
}

TEST(StringTest, ResizeOfAFreshStringGivesAnEmptyTerminatedBlock)
{
    CString text;
    text.resize(20, true);
    EXPECT_EQ(text.capacity(), 32);
    EXPECT_EQ(text.length(), 0);
    expectWellFormed(text, "fresh resize");
}

TEST(StringTest, HugeRequestsRunOutOfMemory)
{
    CString text(VKF_T("abc"));
    EXPECT_THROW(text.resize(std::numeric_limits<int32_t>::max(), true), COutOfMemoryException);
    EXPECT_EQ(text, CString(VKF_T("abc"))) << "a failed resize leaves the string";
    EXPECT_EQ(text.capacity(), 16);
    try {
        text.resize(std::numeric_limits<int32_t>::max() - 2, false);
        ADD_FAILURE() << "no exception";
    } catch (const CException& error) {
        EXPECT_EQ(VKF::toUtf8(error.toString()), "Out of memory.");
    }
}

TEST(StringTest, CopiesOwnTheirBlocks)
{
    CString original(VKF_T("shared?"));
    CString copy(original);
    EXPECT_EQ(copy, original);
    EXPECT_NE(copy.characters(), original.characters());
    original += VKF_T(" no");
    EXPECT_EQ(copy, CString(VKF_T("shared?")));
    CString assigned;
    assigned = original;
    EXPECT_NE(assigned.characters(), original.characters());
    EXPECT_EQ(assigned, CString(VKF_T("shared? no")));
    EXPECT_EQ(assigned.capacity(), 16);

    // Copying a string without storage gives an empty string.
    const CString empty;
    const CString emptyCopy(empty);
    EXPECT_TRUE(emptyCopy.isEmpty());
    EXPECT_EQ(emptyCopy.characters()[0], 0);
    assigned = empty;
    EXPECT_TRUE(assigned.isEmpty());
    expectWellFormed(assigned, "assigned empty");
}

TEST(StringTest, CopiesKeepEmbeddedZeroUnits)
{
    CString text(VKF_T("a"));
    text += UChar(0);
    text += UChar('b');
    ASSERT_EQ(text.length(), 3);
    const CString copy(text);
    EXPECT_EQ(copy.length(), 3);
    EXPECT_EQ(copy, text);
    EXPECT_EQ(copy[2], UChar('b'));
}

TEST(StringTest, MovesTransferTheBlock)
{
    CString source(VKF_T("moving text"));
    const UChar* block = source.characters();
    CString target(std::move(source));
    EXPECT_EQ(target.characters(), block);
    EXPECT_EQ(target, CString(VKF_T("moving text")));
    EXPECT_EQ(source.length(), 0); // NOLINT(bugprone-use-after-move): the moved-from state is defined
    EXPECT_EQ(source.capacity(), 0);
    EXPECT_EQ(source.characters()[0], 0);

    CString other(VKF_T("old"));
    other = std::move(target);
    EXPECT_EQ(other.characters(), block);
    EXPECT_EQ(target.capacity(), 0); // NOLINT(bugprone-use-after-move)
    // A moved-from string is usable again.
    target = VKF_T("again");
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

TEST(StringTest, Concatenation)
{
    const CString left(VKF_T("left"));
    EXPECT_EQ(left + CString(VKF_T("+right")), CString(VKF_T("left+right")));
    EXPECT_EQ(left + VKF_T("!"), CString(VKF_T("left!")));
    EXPECT_EQ(VKF_T("<") + left, CString(VKF_T("<left")));
    EXPECT_EQ(left + CString(), left);
    EXPECT_EQ(CString() + CString(), CString());

    CString text(VKF_T("n = "));
    text.append(VKF_T("12345"), 3);
    EXPECT_EQ(text, CString(VKF_T("n = 123")));
    EXPECT_EQ(text.length(), 7);
}

TEST(StringTest, AppendingAnObjectAppendsItsText)
{
    CString text(VKF_T("Error: "));
    text += CException(CString(VKF_T("bad")));
    EXPECT_EQ(text, CString(VKF_T("Error: bad")));
    text += COutOfMemoryException();
    EXPECT_EQ(text, CString(VKF_T("Error: badOut of memory.")));
    const VKF::CStringCastable& castable = CString(VKF_T("!"));
    text += castable;
    EXPECT_EQ(text, CString(VKF_T("Error: badOut of memory.!")));
    EXPECT_EQ(CString(VKF_T("x")) + CException(), CString(VKF_T("xGeneric exception.")));
}

TEST(StringTest, ComparisonIsExactUnitByUnit)
{
    EXPECT_EQ(CString(VKF_T("Name")), CString(VKF_T("Name")));
    EXPECT_NE(CString(VKF_T("Name")), CString(VKF_T("name")));
    EXPECT_NE(CString(VKF_T("Name")), CString(VKF_T("Nam")));
    EXPECT_NE(CString(VKF_T("")), CString(VKF_T("a")));
    EXPECT_TRUE(CString(VKF_T("abc")).equals(VKF_T("abcd"), 3));
    EXPECT_FALSE(CString(VKF_T("abc")).equals(VKF_T("abd"), 3));
    EXPECT_TRUE(CString().equals(VKF_T(""), 0));
    // Greek letters and a surrogate pair compare as plain units.
    const UChar greek[] = {0x03C0, 0xD835, 0xDF0B, 0};
    EXPECT_EQ(CString(greek), CString(greek, 3));
}

TEST(StringTest, ToStringCopies)
{
    const CString text(VKF_T("value"));
    const CString copy = text.toString();
    EXPECT_EQ(copy, text);
    EXPECT_NE(copy.characters(), text.characters());
}

TEST(StringTest, TextLength)
{
    EXPECT_EQ(VKF::textLength(VKF_T("")), 0);
    EXPECT_EQ(VKF::textLength(VKF_T("four")), 4);
    EXPECT_EQ(VKF::textLength(nullptr), 0);
}

#if defined(_WIN32)
// Beyond the address space of a 32-bit process: the heap really refuses.
TEST(StringTest, AFailedAllocationLeavesTheStringAsItWas)
{
    const int32_t huge = 0x3FFFFF00;
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
