// The message loop: the tool windows' dialog keys first, then the accelerators, then dispatch.
#include "console_harness.h"

#include "resources/resource_ids.h"

TEST_F(ConsoleTest, ControlQInTheInputLineIsTranslatedAndTypesNothing)
{
    open();
    holdControl(true);
    pressKey(inputLine(), 'Q');
    holdControl(false);
    EXPECT_TRUE(isChecked(IDM_SOLVE_QUADRATIC));
    EXPECT_TRUE(IsWindowVisible(toolWindow(ToolWindow::QuadraticSolver)));
    EXPECT_EQ(inputText(), L"");

    pressKey(inputLine(), 'Q');
    EXPECT_EQ(inputText(), L"q");
    EXPECT_TRUE(isChecked(IDM_SOLVE_QUADRATIC));
}

TEST_F(ConsoleTest, KeysInAToolWindowAreItsDialogKeysFirst)
{
    open();
    command(IDM_SOLVE_CUBIC);
    HWND solver = toolWindow(ToolWindow::CubicSolver);
    HWND field = GetDlgItem(solver, IDC_SOLVER_A);
    SetForegroundWindow(solver);
    SetFocus(field);
    pump();
    ASSERT_EQ(GetFocus(), field);

    holdControl(true);
    pressKey(field, 'Q');
    holdControl(false);
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));
    pressKey(field, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(solver, IDC_SOLVER_B));
}
