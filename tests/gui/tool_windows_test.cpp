// Showing and hiding the tool windows from the View and Solve menus and by their close boxes.
#include "console_harness.h"

#include "resources/resource_ids.h"

TEST_F(ConsoleTest, EachToggleShowsAndHidesItsOwnWindow)
{
    open();
    const std::pair<int, ToolWindow> items[] = {
        {IDM_VIEW_GREEK_LETTERS, ToolWindow::GreekLetters},
        {IDM_VIEW_CALCULATOR_PANEL, ToolWindow::CalculatorPanel},
        {IDM_SOLVE_QUADRATIC, ToolWindow::QuadraticSolver},
        {IDM_SOLVE_CUBIC, ToolWindow::CubicSolver},
    };
    for (auto [id, which] : items) {
        HWND window = toolWindow(which);
        ASSERT_NE(window, nullptr) << "item " << id;
        EXPECT_EQ(GetWindow(window, GW_OWNER), mainWindow()) << "item " << id;
        EXPECT_FALSE(IsWindowVisible(window)) << "item " << id;
        command(id);
        EXPECT_TRUE(IsWindowVisible(window)) << "item " << id;
        EXPECT_TRUE(isChecked(id)) << "item " << id;
        // Its close box hides it through the same toggle; the menu item shows it again.
        SendMessageW(window, WM_CLOSE, 0, 0);
        pump();
        EXPECT_FALSE(IsWindowVisible(window)) << "item " << id;
        EXPECT_FALSE(isChecked(id)) << "item " << id;
        command(id);
        EXPECT_TRUE(IsWindowVisible(window)) << "item " << id;
        EXPECT_EQ(toolWindow(which), window) << "item " << id;
    }
}
