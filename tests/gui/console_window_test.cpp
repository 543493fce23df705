// The main window: entries of the output pane, the error box, the confirmation question, the Edit
// menu, the layout and the commands.
#include "console_harness.h"

#include "console/plot_setup_slot.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"

#include <new>

namespace {

// What the engine writes for line, from an engine of its own.
std::wstring engineOutput(const std::wstring& line)
{
    struct CNoQuestions : VKCL::CConfirmation {
        bool confirm(const VKF::CString&) override { return false; }
    } confirmation;
    VKCL::CCalculator calculator(confirmation);
    VKF::CString output;
    calculator.executeStatement(VKF::CString(line.c_str()), output);
    return toWide(output);
}

void setClipboardText(HWND owner, const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, target);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::wstring clipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner))
        return L"<clipboard busy>";
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

RECT childRect(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A plain top-level window of the test, to take the focus away from the console.
class CElsewhere {
public:
    CElsewhere()
        : m_window(CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 50,
                                   200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~CElsewhere() { DestroyWindow(m_window); }
    HWND handle() const { return m_window; }

private:
    HWND m_window;
};

} // namespace

TEST_F(ConsoleTest, StartsWithItsTitleControlsAndFocusOnTheInputLine)
{
    open();
    EXPECT_EQ(windowText(mainWindow()), L"Tallimex v1.0");
    wchar_t className[32] = {};
    GetClassNameW(mainWindow(), className, 32);
    EXPECT_STREQ(className, L"Tallimex");
    EXPECT_EQ(GetDlgItem(mainWindow(), IDC_INPUT_LINE), inputLine());
    EXPECT_EQ(GetDlgItem(mainWindow(), IDC_OUTPUT_PANE), outputPane());

    LONG_PTR inputStyle = GetWindowLongPtrW(inputLine(), GWL_STYLE);
    EXPECT_TRUE(inputStyle & ES_AUTOHSCROLL);
    EXPECT_FALSE(inputStyle & ES_MULTILINE);
    LONG_PTR paneStyle = GetWindowLongPtrW(outputPane(), GWL_STYLE);
    EXPECT_TRUE(paneStyle & WS_VSCROLL);
    EXPECT_TRUE(paneStyle & ES_READONLY);
    EXPECT_TRUE(paneStyle & ES_MULTILINE);

    EXPECT_EQ(GetFocus(), inputLine());
    EXPECT_EQ(m_console->focusedField(), IDC_INPUT_LINE);
    EXPECT_EQ(paneText(), L"");
}

TEST_F(ConsoleTest, BothControlsShowArial)
{
    open();
    for (HWND control : {inputLine(), outputPane()}) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW description{};
        GetObjectW(font, sizeof description, &description);
        EXPECT_STREQ(description.lfFaceName, L"Arial");
        EXPECT_EQ(description.lfWeight, FW_NORMAL);
    }
    EXPECT_EQ(m_console->inputLine().font(), m_console->outputPane().font());
}

TEST_F(ConsoleTest, NewestEntryComesFirstAndTheFirstHasNoSeparator)
{
    open();
    enterLine(L"2+3");
    EXPECT_EQ(paneText(), L">> 2+3\r\n= 5");
    EXPECT_EQ(inputText(), L"");

    enterLine(L"7*6");
    EXPECT_EQ(paneText(), L">> 7*6\r\n= 42\r\n\r\n>> 2+3\r\n= 5");

    enterLine(L"x=4");
    EXPECT_EQ(paneText(), L">> x=4\r\nx = 4\r\n\r\n>> 7*6\r\n= 42\r\n\r\n>> 2+3\r\n= 5");
}

TEST_F(ConsoleTest, AfterClearingTheNextEntryStillEndsWithASeparator)
{
    open();
    enterLine(L"2+3");
    command(IDM_FILE_CLEAR_OUTPUT);
    EXPECT_EQ(paneText(), L"");
    enterLine(L"1+1");
    EXPECT_EQ(paneText(), L">> 1+1\r\n= 2\r\n\r\n");
}

