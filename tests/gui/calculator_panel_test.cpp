// The calculator panel: what each button types into the input line, where the caret goes, "Exe",
// "Clear", the focus and the close box.
#include "tool_window_harness.h"

#include "foundation/exception.h"
#include "resources/resource_ids.h"

namespace {

struct SButton {
    int id;
    const wchar_t* caption;
    const wchar_t* inserts;
    int caretBack; // how far the caret stands before the end of the inserted text
};

const SButton TYPING_BUTTONS[] = {
    {IDC_CALC_SINH, L"sinh", L"sinh()", 1},
    {IDC_CALC_COSH, L"cosh", L"cosh()", 1},
    {IDC_CALC_TANH, L"tanh", L"tanh()", 1},
    {IDC_CALC_ARCSINH, L"sinh\u203E\u00B9", L"arcsinh()", 1},
    {IDC_CALC_ARCCOSH, L"cosh\u203E\u00B9", L"arccosh()", 1},
    {IDC_CALC_ARCTANH, L"tanh\u203E\u00B9", L"arctanh()", 1},
    {IDC_CALC_SIN, L"sin", L"sin()", 1},
    {IDC_CALC_COS, L"cos", L"cos()", 1},
    {IDC_CALC_TAN, L"tan", L"tan()", 1},
    {IDC_CALC_ARCSIN, L"sin\u203E\u00B9", L"arcsin()", 1},
    {IDC_CALC_ARCCOS, L"cos\u203E\u00B9", L"arccos()", 1},
    {IDC_CALC_ARCTAN, L"tan\u203E\u00B9", L"arctan()", 1},
    {IDC_CALC_ARG, L"arg", L"arg()", 1},
    {IDC_CALC_ANS, L"ans", L"ans", 0},
    {IDC_CALC_PI, L"\u03C0", L"\u03C0", 0},
    {IDC_CALC_EXP, L"exp", L"exp()", 1},
    {IDC_CALC_SQUARE, L"x\u00B2", L"^2", 0},
    {IDC_CALC_LN, L"ln", L"ln()", 1},
    {IDC_CALC_SQRT, L"\u221A(x)", L"sqrt()", 1},
    {IDC_CALC_ABS, L"|x|", L"abs()", 1},
    {IDC_CALC_RE, L"Re", L"Re()", 1},
    {IDC_CALC_POWER, L"^", L"^", 0},
    {IDC_CALC_1, L"1", L"1", 0},
    {IDC_CALC_4, L"4", L"4", 0},
    {IDC_CALC_7, L"7", L"7", 0},
    {IDC_CALC_0, L"0", L"0", 0},
    {IDC_CALC_IM, L"Im", L"Im()", 1},
    {IDC_CALC_LEFT_PAREN, L"(", L"(", 0},
    {IDC_CALC_2, L"2", L"2", 0},
    {IDC_CALC_5, L"5", L"5", 0},
    {IDC_CALC_8, L"8", L"8", 0},
    {IDC_CALC_I, L"i", L"i", 0},
    {IDC_CALC_RIGHT_PAREN, L")", L")", 0},
    {IDC_CALC_3, L"3", L"3", 0},
    {IDC_CALC_6, L"6", L"6", 0},
    {IDC_CALC_9, L"9", L"9", 0},
    {IDC_CALC_POINT, L".", L".", 0},
    {IDC_CALC_ASSIGN, L"=", L"=", 0},
    {IDC_CALC_DIVIDE, L"/", L"/", 0},
    {IDC_CALC_MULTIPLY, L"*", L"*", 0},
    {IDC_CALC_MINUS, L"-", L"-", 0},
    {IDC_CALC_PLUS, L"+", L"+", 0},
};

class CalculatorPanelTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        openWithToolWindows();
        command(IDM_VIEW_CALCULATOR_PANEL);
        m_panel = toolWindow(TToolWindow::CALCULATOR_PANEL);
        ASSERT_NE(m_panel, nullptr);
        ASSERT_TRUE(IsWindowVisible(m_panel));
    }

    HWND m_panel = nullptr;
};

int length(const wchar_t* text)
{
    return static_cast<int>(wcslen(text));
}

} // namespace

