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

// Every control of the tool windows lies inside its window, and every caption of a button or a
// label inside its control, at the display's scale (display_scaling_test.sh runs this at 144 and
// 192 dpi): a push button's caption on one line within its 3-D border, a check box's beside its
// box, a label's in the lines its width breaks it into.
TEST_F(ConsoleTest, EveryCaptionOfTheToolWindowsIsWhole)
{
    displayScaleUnderTest();
    open();
    for (ToolWindow which : {ToolWindow::CalculatorPanel, ToolWindow::GreekLetters,
                              ToolWindow::QuadraticSolver, ToolWindow::CubicSolver}) {
        HWND window = toolWindow(which);
        RECT inside{};
        GetClientRect(window, &inside);
        for (HWND control = GetWindow(window, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
            wchar_t className[16] = {};
            GetClassNameW(control, className, 16);
            const std::wstring caption = windowText(control);
            RECT box{};
            GetWindowRect(control, &box);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
            const std::string where = narrow(windowText(window) + L": " + className + L" \"" + caption + L"\"");
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= inside.right && box.bottom <= inside.bottom)
                << where;
            const bool isButton = lstrcmpiW(className, L"Button") == 0;
            if (caption.empty() || (!isButton && lstrcmpiW(className, L"Static") != 0))
                continue;
            const LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
            const bool isPush = isButton && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON);
            const bool isGroup = isButton && style == BS_GROUPBOX;
            HDC dc = GetDC(control);
            HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            RECT room{};
            GetClientRect(control, &room);
            RECT text{0, 0, room.right, 0};
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CALCRECT | (isButton ? DT_SINGLELINE : DT_WORDBREAK));
            SelectObject(dc, font);
            ReleaseDC(control, dc);
            const int edge = isPush ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
            const int mark = isButton && !isPush && !isGroup ? GetSystemMetrics(SM_CXMENUCHECK) : 0;
            EXPECT_LE(text.right + edge + mark, room.right) << where;
            EXPECT_LE(text.bottom + (isPush ? 2 * GetSystemMetrics(SM_CYEDGE) : 0), room.bottom) << where;
        }
    }
}
