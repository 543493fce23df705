// The input line: its key handler and browsing the history with Up and Down.
#include "console_harness.h"

namespace {

class InputFieldTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        m_console->statement = [](const VKF::CString&, VKF::CString& output) { output = VKF_T("= ok"); };
        open();
    }

    void up() { pressKey(inputLine(), VK_UP); }
    void down() { pressKey(inputLine(), VK_DOWN); }

    std::pair<DWORD, DWORD> selection() const
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(inputLine(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
};

} // namespace

TEST_F(InputFieldTest, UpUpDownDownWalksBackAndReturnsToAnEmptyLine)
{
    enterLine(L"1");
    enterLine(L"2");
    enterLine(L"3");
    up();
    EXPECT_EQ(inputText(), L"3");
    up();
    EXPECT_EQ(inputText(), L"2");
    down();
    EXPECT_EQ(inputText(), L"3");
    down();
    EXPECT_EQ(inputText(), L"");
    up();
    EXPECT_EQ(inputText(), L"3");
}

TEST_F(InputFieldTest, UpOnTheOldestEntryKeepsItAndDownShowsTheNextNewer)
{
    enterLine(L"a");
    enterLine(L"b");
    up();
    up();
    EXPECT_EQ(inputText(), L"a");
    up();
    EXPECT_EQ(inputText(), L"a");
    up();
    EXPECT_EQ(inputText(), L"a");
    down();
    EXPECT_EQ(inputText(), L"b");
    down();
    EXPECT_EQ(inputText(), L"");
}

TEST_F(InputFieldTest, DownThenUpShowsTheEntryBeforeTheOneShown)
{
    enterLine(L"a");
    enterLine(L"b");
    enterLine(L"c");
    up();
    up();
    up();
    EXPECT_EQ(inputText(), L"a");
    down();
    EXPECT_EQ(inputText(), L"b");
    up();
    EXPECT_EQ(inputText(), L"a");
}

TEST_F(InputFieldTest, WithAnEmptyHistoryUpDoesNothingAndDownEmptiesTheLine)
{
    typeText(inputLine(), L"abc");
    up();
    EXPECT_EQ(inputText(), L"abc");
    down();
    EXPECT_EQ(inputText(), L"");
}

TEST_F(InputFieldTest, ARecalledEntryIsSelectedWhole)
{
    enterLine(L"sqrt(2)");
    up();
    EXPECT_EQ(inputText(), L"sqrt(2)");
    EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{7}));
}

TEST_F(InputFieldTest, TypingEndsBrowsingSoUpStartsFromTheNewestAgain)
{
    enterLine(L"1");
    enterLine(L"2");
    enterLine(L"3");
    up();
    up();
    EXPECT_EQ(inputText(), L"2");
    typeText(inputLine(), L"x");
    EXPECT_EQ(inputText(), L"x");
    up();
    EXPECT_EQ(inputText(), L"3");
}

TEST_F(InputFieldTest, ARecalledLineExecutedUnchangedIsRememberedAgain)
{
    enterLine(L"1");
    enterLine(L"2");
    up();
    up();
    pressKey(inputLine(), VK_RETURN);
    const auto& history = m_console->inputLine().history();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(toWide(history[2]), L"1");
    EXPECT_EQ(paneText().substr(0, 12), L">> 1\r\n= ok\r\n");
    // Executing ended browsing.
    up();
    EXPECT_EQ(inputText(), L"1");
    up();
    EXPECT_EQ(inputText(), L"2");
}

TEST_F(InputFieldTest, EnterAndTabNeverReachTheEditControl)
{
    typeText(inputLine(), L"1\t2\r3");
    EXPECT_EQ(inputText(), L"123");
    EXPECT_EQ(paneText(), L"");
}

TEST_F(InputFieldTest, LeftAndRightStillMoveTheCaret)
{
    typeText(inputLine(), L"13");
    pressKey(inputLine(), VK_LEFT);
    typeText(inputLine(), L"2");
    EXPECT_EQ(inputText(), L"123");
}
