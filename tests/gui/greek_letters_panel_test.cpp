// The Greek letters panel: the case list, the letters it types, the integral sign, the focus.
#include "console_harness.h"

#include "resources/resource_ids.h"

namespace {

// The capitals have no final sigma: that button offers the integral sign.
const std::wstring LOWER = L"αβγδεζηθικλμνξοπρςστυφχψω";
const std::wstring UPPER = L"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡ∫ΣΤΥΦΧΨΩ";

class GreekLettersPanelTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        open();
        command(IDM_VIEW_GREEK_LETTERS);
        m_panel = toolWindow(ToolWindow::GreekLetters);
        ASSERT_TRUE(IsWindowVisible(m_panel));
    }

    void chooseCase(const wchar_t* name)
    {
        HWND list = GetDlgItem(m_panel, IDC_GREEK_CASE);
        ASSERT_NE(SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)), CB_ERR);
        SendMessageW(m_panel, WM_COMMAND, MAKEWPARAM(IDC_GREEK_CASE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        pump();
    }

    // Clicks every letter, as the mouse does, into an empty line; returns the captions seen.
    std::wstring clickEveryLetter()
    {
        setInput(L"", 0, 0);
        std::wstring captions;
        for (int id = IDC_GREEK_FIRST_LETTER; id <= IDC_GREEK_LAST_LETTER; ++id) {
            captions += itemText(m_panel, id);
            SendMessageW(GetDlgItem(m_panel, id), BM_CLICK, 0, 0);
            pump();
            EXPECT_EQ(GetAncestor(GetFocus(), GA_ROOT), m_panel) << "the panel lost the focus at " << narrow(captions);
        }
        return captions;
    }

    HWND m_panel = nullptr;
};

} // namespace

TEST_F(GreekLettersPanelTest, EachCaseShowsAndTypesItsLetters)
{
    EXPECT_EQ(windowText(GetDlgItem(m_panel, IDC_GREEK_CASE)), L"Lowercase");
    EXPECT_EQ(clickEveryLetter(), LOWER);
    EXPECT_EQ(inputText(), LOWER);
    chooseCase(L"Uppercase");
    EXPECT_EQ(clickEveryLetter(), UPPER);
    EXPECT_EQ(inputText(), UPPER);
    chooseCase(L"Lowercase");
    EXPECT_EQ(clickEveryLetter(), LOWER);
}

TEST_F(GreekLettersPanelTest, ALetterReplacesTheSelection)
{
    setInput(L"2*x+1", 2, 3);
    click(m_panel, IDC_GREEK_FIRST_LETTER);
    EXPECT_EQ(inputText(), L"2*α+1");
    EXPECT_EQ(selection(), std::make_pair(3, 3));
}

TEST_F(GreekLettersPanelTest, TheCaseSurvivesHidingAndShowing)
{
    chooseCase(L"Uppercase");
    SendMessageW(m_panel, WM_CLOSE, 0, 0);
    pump();
    command(IDM_VIEW_GREEK_LETTERS);
    ASSERT_TRUE(IsWindowVisible(m_panel));
    EXPECT_EQ(windowText(GetDlgItem(m_panel, IDC_GREEK_CASE)), L"Uppercase");
    EXPECT_EQ(itemText(m_panel, IDC_GREEK_FIRST_LETTER), L"Α");
}
