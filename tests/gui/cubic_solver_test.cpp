// The cubic solver window: its menu item, all three roots, the error boxes, the busy engine.
#include "tool_window_harness.h"

#include "resources/resource_ids.h"

#include <algorithm>
#include <vector>

namespace {

class CubicSolverTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        openWithToolWindows();
        command(IDM_SOLVE_CUBIC);
        m_solver = toolWindow(TToolWindow::CUBIC_SOLVER);
        ASSERT_NE(m_solver, nullptr);
        ASSERT_TRUE(IsWindowVisible(m_solver));
    }

    void solve(const std::wstring& a, const std::wstring& b, const std::wstring& c, const std::wstring& d)
    {
        SetDlgItemTextW(m_solver, IDC_SOLVER_A, a.c_str());
        SetDlgItemTextW(m_solver, IDC_SOLVER_B, b.c_str());
        SetDlgItemTextW(m_solver, IDC_SOLVER_C, c.c_str());
        SetDlgItemTextW(m_solver, IDC_SOLVER_D, d.c_str());
        click(m_solver, IDC_SOLVER_SOLVE);
    }

    std::vector<std::wstring> roots() const
    {
        return {itemText(m_solver, IDC_SOLVER_X1), itemText(m_solver, IDC_SOLVER_X2),
                itemText(m_solver, IDC_SOLVER_X3)};
    }

    std::vector<std::wstring> sortedRoots() const
    {
        std::vector<std::wstring> all = roots();
        std::sort(all.begin(), all.end());
        return all;
    }

    HWND m_solver = nullptr;
};

} // namespace

TEST_F(CubicSolverTest, IsOfferedAsCubicAndCheckedWhileShown)
{
    HMENU solve = GetSubMenu(GetMenu(mainWindow()), 4);
    wchar_t text[64] = {};
    GetMenuStringW(solve, IDM_SOLVE_CUBIC, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Cubic");
    EXPECT_TRUE(isChecked(IDM_SOLVE_CUBIC));
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));
    SendMessageW(m_solver, WM_CLOSE, 0, 0);
    pump();
    EXPECT_FALSE(IsWindowVisible(m_solver));
    EXPECT_FALSE(isChecked(IDM_SOLVE_CUBIC));
}

TEST_F(CubicSolverTest, HasItsOwnTitleAndFourCoefficientsAndThreeRoots)
{
    EXPECT_EQ(windowText(m_solver), L"Solve cubic equation");
    EXPECT_EQ(GetWindow(m_solver, GW_OWNER), mainWindow());
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_FORM), L"Solve equation of the form:\r\nA*x^3 + B*x^2 + C*x + D = 0");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_D), L"D =");
    EXPECT_EQ(itemText(m_solver, IDC_SOLVER_LABEL_X3), L"x_3 =");
    EXPECT_TRUE(GetWindowLongPtrW(GetDlgItem(m_solver, IDC_SOLVER_X3), GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(SendMessageW(m_solver, DM_GETDEFID, 0, 0), MAKELRESULT(IDC_SOLVER_SOLVE, DC_HASDEFID));
}

TEST_F(CubicSolverTest, ShowsAllThreeRootsRealAndComplex)
{
    struct { const wchar_t* coefficients[4]; std::vector<std::wstring> roots; } cases[] = {
        {{L"1", L"-6", L"11", L"-6"}, {L"1", L"2", L"3"}},
        {{L"1", L"0", L"0", L"-1"}, {L"-0.5 + i*0.8660254037844", L"-0.5 - i*0.8660254037844", L"1"}},
        {{L"1", L"0", L"0", L"0"}, {L"0", L"0", L"0"}},
        {{L"1", L"-3", L"3", L"-1"}, {L"1", L"1", L"1"}},
        {{L"1", L"-4", L"5", L"-2"}, {L"1", L"1", L"2"}},
        {{L"1", L"0", L"1", L"0"}, {L"-i", L"0", L"i"}},
        {{L"1", L"-1-i", L"-2+i", L"2i"}, {L"-1", L"2", L"i"}},
        {{L"1", L"-100001.00001", L"100001.00001", L"-1"}, {L"1", L"1e-005", L"100000"}},
    };
    for (const auto& c : cases) {
        solve(c.coefficients[0], c.coefficients[1], c.coefficients[2], c.coefficients[3]);
        std::vector<std::wstring> expected = c.roots;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedRoots(), expected) << narrow(c.coefficients[1]) << ", " << narrow(c.coefficients[2]);
    }
}