TEST_F(CalculatorPanelTest, IsTheTitledDialogWithEveryButton)
{
    EXPECT_EQ(windowText(m_panel), L"Calculator panel");
    EXPECT_EQ(GetWindow(m_panel, GW_OWNER), mainWindow());
    for (const SButton& button : TYPING_BUTTONS)
        EXPECT_EQ(itemText(m_panel, button.id), button.caption) << button.id;
    EXPECT_EQ(itemText(m_panel, IDC_CALC_EXE), L"Exe");
    EXPECT_EQ(itemText(m_panel, IDC_CALC_CLEAR), L"Clear");
    EXPECT_EQ(SendMessageW(m_panel, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_CALC_EXE, DC_HASDEFID));
    // The range holds no other controls than these 44 buttons.
    int buttons = 0;
    for (int id = IDC_CALC_FIRST; id <= IDC_CALC_LAST; ++id)
        buttons += GetDlgItem(m_panel, id) != nullptr;
    EXPECT_EQ(buttons, 44);
}

TEST_F(CalculatorPanelTest, EachButtonTypesItsTextAndPlacesTheCaret)
{
    for (const SButton& button : TYPING_BUTTONS) {
        setInput(L"", 0, 0);
        click(m_panel, button.id);
        EXPECT_EQ(inputText(), button.inserts) << button.id;
        int caret = length(button.inserts) - button.caretBack;
        EXPECT_EQ(selection(), std::make_pair(caret, caret)) << narrow(button.inserts);
        EXPECT_EQ(GetFocus(), inputLine()) << button.id;
    }
}

TEST_F(CalculatorPanelTest, EachButtonInsertsAtTheCaretInTheMiddleOfTheLine)
{
    for (const SButton& button : TYPING_BUTTONS) {
        setInput(L"ab", 1, 1);
        click(m_panel, button.id);
        EXPECT_EQ(inputText(), L"a" + std::wstring(button.inserts) + L"b") << button.id;
        int caret = 1 + length(button.inserts) - button.caretBack;
        EXPECT_EQ(selection(), std::make_pair(caret, caret)) << narrow(button.inserts);
    }
}

TEST_F(CalculatorPanelTest, AButtonReplacesTheSelection)
{
    setInput(L"12345", 1, 3);
    click(m_panel, IDC_CALC_PLUS);
    EXPECT_EQ(inputText(), L"1+45");
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    setInput(L"2*x+1", 2, 3);
    click(m_panel, IDC_CALC_SIN);
    EXPECT_EQ(inputText(), L"2*sin()+1");
    EXPECT_EQ(selection(), std::make_pair(6, 6));
}

TEST_F(CalculatorPanelTest, TheArgumentCanBeTypedRightAway)
{
    setInput(L"", 0, 0);
    click(m_panel, IDC_CALC_SIN);
    typeText(inputLine(), L"1");
    EXPECT_EQ(inputText(), L"sin(1)");
    pressKey(inputLine(), VK_RETURN);
    EXPECT_EQ(paneText().substr(0, 12), L">> sin(1)\r\n=");
}

TEST_F(CalculatorPanelTest, AnInsertionCanBeUndone)
{
    setInput(L"7", 1, 1);
    click(m_panel, IDC_CALC_SQRT);
    EXPECT_EQ(inputText(), L"7sqrt()");
    SendMessageW(inputLine(), EM_UNDO, 0, 0);
    EXPECT_EQ(inputText(), L"7");
}

TEST_F(CalculatorPanelTest, ExeExecutesTheLineLikeEnter)
{
    click(m_panel, IDC_CALC_2);
    click(m_panel, IDC_CALC_SQUARE);
    click(m_panel, IDC_CALC_PLUS);
    click(m_panel, IDC_CALC_1);
    click(m_panel, IDC_CALC_EXE);
    EXPECT_EQ(paneText(), L">> 2^2+1\r\n= 5");
    EXPECT_EQ(inputText(), L"");
    EXPECT_EQ(GetFocus(), inputLine());
    ASSERT_EQ(m_console->inputLine().history().size(), 1u);
    EXPECT_EQ(toWide(m_console->inputLine().history()[0]), L"2^2+1");
    click(m_panel, IDC_CALC_ANS);
    click(m_panel, IDC_CALC_MULTIPLY);
    click(m_panel, IDC_CALC_2);
    click(m_panel, IDC_CALC_EXE);
    EXPECT_EQ(paneText(), L">> ans*2\r\n= 10\r\n\r\n>> 2^2+1\r\n= 5");
}