TEST_F(ConsoleTest, ClearingBeforeTheFirstEntryKeepsTheFirstWithoutSeparator)
{
    open();
    command(IDM_FILE_CLEAR_OUTPUT);
    enterLine(L"1+1");
    EXPECT_EQ(paneText(), L">> 1+1\r\n= 2");
}

TEST_F(ConsoleTest, AnEmptyLineIsExecutedLikeAnyOther)
{
    open();
    enterLine(L"");
    EXPECT_EQ(paneText(), L">> \r\n" + engineOutput(L""));
    ASSERT_EQ(m_console->inputLine().history().size(), 1u);
    EXPECT_TRUE(m_console->inputLine().history()[0].isEmpty());
}

TEST_F(ConsoleTest, LanguageErrorsBecomeEntries)
{
    open();
    enterLine(L"2+");
    std::wstring expected = L">> 2+\r\n" + engineOutput(L"2+");
    EXPECT_EQ(paneText(), expected);
    EXPECT_EQ(expected.find(L">> 2+\r\nIllegal syntax:  "), 0u) << narrow(expected);
    EXPECT_EQ(inputText(), L"");
}

TEST_F(ConsoleTest, AnotherFailureShowsTheErrorBoxAndKeepsEverything)
{
    open();
    enterLine(L"2+3");
    m_console->statement = [](const VKF::CString&, VKF::CString&) {
        throw VKF::CException(VKF::CString(L"The disk is on fire."));
    };
    CMessageBoxAnswerer answerer(L"Error", IDOK);
    enterLine(L"7*6");

    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, L"The disk is on fire.");
    EXPECT_EQ(answerer.boxes()[0].owner, mainWindow());
    EXPECT_TRUE(answerer.boxes()[0].hasIcon);
    EXPECT_EQ(paneText(), L">> 2+3\r\n= 5");
    EXPECT_EQ(inputText(), L"7*6");
    EXPECT_EQ(m_console->inputLine().history().size(), 1u);

    // The window stays usable, and the separator was not used up by the failed line.
    m_console->statement = nullptr;
    pressKey(inputLine(), VK_RETURN);
    EXPECT_EQ(paneText(), L">> 7*6\r\n= 42\r\n\r\n>> 2+3\r\n= 5");
}

TEST_F(ConsoleTest, RunningOutOfMemoryShowsTheOutOfMemoryText)
{
    open();
    m_console->statement = [](const VKF::CString&, VKF::CString&) { throw std::bad_alloc(); };
    CMessageBoxAnswerer answerer(L"Error", IDOK);
    enterLine(L"1");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, toWide(VKF::COutOfMemoryException().toString()));
    EXPECT_EQ(paneText(), L"");
    EXPECT_EQ(inputText(), L"1");
}

TEST_F(ConsoleTest, ReassigningAnsweredYesReplacesTheValueAndFocusesTheInputLine)
{
    open();
    enterLine(L"x=1");
    CMessageBoxAnswerer answerer(L"Prompt", IDYES);
    enterLine(L"x=2");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, L"Are you sure you want to reassign the variable 'x'?");
    EXPECT_EQ(answerer.boxes()[0].owner, mainWindow());
    EXPECT_FALSE(answerer.boxes()[0].hasIcon);
    EXPECT_EQ(paneText(), L">> x=2\r\nx = 2\r\n\r\n>> x=1\r\nx = 1");
    EXPECT_EQ(GetFocus(), inputLine());
    EXPECT_EQ(inputText(), L"");
}

TEST_F(ConsoleTest, ReassigningAnsweredNoKeepsTheValueAndFocusesTheInputLine)
{
    open();
    enterLine(L"x=1");
    CMessageBoxAnswerer answerer(L"Prompt", IDNO);
    enterLine(L"x=2");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(paneText(), L">> x=2\r\nCould not reassign the name 'x'.\r\n\r\n>> x=1\r\nx = 1");
    EXPECT_EQ(GetFocus(), inputLine());
    enterLine(L"x");
    EXPECT_EQ(paneText().substr(0, 10), L">> x\r\n= 1\r");
}

