// Showing and hiding the tool windows from the View and Solve menus, with or without a window.
#include "console_harness.h"

#include "resources/resource_ids.h"

TEST_F(ConsoleTest, TogglesWithoutToolWindowsStillFlipTheirItems)
{
    open();
    for (int id : {IDM_VIEW_CALCULATOR_PANEL, IDM_VIEW_GREEK_LETTERS, IDM_SOLVE_QUADRATIC, IDM_SOLVE_CUBIC}) {
        EXPECT_FALSE(isChecked(id)) << id;
        command(id);
        EXPECT_TRUE(isChecked(id)) << id;
        command(id);
        EXPECT_FALSE(isChecked(id)) << id;
    }
    EXPECT_TRUE(IsWindow(mainWindow()));
}

TEST_F(ConsoleTest, EachToggleShowsAndHidesItsOwnWindow)
{
    for (int index = 0; index < TOOL_WINDOW_COUNT; ++index) {
        m_console->toolWindowFactories[static_cast<size_t>(index)] = [index](CConsoleWindow& console) {
            return CTestToolWindow::create(console, static_cast<TToolWindow>(index));
        };
    }
    open();
    const std::pair<int, TToolWindow> items[] = {
        {IDM_VIEW_GREEK_LETTERS, TToolWindow::GREEK_LETTERS},
        {IDM_VIEW_CALCULATOR_PANEL, TToolWindow::CALCULATOR_PANEL},
        {IDM_SOLVE_QUADRATIC, TToolWindow::QUADRATIC_SOLVER},
        {IDM_SOLVE_CUBIC, TToolWindow::CUBIC_SOLVER},
    };
    for (auto [id, which] : items) {
        HWND window = m_console->toolWindows().handle(which);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetWindow(window, GW_OWNER), mainWindow());
        EXPECT_FALSE(IsWindowVisible(window));
        command(id);
        EXPECT_TRUE(IsWindowVisible(window)) << id;
        EXPECT_TRUE(isChecked(id)) << id;
        EXPECT_TRUE(m_console->toolWindows().isShown(which));
        // Its close box hides it through the same toggle.
        SendMessageW(window, WM_CLOSE, 0, 0);
        pump();
        EXPECT_TRUE(IsWindow(window));
        EXPECT_FALSE(IsWindowVisible(window)) << id;
        EXPECT_FALSE(isChecked(id)) << id;
    }
}

TEST_F(ConsoleTest, TheCubicSolverIsOfferedInTheSolveMenu)
{
    open();
    HMENU solve = GetSubMenu(GetMenu(mainWindow()), 4);
    ASSERT_NE(solve, nullptr);
    EXPECT_EQ(GetMenuItemID(solve, 0), static_cast<UINT>(IDM_SOLVE_QUADRATIC));
    EXPECT_EQ(GetMenuItemID(solve, 1), static_cast<UINT>(IDM_SOLVE_CUBIC));
    command(IDM_SOLVE_CUBIC);
    EXPECT_TRUE(GetMenuState(solve, 1, MF_BYPOSITION) & MF_CHECKED);
}
