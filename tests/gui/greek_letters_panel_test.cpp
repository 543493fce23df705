// The Greek letters panel: the case list, the letters it types, the integral sign, the focus.
#include "tool_window_harness.h"

#include "resources/resource_ids.h"

namespace {

const std::wstring LOWER = L"αβγδεζηθικλμνξοπρςστυφχψω";
const std::wstring UPPER = L"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡ∫ΣΤΥΦΧΨΩ";
constexpr int LETTERS = IDC_GREEK_LAST_LETTER - IDC_GREEK_FIRST_LETTER + 1;

class GreekLettersPanelTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        openWithToolWindows();
        command(IDM_VIEW_GREEK_LETTERS);
        m_panel = toolWindow(TToolWindow::GREEK_LETTERS);
        ASSERT_NE(m_panel, nullptr);
        ASSERT_TRUE(IsWindowVisible(m_panel));
    }

    std::wstring captions() const
    {
        std::wstring all;
        for (int index = 0; index < LETTERS; ++index)
            all += itemText(m_panel, IDC_GREEK_FIRST_LETTER + index);
        return all;
    }

    void chooseCase(int index)
    {
        HWND list = GetDlgItem(m_panel, IDC_GREEK_CASE);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(m_panel, WM_COMMAND, MAKEWPARAM(IDC_GREEK_CASE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        pump();
    }

    // As the mouse does it: the button takes the focus and reports the click.
    void press(int id)
    {
        SendMessageW(GetDlgItem(m_panel, id), BM_CLICK, 0, 0);
        pump();
    }

    HWND m_panel = nullptr;
};

} // namespace

TEST_F(GreekLettersPanelTest, StartsInLowerCaseWithBothCasesListed)
{
    EXPECT_EQ(windowText(m_panel), L"Greek letters");
    EXPECT_EQ(GetWindow(m_panel, GW_OWNER), mainWindow());
    HWND list = GetDlgItem(m_panel, IDC_GREEK_CASE);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 2);
    wchar_t entry[32] = {};
    SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"Lowercase");
    SendMessageW(list, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"Uppercase");
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(captions(), LOWER);
}

TEST_F(GreekLettersPanelTest, EachLetterIsTypedAtTheCaretAndTheFocusStaysOnThePanel)
{
    setInput(L"", 0, 0);
    for (int index = 0; index < LETTERS; ++index) {
        press(IDC_GREEK_FIRST_LETTER + index);
        EXPECT_EQ(inputText(), LOWER.substr(0, static_cast<size_t>(index) + 1));
        EXPECT_EQ(selection(), std::make_pair(index + 1, index + 1));
        EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), m_panel) << index;
    }
}

TEST_F(GreekLettersPanelTest, ALetterReplacesTheSelection)
{
    setInput(L"2*x+1", 2, 3);
    press(IDC_GREEK_FIRST_LETTER);
    EXPECT_EQ(inputText(), L"2*α+1");
    EXPECT_EQ(selection(), std::make_pair(3, 3));
}

TEST_F(GreekLettersPanelTest, UpperCaseShowsCapitalsAndTheIntegralSign)
{
    chooseCase(1);
    EXPECT_EQ(captions(), UPPER);
    setInput(L"", 0, 0);
    for (int index = 0; index < LETTERS; ++index)
        press(IDC_GREEK_FIRST_LETTER + index);
    EXPECT_EQ(inputText(), UPPER);
    setInput(L"", 0, 0);
    press(IDC_GREEK_FIRST_LETTER + 17);
    EXPECT_EQ(inputText(), L"\u222B");

    chooseCase(0);
    EXPECT_EQ(captions(), LOWER);
    setInput(L"", 0, 0);
    press(IDC_GREEK_FIRST_LETTER + 17);
    EXPECT_EQ(inputText(), L"\u03C2");
}

TEST_F(GreekLettersPanelTest, TheCaseSurvivesHidingAndShowing)
{
    chooseCase(1);
    SendMessageW(m_panel, WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindowVisible(m_panel));
    EXPECT_FALSE(isChecked(IDM_VIEW_GREEK_LETTERS));
    command(IDM_VIEW_GREEK_LETTERS);
    EXPECT_TRUE(IsWindowVisible(m_panel));
    EXPECT_TRUE(isChecked(IDM_VIEW_GREEK_LETTERS));
    EXPECT_EQ(SendDlgItemMessageW(m_panel, IDC_GREEK_CASE, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(captions(), UPPER);
}

TEST_F(GreekLettersPanelTest, TypedLettersAreOrdinaryNames)
{
    setInput(L"", 0, 0);
    press(IDC_GREEK_FIRST_LETTER);
    typeText(inputLine(), L"=2");
    pressKey(inputLine(), VK_RETURN);
    press(IDC_GREEK_FIRST_LETTER);
    typeText(inputLine(), L"*π");
    pressKey(inputLine(), VK_RETURN);
    EXPECT_EQ(paneText(), L">> α*π\r\n= 6.28318530718\r\n\r\n>> α=2\r\nα = 2");
}