// A second statement started from the nested loop of the question would re-enter the engine.
TEST_F(ConsoleTest, WhileTheQuestionIsOpenNoOtherWindowStartsEngineWork)
{
    m_console->toolWindowFactories[0] = [](CConsoleWindow& console) {
        return CTestToolWindow::create(console, TToolWindow::GREEK_LETTERS);
    };
    open();
    command(IDM_VIEW_GREEK_LETTERS);
    HWND toolWindow = m_console->toolWindows().handle(TToolWindow::GREEK_LETTERS);
    ASSERT_TRUE(IsWindowVisible(toolWindow));
    HWND graph = CreateWindowExW(0, L"Graph", L"Graph", WS_VISIBLE | WS_SYSMENU, 100, 100, 200, 200,
                                 mainWindow(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(graph, nullptr);
    SetForegroundWindow(mainWindow());
    pump();
    enterLine(L"x=1");

    CMessageBoxAnswerer answerer(L"Prompt", IDYES);
    bool busy = false;
    bool toolWindowEnabled = true;
    bool graphEnabled = true;
    answerer.whileOpen = [&] {
        busy = m_console->isEngineBusy();
        toolWindowEnabled = IsWindowEnabled(toolWindow) != FALSE;
        graphEnabled = IsWindowEnabled(graph) != FALSE;
        // As the calculator panel's "Exe" would.
        m_console->executeInputLine();
        SendMessageW(mainWindow(), WM_EXECUTE_LINE, 0, 0);
    };
    enterLine(L"x=2");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_TRUE(busy);
    EXPECT_FALSE(toolWindowEnabled);
    EXPECT_FALSE(graphEnabled);
    EXPECT_TRUE(IsWindowEnabled(toolWindow));
    EXPECT_TRUE(IsWindowEnabled(graph));
    EXPECT_TRUE(IsWindowEnabled(mainWindow()));
    EXPECT_FALSE(m_console->isEngineBusy());
    EXPECT_EQ(paneText(), L">> x=2\r\nx = 2\r\n\r\n>> x=1\r\nx = 1");
    EXPECT_EQ(m_console->inputLine().history().size(), 2u);
    EXPECT_EQ(GetFocus(), inputLine());
    DestroyWindow(graph);
}

TEST_F(ConsoleTest, EditItemsFollowTheFocusedField)
{
    open();
    ASSERT_EQ(GetFocus(), inputLine());
    for (int id : {IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
        EXPECT_FALSE(isGrayed(id)) << id;

    SetFocus(outputPane());
    pump();
    EXPECT_EQ(m_console->focusedField(), IDC_OUTPUT_PANE);
    EXPECT_FALSE(isGrayed(IDM_EDIT_COPY));
    for (int id : {IDM_EDIT_CUT, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
        EXPECT_TRUE(isGrayed(id)) << id;

    CElsewhere elsewhere;
    SetForegroundWindow(elsewhere.handle());
    SetFocus(elsewhere.handle());
    pump();
    EXPECT_EQ(m_console->focusedField(), 0);
    for (int id : {IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
        EXPECT_TRUE(isGrayed(id)) << id;

    SetForegroundWindow(mainWindow());
    pump();
    EXPECT_EQ(GetFocus(), inputLine());
    EXPECT_EQ(m_console->focusedField(), IDC_INPUT_LINE);
    for (int id : {IDM_EDIT_CUT, IDM_EDIT_COPY, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
        EXPECT_FALSE(isGrayed(id)) << id;
}

TEST_F(ConsoleTest, EditCommandsActOnTheInputLine)
{
    open();
    typeText(inputLine(), L"xyz");
    SendMessageW(inputLine(), EM_SETSEL, 0, 1);
    command(IDM_EDIT_CUT);
    EXPECT_EQ(inputText(), L"yz");
    EXPECT_EQ(clipboardText(mainWindow()), L"x");

    setClipboardText(mainWindow(), L"7*6");
    SendMessageW(inputLine(), EM_SETSEL, 0, -1);
    command(IDM_EDIT_PASTE);
    EXPECT_EQ(inputText(), L"7*6");

    SendMessageW(inputLine(), EM_SETSEL, 1, 2);
    command(IDM_EDIT_DELETE);
    EXPECT_EQ(inputText(), L"76");

    SendMessageW(inputLine(), EM_SETSEL, 0, 1);
    command(IDM_EDIT_COPY);
    EXPECT_EQ(clipboardText(mainWindow()), L"7");
}

TEST_F(ConsoleTest, OnTheOutputPaneOnlyCopyActs)
{
    open();
    enterLine(L"2+3");
    typeText(inputLine(), L"abc");
    SetFocus(outputPane());
    pump();
    SendMessageW(outputPane(), EM_SETSEL, 0, 2);

    setClipboardText(mainWindow(), L"pasted");
    command(IDM_EDIT_PASTE);
    command(IDM_EDIT_CUT);
    command(IDM_EDIT_DELETE);
    EXPECT_EQ(inputText(), L"abc");
    EXPECT_EQ(paneText(), L">> 2+3\r\n= 5");
    EXPECT_EQ(clipboardText(mainWindow()), L"pasted");

    command(IDM_EDIT_COPY);
    EXPECT_EQ(clipboardText(mainWindow()), L">>");
}

TEST_F(ConsoleTest, ResizingLaysOutBothControlsWithTheirMargins)
{
    open();
    HDC context = GetDC(mainWindow());
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    ReleaseDC(mainWindow(), context);
    int h = metrics.tmHeight;
    ASSERT_EQ(m_console->characterHeight(), h);

    for (SIZE size : {SIZE{500, 400}, SIZE{800, 600}, SIZE{300, 200}}) {
        SetWindowPos(mainWindow(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        pump();
        RECT client;
        GetClientRect(mainWindow(), &client);
        int w = client.right;
        int height = client.bottom;

        RECT input = childRect(inputLine());
        EXPECT_EQ(input.left, 10);
        EXPECT_EQ(input.top, 10);
        EXPECT_EQ(input.right - input.left, w - 20);
        EXPECT_EQ(input.bottom - input.top, h + 6);

        RECT pane = childRect(outputPane());
        EXPECT_EQ(pane.left, 10);
        EXPECT_EQ(pane.top, h + 24);
        EXPECT_EQ(pane.right - pane.left, w - 20);
        EXPECT_EQ(pane.bottom - pane.top, height - h - 34);
        // Margins of 10 all round and a gap of 8 between the two.
        EXPECT_EQ(pane.top - input.bottom, 8);
        EXPECT_EQ(height - pane.bottom, 10);
    }
}

TEST_F(ConsoleTest, ActivatingTheWindowFocusesTheInputLine)
{
    open();
    SetFocus(outputPane());
    pump();
    CElsewhere elsewhere;
    SetForegroundWindow(elsewhere.handle());
    pump();
    SetForegroundWindow(mainWindow());
    pump();
    EXPECT_EQ(GetFocus(), inputLine());
}

TEST_F(ConsoleTest, ExitClosesTheWindowAndEndsTheLoop)
{
    open();
    enterLine(L"2+3");
    command(IDM_FILE_EXIT);
    EXPECT_FALSE(IsWindow(mainWindow()));
    EXPECT_EQ(m_console->handle(), nullptr);
    EXPECT_TRUE(m_quitSeen);
}

TEST_F(ConsoleTest, PlotCommandsWithoutGraphsOpenNothing)
{
    open();
    CMessageBoxAnswerer answerer(L"Error", IDOK);
    command(IDM_PLOT_EXPRESSION);
    command(IDM_PLOT_VECTOR);
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_TRUE(IsWindow(mainWindow()));
}

TEST_F(ConsoleTest, APlotCommandWhileASetupDialogIsOpenSaysSo)
{
    open();
    int record = 0;
    CPlotSetupSlot slot(reinterpret_cast<CPlotSetup&>(record));
    CMessageBoxAnswerer answerer(L"Error", IDOK);
    command(IDM_PLOT_EXPRESSION);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, L"You cannot open more than one graph setup window at a time.");
    EXPECT_EQ(answerer.boxes()[0].owner, mainWindow());
    EXPECT_FALSE(answerer.boxes()[0].hasIcon);
}