TEST_F(CubicSolverTest, TheLargestRootComesFirst)
{
    solve(L"1", L"-6", L"11", L"-6");
    EXPECT_EQ(roots()[0], L"3");
}

TEST_F(CubicSolverTest, AZeroLeadingCoefficientEndsInTheComputingBox)
{
    solve(L"1", L"-6", L"11", L"-6");
    CDialogWatcher watcher;
    solve(L"0", L"1", L"2", L"1");
    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(watcher.dialogs()[0].caption, L"Division by zero.");
    EXPECT_EQ(watcher.dialogs()[0].text, L"Error computing solutions.");
    EXPECT_EQ(watcher.dialogs()[0].owner, m_solver);
    EXPECT_EQ(sortedRoots(), (std::vector<std::wstring>{L"1", L"2", L"3"}));
}

TEST_F(CubicSolverTest, EachFieldIsNamedWhenItCannotBeEvaluated)
{
    struct { const wchar_t* coefficients[4]; const wchar_t* message; } cases[] = {
        {{L"", L"", L"", L""}, L"Error evaluating the 'A' field"},
        {{L"1", L"(", L"1", L"1"}, L"Error evaluating the 'B' field"},
        {{L"1", L"1", L"y", L"1"}, L"Error evaluating the 'C' field"},
        {{L"1", L"1", L"1", L""}, L"Error evaluating the 'D' field"},
    };
    for (const auto& c : cases) {
        CDialogWatcher watcher;
        solve(c.coefficients[0], c.coefficients[1], c.coefficients[2], c.coefficients[3]);
        ASSERT_EQ(watcher.dialogs().size(), 1u) << narrow(c.message);
        EXPECT_EQ(watcher.dialogs()[0].caption, L"Error");
        EXPECT_EQ(watcher.dialogs()[0].text, c.message);
        EXPECT_EQ(watcher.dialogs()[0].owner, m_solver);
    }
    EXPECT_EQ(roots(), (std::vector<std::wstring>{L"", L"", L""}));
}

TEST_F(CubicSolverTest, WhileTheEngineIsBusySolveDoesNothing)
{
    SetDlgItemTextW(m_solver, IDC_SOLVER_A, L"1");
    SetDlgItemTextW(m_solver, IDC_SOLVER_B, L"0");
    SetDlgItemTextW(m_solver, IDC_SOLVER_C, L"0");
    SetDlgItemTextW(m_solver, IDC_SOLVER_D, L"-8");
    {
        CEngineWork work(*m_console);
        click(m_solver, IDC_SOLVER_SOLVE);
    }
    EXPECT_EQ(roots()[0], L"");
    click(m_solver, IDC_SOLVER_SOLVE);
    EXPECT_EQ(roots()[0], L"2");
}

TEST_F(CubicSolverTest, BothSolversShareTheEngine)
{
    enterLine(L"r=2");
    command(IDM_SOLVE_QUADRATIC);
    solve(L"1", L"-3*r", L"3*r*r", L"-r^3");
    EXPECT_EQ(roots(), (std::vector<std::wstring>{L"2", L"2", L"2"}));
    HWND quadratic = toolWindow(TToolWindow::QUADRATIC_SOLVER);
    SetDlgItemTextW(quadratic, IDC_SOLVER_A, L"1");
    SetDlgItemTextW(quadratic, IDC_SOLVER_B, L"0");
    SetDlgItemTextW(quadratic, IDC_SOLVER_C, L"-r");
    click(quadratic, IDC_SOLVER_SOLVE);
    EXPECT_EQ(itemText(quadratic, IDC_SOLVER_X1), L"1.414213562373");
}
