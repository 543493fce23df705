// The calculator panel: what each button types into the input line, where the caret goes, "Exe"
// and "Clear".
#include "console_harness.h"

#include "resources/resource_ids.h"

namespace {

// Each button clicked with the caret between "a" and "b": the line it leaves, | for the caret.
struct CButton {
    int id;
    const wchar_t* caption;
    const wchar_t* leaves;
};

const CButton TYPING_BUTTONS[] = {
    // Functions leave the caret between their parentheses.
    {IDC_CALC_SIN, L"sin", L"asin(|)b"},
    {IDC_CALC_COS, L"cos", L"acos(|)b"},
    {IDC_CALC_TAN, L"tan", L"atan(|)b"},
    {IDC_CALC_ARCSIN, L"sin‾¹", L"aarcsin(|)b"},
    {IDC_CALC_ARCCOS, L"cos‾¹", L"aarccos(|)b"},
    {IDC_CALC_ARCTAN, L"tan‾¹", L"aarctan(|)b"},
    {IDC_CALC_SINH, L"sinh", L"asinh(|)b"},
    {IDC_CALC_COSH, L"cosh", L"acosh(|)b"},
    {IDC_CALC_TANH, L"tanh", L"atanh(|)b"},
    {IDC_CALC_ARCSINH, L"sinh‾¹", L"aarcsinh(|)b"},
    {IDC_CALC_ARCCOSH, L"cosh‾¹", L"aarccosh(|)b"},
    {IDC_CALC_ARCTANH, L"tanh‾¹", L"aarctanh(|)b"},
    {IDC_CALC_EXP, L"exp", L"aexp(|)b"},
    {IDC_CALC_LN, L"ln", L"aln(|)b"},
    {IDC_CALC_SQRT, L"√(x)", L"asqrt(|)b"},
    {IDC_CALC_ABS, L"|x|", L"aabs(|)b"},
    {IDC_CALC_ARG, L"arg", L"aarg(|)b"},
    {IDC_CALC_RE, L"Re", L"aRe(|)b"},
    {IDC_CALC_IM, L"Im", L"aIm(|)b"},
    {IDC_CALC_ANS, L"ans", L"aans|b"},
    {IDC_CALC_PI, L"π", L"aπ|b"},
    {IDC_CALC_SQUARE, L"x²", L"a^2|b"},
    {IDC_CALC_0, L"0", L"a0|b"},
    {IDC_CALC_1, L"1", L"a1|b"},
    {IDC_CALC_2, L"2", L"a2|b"},
    {IDC_CALC_3, L"3", L"a3|b"},
    {IDC_CALC_4, L"4", L"a4|b"},
    {IDC_CALC_5, L"5", L"a5|b"},
    {IDC_CALC_6, L"6", L"a6|b"},
    {IDC_CALC_7, L"7", L"a7|b"},
    {IDC_CALC_8, L"8", L"a8|b"},
    {IDC_CALC_9, L"9", L"a9|b"},
    {IDC_CALC_I, L"i", L"ai|b"},
    {IDC_CALC_POINT, L".", L"a.|b"},
    {IDC_CALC_LEFT_PAREN, L"(", L"a(|b"},
    {IDC_CALC_RIGHT_PAREN, L")", L"a)|b"},
    {IDC_CALC_ASSIGN, L"=", L"a=|b"},
    {IDC_CALC_PLUS, L"+", L"a+|b"},
    {IDC_CALC_MINUS, L"-", L"a-|b"},
    {IDC_CALC_MULTIPLY, L"*", L"a*|b"},
    {IDC_CALC_DIVIDE, L"/", L"a/|b"},
    {IDC_CALC_POWER, L"^", L"a^|b"},
};

class CalculatorPanelTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        open();
        command(IDM_VIEW_CALCULATOR_PANEL);
        m_panel = toolWindow(ToolWindow::CalculatorPanel);
        ASSERT_TRUE(IsWindowVisible(m_panel));
    }

    // The input line with | where the caret is.
    std::wstring lineWithCaret() const
    {
        auto [start, end] = selection();
        return end == start ? inputText().insert(static_cast<size_t>(start), L"|") : L"<a selection>";
    }

    HWND m_panel = nullptr;
};

} // namespace

TEST_F(CalculatorPanelTest, EachButtonTypesItsTextAtTheCaretAndGivesTheFocusBack)
{
    for (const CButton& button : TYPING_BUTTONS) {
        EXPECT_EQ(itemText(m_panel, button.id), button.caption) << "button " << button.id;
        setInput(L"ab", 1, 1);
        // As the mouse clicks it: the button takes the focus first.
        SendMessageW(GetDlgItem(m_panel, button.id), BM_CLICK, 0, 0);
        pump();
        EXPECT_EQ(lineWithCaret(), button.leaves) << "button " << narrow(button.caption);
        EXPECT_EQ(GetFocus(), inputLine()) << "button " << narrow(button.caption);
    }
}

TEST_F(CalculatorPanelTest, AButtonReplacesTheSelection)
{
    setInput(L"2*x+1", 2, 3);
    click(m_panel, IDC_CALC_SIN);
    EXPECT_EQ(lineWithCaret(), L"2*sin(|)+1");
}

TEST_F(CalculatorPanelTest, ExeExecutesTheLineLikeEnter)
{
    for (int id : {IDC_CALC_2, IDC_CALC_SQUARE, IDC_CALC_PLUS, IDC_CALC_1, IDC_CALC_EXE})
        click(m_panel, id);
    EXPECT_EQ(paneText(), L">> 2^2+1\r\n= 5");
    EXPECT_EQ(inputText(), L"");
    EXPECT_EQ(GetFocus(), inputLine());
    for (int id : {IDC_CALC_ANS, IDC_CALC_MULTIPLY, IDC_CALC_2, IDC_CALC_EXE})
        click(m_panel, id);
    EXPECT_EQ(paneText(), L">> ans*2\r\n= 10\r\n\r\n>> 2^2+1\r\n= 5");
    EXPECT_EQ(CInputLineInspector::history(m_console->inputLine()).size(), 2u);
}

TEST_F(CalculatorPanelTest, ClearEmptiesTheLineAndEndsBrowsing)
{
    enterLine(L"1");
    enterLine(L"2");
    pressKey(inputLine(), VK_UP);
    pressKey(inputLine(), VK_UP);
    ASSERT_EQ(inputText(), L"1");
    click(m_panel, IDC_CALC_CLEAR);
    EXPECT_EQ(inputText(), L"");
    EXPECT_EQ(GetFocus(), inputLine());
    pressKey(inputLine(), VK_UP);
    EXPECT_EQ(inputText(), L"2");
}
