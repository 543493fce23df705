// The message loop: the tool windows' dialog keys first, then the accelerators, then dispatch.
#include "console_harness.h"

#include "resources/resource_ids.h"
#include "test_resource_ids.h"

namespace {

class MessageLoopTest : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        m_console->toolWindowFactories[static_cast<size_t>(TToolWindow::GREEK_LETTERS)] = [](CConsoleWindow& console) {
            return CTestToolWindow::create(console, TToolWindow::GREEK_LETTERS);
        };
        open();
    }

    void controlKey(HWND window, UINT key)
    {
        holdControl(true);
        pressKey(window, key);
        holdControl(false);
    }
};

} // namespace

TEST_F(MessageLoopTest, ControlKeysInTheInputLineCommandTheMainWindow)
{
    controlKey(inputLine(), 'Q');
    EXPECT_TRUE(isChecked(IDM_SOLVE_QUADRATIC));
    controlKey(inputLine(), 'M');
    EXPECT_TRUE(isChecked(IDM_VIEW_CALCULATOR_PANEL));
    controlKey(inputLine(), 'N');
    EXPECT_TRUE(isChecked(IDM_VIEW_GREEK_LETTERS));
    controlKey(inputLine(), 'Q');
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));
    // Translated keys type nothing.
    EXPECT_EQ(inputText(), L"");
}

TEST_F(MessageLoopTest, WithoutControlTheSameKeyTypesALetter)
{
    pressKey(inputLine(), 'Q');
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));
    EXPECT_EQ(inputText(), L"q");
}

TEST_F(MessageLoopTest, AcceleratorsReachTheMainWindowFromAGraphWindow)
{
    HWND graph = CreateWindowExW(0, L"Graph", L"Graph", WS_VISIBLE | WS_SYSMENU, 100, 100, 200, 200,
                                 mainWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(graph, nullptr);
    SetForegroundWindow(graph);
    SetFocus(graph);
    pump();
    ASSERT_EQ(GetFocus(), graph);
    controlKey(graph, 'Q');
    EXPECT_TRUE(isChecked(IDM_SOLVE_QUADRATIC));
    DestroyWindow(graph);
}

TEST_F(MessageLoopTest, KeysOfAToolWindowAreItsDialogKeysFirst)
{
    command(IDM_VIEW_GREEK_LETTERS);
    HWND toolWindow = m_console->toolWindows().handle(TToolWindow::GREEK_LETTERS);
    HWND field = GetDlgItem(toolWindow, IDC_TEST_TOOL_EDIT);
    SetForegroundWindow(toolWindow);
    SetFocus(field);
    pump();
    ASSERT_EQ(GetFocus(), field);

    controlKey(field, 'Q');
    EXPECT_FALSE(isChecked(IDM_SOLVE_QUADRATIC));

    pressKey(field, VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(toolWindow, IDOK));
}

TEST_F(MessageLoopTest, ClosingTheMainWindowPostsTheQuitCode)
{
    SendMessageW(mainWindow(), WM_CLOSE, 0, 0);
    MSG message{};
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            break;
        }
    }
    EXPECT_TRUE(quit);
    EXPECT_EQ(message.wParam, 0u);
}