TEST_F(CalculatorPanelTest, ExeReportsAFailureInTheMainWindowsErrorBox)
{
    m_console->statement = [](const VKF::CString&, VKF::CString&) {
        throw VKF::CException(VKF::CString(L"The disk is on fire."));
    };
    setInput(L"1+1", 3, 3);
    CDialogWatcher watcher;
    click(m_panel, IDC_CALC_EXE);
    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(watcher.dialogs()[0].caption, L"Error");
    EXPECT_EQ(watcher.dialogs()[0].text, L"The disk is on fire.");
    EXPECT_EQ(watcher.dialogs()[0].owner, mainWindow());
    EXPECT_TRUE(watcher.dialogs()[0].hasIcon);
    EXPECT_EQ(inputText(), L"1+1");
    EXPECT_EQ(paneText(), L"");
    EXPECT_EQ(GetFocus(), inputLine());
}

TEST_F(CalculatorPanelTest, ExeWhileTheEngineIsBusyDoesNothing)
{
    setInput(L"1+1", 3, 3);
    {
        CEngineWork work(*m_console);
        click(m_panel, IDC_CALC_EXE);
    }
    EXPECT_EQ(inputText(), L"1+1");
    EXPECT_EQ(paneText(), L"");
}

TEST_F(CalculatorPanelTest, ClearEmptiesTheLineAndEndsBrowsing)
{
    enterLine(L"1");
    enterLine(L"2");
    pressKey(inputLine(), VK_UP);
    pressKey(inputLine(), VK_UP);
    EXPECT_EQ(inputText(), L"1");
    click(m_panel, IDC_CALC_CLEAR);
    EXPECT_EQ(inputText(), L"");
    EXPECT_EQ(selection(), std::make_pair(0, 0));
    EXPECT_EQ(GetFocus(), inputLine());
    // Browsing starts again from the newest entry.
    pressKey(inputLine(), VK_UP);
    EXPECT_EQ(inputText(), L"2");
}

TEST_F(CalculatorPanelTest, TypingIntoARecalledLineEndsBrowsing)
{
    enterLine(L"1");
    enterLine(L"2");
    pressKey(inputLine(), VK_UP);
    pressKey(inputLine(), VK_UP);
    click(m_panel, IDC_CALC_PLUS);
    EXPECT_EQ(inputText(), L"+");
    pressKey(inputLine(), VK_UP);
    EXPECT_EQ(inputText(), L"2");
}

TEST_F(CalculatorPanelTest, IdsWithoutAButtonOnlyMoveTheFocus)
{
    setInput(L"abc", 1, 1);
    SetFocus(GetDlgItem(m_panel, IDC_CALC_1));
    for (int id : {29978, 29983, 29994, 29999, 30020}) {
        ASSERT_EQ(GetDlgItem(m_panel, id), nullptr) << id;
        SetFocus(GetDlgItem(m_panel, IDC_CALC_1));
        SendMessageW(m_panel, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        EXPECT_EQ(GetFocus(), inputLine()) << id;
        EXPECT_EQ(inputText(), L"abc");
    }
}

TEST_F(CalculatorPanelTest, OtherNotificationsAndCommandsAreIgnored)
{
    setInput(L"", 0, 0);
    SendMessageW(m_panel, WM_COMMAND, MAKEWPARAM(IDC_CALC_1, BN_SETFOCUS), 0);
    SendMessageW(m_panel, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    pump();
    EXPECT_EQ(inputText(), L"");
    EXPECT_TRUE(IsWindowVisible(m_panel));
}

TEST_F(CalculatorPanelTest, AClickAsTheMouseMakesItTypesToo)
{
    setInput(L"", 0, 0);
    SendMessageW(GetDlgItem(m_panel, IDC_CALC_COS), BM_CLICK, 0, 0);
    pump();
    EXPECT_EQ(inputText(), L"cos()");
    EXPECT_EQ(selection(), std::make_pair(4, 4));
    EXPECT_EQ(GetFocus(), inputLine());
}

TEST_F(CalculatorPanelTest, TheCloseBoxHidesThePanelAndUnchecksItsItem)
{
    EXPECT_TRUE(isChecked(IDM_VIEW_CALCULATOR_PANEL));
    SendMessageW(m_panel, WM_CLOSE, 0, 0);
    pump();
    EXPECT_TRUE(IsWindow(m_panel));
    EXPECT_FALSE(IsWindowVisible(m_panel));
    EXPECT_FALSE(isChecked(IDM_VIEW_CALCULATOR_PANEL));
    command(IDM_VIEW_CALCULATOR_PANEL);
    EXPECT_TRUE(IsWindowVisible(m_panel));
    EXPECT_EQ(toolWindow(TToolWindow::CALCULATOR_PANEL), m_panel);
}
