// The quadratic solver window: roots of typed coefficients, the error boxes, the engine's
// auxiliary names, the busy engine and the close box.
#include "tool_window_harness.h"

#include "resources/resource_ids.h"

namespace {

class QuadraticSolverTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        openWithToolWindows();
        command(IDM_SOLVE_QUADRATIC);
        m_solver = toolWindow(TToolWindow::QUADRATIC_SOLVER);
        ASSERT_NE(m_solver, nullptr);
        ASSERT_TRUE(IsWindowVisible(m_solver));
    }

    void solve(const std::wstring& a, const std::wstring& b, const std::wstring& c)
    {
        SetDlgItemTextW(m_solver, IDC_SOLVER_A, a.c_str());
        SetDlgItemTextW(m_solver, IDC_SOLVER_B, b.c_str());
        SetDlgItemTextW(m_solver, IDC_SOLVER_C, c.c_str());
        click(m_solver, IDC_SOLVER_SOLVE);
    }

    std::wstring x1() const { return itemText(m_solver, IDC_SOLVER_X1); }
    std::wstring x2() const { return itemText(m_solver, IDC_SOLVER_X2); }

    HWND m_solver = nullptr;
};

} // namespace

TEST_F(QuadraticSolverTest, HasItsTitleFieldsAndDefaultButton)
{
    EXPECT_EQ(windowText(m_solver), L"Solve quadratic equation");
    EXPECT_EQ(GetWindow(m_solver, GW_OWNER), mainWindow());
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_FORM), L"Solve equation of the form:\r\nA*x^2 + B*x + C = 0");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_INPUT), L"Input");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_OUTPUT), L"Output");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_A), L"A =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_B), L"B =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_C), L"C =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_X1), L"x_1 =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_X2), L"x_2 =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_SOLVE), L"Solve");
    EXPECT_EQ(SendMessageW(m_solver, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_SOLVER_SOLVE, DC_HASDEFID));
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(m_solver, IDC_SOLVER_X1), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(m_solver, IDC_SOLVER_X2), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(m_solver, IDC_SOLVER_A), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(GetDlgItem(m_solver, IDC_SOLVER_D), nullptr);
}

TEST_F(QuadraticSolverTest, ShowsBothRoots)
{
    struct { const wchar_t* a; const wchar_t* b; const wchar_t* c; const wchar_t* x1; const wchar_t* x2; } cases[] = {
        {L"1", L"-3", L"2", L"2", L"1"},
        {L"1", L"2", L"1", L"-1", L"-1"},
        {L"2", L"0", L"-8", L"2", L"-2"},
        {L"1", L"0", L"1", L"i", L"-i"},
        {L"1", L"2", L"5", L"-1 + i*2", L"-1 - i*2"},
        {L"1", L"-(2+i)", L"2i", L"2", L"i"},
        {L"sqrt(4)", L"-2*3", L"4*2^0", L"2", L"1"},
        // b*b much larger than 4*a*c: both roots keep their digits.
        {L"1", L"1E8", L"1", L"-1e-008", L"-100000000"},
        {L"1", L"-1E8", L"1", L"100000000", L"1e-008"},
    };
    for (const auto& c : cases) {
        solve(c.a, c.b, c.c);
        EXPECT_EQ(x1(), c.x1) << narrow(c.a) << ", " << narrow(c.b) << ", " << narrow(c.c);
        EXPECT_EQ(x2(), c.x2) << narrow(c.a) << ", " << narrow(c.b) << ", " << narrow(c.c);
    }
}

TEST_F(QuadraticSolverTest, EnterInACoefficientFieldSolves)
{
    SetDlgItemTextW(m_solver, IDC_SOLVER_A, L"1");
    SetDlgItemTextW(m_solver, IDC_SOLVER_B, L"0");
    SetDlgItemTextW(m_solver, IDC_SOLVER_C, L"-9");
    HWND field = GetDlgItem(m_solver, IDC_SOLVER_C);
    SetFocus(field);
    pressKey(field, VK_RETURN);
    EXPECT_EQ(x1(), L"3");
    EXPECT_EQ(x2(), L"-3");
}

TEST_F(QuadraticSolverTest, CoefficientsUseTheConsolesDefinitions)
{
    enterLine(L"k=2");
    enterLine(L"f(x)=x^2");
    solve(L"1", L"-f(k)", L"k+k");
    EXPECT_EQ(x1(), L"2");
    EXPECT_EQ(x2(), L"2");
    solve(L"1", L"-f(k)", L"f(k)-k*k+3");
    EXPECT_EQ(x1(), L"3");
    EXPECT_EQ(x2(), L"1");
}

