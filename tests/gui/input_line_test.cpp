// The input line: its key handler and browsing the history with Up and Down.
#include "console_harness.h"

#include <vector>

namespace {

// In the keys of a case, arrows and ⏎ are pressed as keys; anything else is typed.
struct CHistoryCase {
    std::vector<std::wstring> executed;
    std::wstring keys;
    std::wstring shows;
};

const CHistoryCase HISTORY_CASES[] = {
    {{L"1", L"2", L"3"}, L"↑", L"3"},
    {{L"1", L"2", L"3"}, L"↑↑", L"2"},
    {{L"1", L"2", L"3"}, L"↑↑↓", L"3"},
    {{L"1", L"2", L"3"}, L"↑↑↓↓", L""},
    {{L"1", L"2", L"3"}, L"↑↑↓↓↑", L"3"},
    // The oldest entry stays, and Down from it shows the next newer one.
    {{L"a", L"b"}, L"↑↑↑↑", L"a"},
    {{L"a", L"b"}, L"↑↑↑↑↓", L"b"},
    {{L"a", L"b", L"c"}, L"↑↑↑↓↑", L"a"},
    {{}, L"abc↑", L"abc"},
    {{}, L"abc↓", L""},
    // Typing ends browsing, and so does executing a recalled line, which is remembered again.
    {{L"1", L"2", L"3"}, L"↑↑x↑", L"3"},
    {{L"1", L"2"}, L"↑↑⏎↑", L"1"},
    {{L"1", L"2"}, L"↑↑⏎↑↑", L"2"},
    // Enter and Tab never reach the edit control as characters; Left still moves the caret.
    {{}, L"1\t2\r3", L"123"},
    {{}, L"13←2", L"123"},
};

std::string describe(const CHistoryCase& c)
{
    std::wstring executed;
    for (const std::wstring& line : c.executed)
        executed += L"\"" + line + L"\" ";
    return narrow(L"after " + executed + L"keys \"" + c.keys + L"\"");
}

} // namespace

TEST_F(ConsoleTest, UpAndDownBrowseTheExecutedLines)
{
    for (const CHistoryCase& c : HISTORY_CASES) {
        open();
        m_console->statement = [](const VKF::CString&, VKF::CString& output) { output = VKF_T("= ok"); };
        for (const std::wstring& line : c.executed)
            enterLine(line);
        for (wchar_t key : c.keys) {
            switch (key) {
            case L'↑': pressKey(inputLine(), VK_UP); break;
            case L'↓': pressKey(inputLine(), VK_DOWN); break;
            case L'←': pressKey(inputLine(), VK_LEFT); break;
            case L'⏎': pressKey(inputLine(), VK_RETURN); break;
            default: typeText(inputLine(), std::wstring(1, key));
            }
        }
        EXPECT_EQ(inputText(), c.shows) << describe(c);
    }
}

TEST_F(ConsoleTest, ARecalledLineIsSelectedWhole)
{
    open();
    enterLine(L"sqrt(2)");
    pressKey(inputLine(), VK_UP);
    EXPECT_EQ(inputText(), L"sqrt(2)");
    EXPECT_EQ(selection(), std::make_pair(0, 7));
}