TEST_F(QuadraticSolverTest, AFieldThatCannotBeEvaluatedIsNamedAndNothingChanges)
{
    solve(L"1", L"-3", L"2");
    struct { const wchar_t* a; const wchar_t* b; const wchar_t* c; const wchar_t* message; } cases[] = {
        {L"", L"1", L"1", L"Error evaluating the 'A' field"},
        {L"1+", L"x)", L"1", L"Error evaluating the 'A' field"},
        {L"1", L"undefined", L"1", L"Error evaluating the 'B' field"},
        {L"1", L"   ", L"1", L"Error evaluating the 'B' field"},
        {L"1", L"1", L"", L"Error evaluating the 'C' field"},
        {L"1", L"1", L"1/0", L"Error evaluating the 'C' field"},
    };
    for (const auto& c : cases) {
        CDialogWatcher watcher;
        solve(c.a, c.b, c.c);
        ASSERT_EQ(watcher.dialogs().size(), 1u) << narrow(c.message);
        EXPECT_EQ(watcher.dialogs()[0].caption, L"Error");
        EXPECT_EQ(watcher.dialogs()[0].text, c.message);
        EXPECT_EQ(watcher.dialogs()[0].owner, m_solver);
        EXPECT_FALSE(watcher.dialogs()[0].hasIcon);
        EXPECT_EQ(x1(), L"2");
        EXPECT_EQ(x2(), L"1");
    }
}

TEST_F(QuadraticSolverTest, AZeroLeadingCoefficientEndsInTheComputingBox)
{
    solve(L"1", L"-3", L"2");
    CDialogWatcher watcher;
    solve(L"0", L"1", L"1");
    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(watcher.dialogs()[0].caption, L"Division by zero.");
    EXPECT_EQ(watcher.dialogs()[0].text, L"Error computing solutions.");
    EXPECT_EQ(watcher.dialogs()[0].owner, m_solver);
    EXPECT_EQ(x1(), L"2");
    EXPECT_EQ(x2(), L"1");
}

TEST_F(QuadraticSolverTest, AUserVariableNamedLikeAParameterStopsTheFormula)
{
    enterLine(L"b=1");
    CDialogWatcher watcher;
    solve(L"1", L"-3", L"2");
    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(watcher.dialogs()[0].caption, L"Function '___quad_' not defined.");
    EXPECT_EQ(watcher.dialogs()[0].text, L"Error computing solutions.");
    EXPECT_EQ(x1(), L"");
}

TEST_F(QuadraticSolverTest, TheAuxiliaryFunctionsStayDefinedAtTheConsole)
{
    solve(L"1", L"-3", L"2");
    enterLine(L"___quad_(1,-5,6)");
    EXPECT_EQ(paneText(), L">> ___quad_(1,-5,6)\r\n= 2");
    enterLine(L"___dummy_()");
    EXPECT_EQ(paneText().substr(0, 21), L">> ___dummy_()\r\n= 2\r\n");
    // Redefining them again asks nothing.
    CDialogWatcher watcher;
    solve(L"1", L"-7", L"12");
    EXPECT_EQ(watcher.dialogs().size(), 0u);
    EXPECT_EQ(x1(), L"4");
}

TEST_F(QuadraticSolverTest, WhileTheEngineIsBusySolveDoesNothing)
{
    SetDlgItemTextW(m_solver, IDC_SOLVER_A, L"1");
    SetDlgItemTextW(m_solver, IDC_SOLVER_B, L"-3");
    SetDlgItemTextW(m_solver, IDC_SOLVER_C, L"2");
    CDialogWatcher watcher;
    {
        CEngineWork work(*m_console);
        click(m_solver, IDC_SOLVER_SOLVE);
    }
    EXPECT_EQ(watcher.dialogs().size(), 0u);
    EXPECT_EQ(x1(), L"");
    click(m_solver, IDC_SOLVER_SOLVE);
    EXPECT_EQ(x1(), L"2");
}

TEST_F(QuadraticSolverTest, TheCloseBoxHidesItAndItKeepsItsFields)
{
    solve(L"1", L"-3", L"2");
    SendMessageW(m_solver, WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindowVisible(m_solver));
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));
    command(IDM_SOLVE_QUADRATIC);
    EXPECT_TRUE(IsWindowVisible(m_solver));
    EXPECT_TRUE(isChecked(IDM_SOLVE_QUADRATIC));
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_B), L"-3");
    EXPECT_EQ(x1(), L"2");
}
