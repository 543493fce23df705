// The main window: entries of the output pane, the error box, the confirmation question, the Edit
// menu, the layout and the commands.
#include "console_harness.h"
#include "graph/windows/graph_window.h"

#include "foundation/exception.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

const wchar_t* const REASSIGN_QUESTION = L"Prompt: Are you sure you want to reassign the variable 'x'?";

std::wstring clipboardText(HWND owner)
{
    std::wstring text = L"<clipboard busy>";
    if (!OpenClipboard(owner))
        return text;
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    text = memory != nullptr ? static_cast<const wchar_t*>(GlobalLock(memory)) : L"";
    if (memory != nullptr)
        GlobalUnlock(memory);
    CloseClipboard();
    return text;
}

void setClipboardText(HWND owner, const std::wstring& text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

std::string placement(int left, int top, int width, int height)
{
    using std::to_string;
    return to_string(left) + "," + to_string(top) + " " + to_string(width) + "x" + to_string(height);
}

// Position in the parent's client area, and size.
std::string placement(HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return placement(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

} // namespace

TEST_F(ConsoleTest, StartsWithTheFocusOnTheInputLineAndArialInBothControls)
{
    open();
    EXPECT_EQ(GetFocus(), inputLine());
    EXPECT_EQ(paneText(), L"");
    for (HWND control : {inputLine(), outputPane()}) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_STREQ(font.lfFaceName, L"Arial");
    }
}

// The blank line between two entries is the tail of the newer one, so the first entry, even after
// a Clear with nothing in the pane, has none, and the first after a Clear ends with one.
TEST_F(ConsoleTest, NewestEntryComesFirstWithBlankLinesBetween)
{
    open();
    command(IDM_FILE_CLEAR_OUTPUT);
    enterLine(L"2+3");
    EXPECT_EQ(paneText(), L">> 2+3\r\n= 5");
    EXPECT_EQ(inputText(), L"");
    enterLine(L"7*6");
    enterLine(L"x=4");
    EXPECT_EQ(paneText(), L">> x=4\r\nx = 4\r\n\r\n>> 7*6\r\n= 42\r\n\r\n>> 2+3\r\n= 5");

    command(IDM_FILE_CLEAR_OUTPUT);
    EXPECT_EQ(paneText(), L"");
    // Lines of the text before, laid over the new buffer, were read beyond its end.
    EXPECT_EQ(SendMessageW(outputPane(), EM_GETLINECOUNT, 0, 0), 1);
    enterLine(L"1+1");
    EXPECT_EQ(paneText(), L">> 1+1\r\n= 2\r\n\r\n");

    // Language errors and empty lines are entries like any other.
    command(IDM_FILE_CLEAR_OUTPUT);
    enterLine(L"2+");
    EXPECT_EQ(paneText().rfind(L">> 2+\r\nIllegal syntax:", 0), 0u) << narrow(paneText());
    enterLine(L"");
    EXPECT_EQ(paneText().rfind(L">> \r\n", 0), 0u) << narrow(paneText());
    EXPECT_EQ(CInputLineInspector::history(m_console->inputLine()).size(), 6u);
}

// Each entry goes in front of the pane's text without setting it anew, beyond the 30,000 characters
// an edit control takes by default; the pane still reads as a whole new text would, and shows its
// start even when the user had scrolled away from it.
TEST_F(ConsoleTest, ALongSessionKeepsEveryEntryNewestFirstAndClearingReleasesIt)
{
    open();
    CDialogWatcher watcher;
    std::wstring expected;
    for (int entry = 1; entry <= 3000; ++entry) {
        std::wstring line = std::to_wstring(entry);
        if (entry == 3000) {
            SendMessageW(outputPane(), WM_VSCROLL, SB_BOTTOM, 0);
            enterLine(line);
        } else {
            SetWindowTextW(inputLine(), line.c_str());
            SendMessageW(inputLine(), WM_KEYDOWN, VK_RETURN, 0);
        }
        expected = L">> " + line + L"\r\n= " + line + (entry > 1 ? L"\r\n\r\n" : L"") + expected;
    }
    EXPECT_TRUE(paneText() == expected) << "the pane holds " << paneText().size() << " characters, not "
                                        << expected.size();
    EXPECT_EQ(SendMessageW(outputPane(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{});

    command(IDM_FILE_CLEAR_OUTPUT);
    EXPECT_EQ(paneText(), L"");
    // Lines of the text before, laid over the new buffer, were read beyond its end.
    EXPECT_EQ(SendMessageW(outputPane(), EM_GETLINECOUNT, 0, 0), 1);
    auto buffer = reinterpret_cast<HLOCAL>(SendMessageW(outputPane(), EM_GETHANDLE, 0, 0));
    EXPECT_LT(LocalSize(buffer), 1024u) << "the cleared pane keeps the session's memory";
}

// Pasted and then typed, the line goes beyond the 30,000 characters an edit control takes by
// default. Wine's edit controls take time quadratic in the length of one line, both in the input
// line and when the pane wraps it, so the line is not longer and the pane is narrower than a
// character, which it does not wrap at all.
TEST_F(ConsoleTest, ALineOfFortyThousandCharactersReachesTheEngineWhole)
{
    open();
    MoveWindow(outputPane(), 10, 40, 1, 200, TRUE);
    CDialogWatcher watcher;
    std::wstring line = L"1";
    for (int term = 1; term < 20000; ++term)
        line += L"+1";
    setClipboardText(mainWindow(), line);
    command(IDM_EDIT_PASTE);
    typeText(inputLine(), L"0");
    line += L"0";
    ASSERT_EQ(line.size(), 40000u);
    pressKey(inputLine(), VK_RETURN);
    std::wstring pane = paneText();
    EXPECT_TRUE(pane == L">> " + line + L"\r\n= 20009")
        << pane.size() << " characters, ending " << narrow(pane.substr(pane.rfind(L'\n') + 1));
    EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{});
}

// Enter, and the calculator panel's "Exe" with its own report of the failure.
TEST_F(ConsoleTest, AFailureOutsideTheLanguageShowsTheErrorBoxAndKeepsEverything)
{
    struct {
        const char* how;
        std::function<void()> fail;
        std::wstring message;
    } cases[] = {
        {"Enter", [] { throw VKF::CException(VKF::CString(L"The disk is on fire.")); }, L"The disk is on fire."},
        {"Enter", [] { throw std::bad_alloc(); }, toWide(VKF::COutOfMemoryException().toString())},
        {"Exe", [] { throw VKF::CException(VKF::CString(L"The disk is on fire.")); }, L"The disk is on fire."},
    };
    for (const auto& c : cases) {
        open();
        enterLine(L"2+3");
        m_console->statement = [&](const VKF::CString&, VKF::CString&) { c.fail(); };
        CDialogWatcher watcher;
        typeText(inputLine(), L"7*6");
        if (c.how == std::string("Exe"))
            click(toolWindow(ToolWindow::CalculatorPanel), IDC_CALC_EXE);
        else
            pressKey(inputLine(), VK_RETURN);
        EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{L"Error: " + c.message + L" (icon)"}) << c.how;
        EXPECT_EQ(paneText(), L">> 2+3\r\n= 5") << c.how;
        EXPECT_EQ(inputText(), L"7*6") << c.how;
        EXPECT_EQ(CInputLineInspector::history(m_console->inputLine()).size(), 1u) << c.how;

        // The window stays usable, and the failed line did not use up the blank line.
        m_console->statement = nullptr;
        pressKey(inputLine(), VK_RETURN);
        EXPECT_EQ(paneText(), L">> 7*6\r\n= 42\r\n\r\n>> 2+3\r\n= 5") << c.how;
    }
}

TEST_F(ConsoleTest, TheReassignmentQuestionDecidesTheValueAndLeavesTheFocusOnTheInputLine)
{
    struct {
        int answer;
        const wchar_t* entry;
        const wchar_t* value;
    } cases[] = {
        {IDYES, L">> x=2\r\nx = 2", L"= 2"},
        {IDNO, L">> x=2\r\nCould not reassign the name 'x'.", L"= 1"},
    };
    for (const auto& c : cases) {
        open();
        enterLine(L"x=1");
        CDialogWatcher watcher;
        watcher.answer(L"Prompt", c.answer);
        enterLine(L"x=2");
        const char* answered = c.answer == IDYES ? "answered Yes" : "answered No";
        EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{REASSIGN_QUESTION}) << answered;
        EXPECT_EQ(paneText(), std::wstring(c.entry) + L"\r\n\r\n>> x=1\r\nx = 1") << answered;
        EXPECT_EQ(GetFocus(), inputLine()) << answered;
        enterLine(L"x");
        EXPECT_EQ(paneText().rfind(std::wstring(L">> x\r\n") + c.value + L"\r\n", 0), 0u) << answered;
    }
}

// A second statement started from the nested loop of the question would re-enter the engine: the
// other windows are disabled, and what reaches the engine anyway does nothing.
TEST_F(ConsoleTest, WhileTheQuestionIsOpenNoOtherWindowStartsEngineWork)
{
    open();
    command(IDM_VIEW_CALCULATOR_PANEL);
    command(IDM_SOLVE_CUBIC);
    HWND panel = toolWindow(ToolWindow::CalculatorPanel);
    HWND solver = toolWindow(ToolWindow::CubicSolver);
    for (int field : {IDC_SOLVER_A, IDC_SOLVER_B, IDC_SOLVER_C, IDC_SOLVER_D})
        SetDlgItemTextW(solver, field, L"1");
    HWND graph = CGraphWindow::openGraph(*m_console, CPlotSetup{}, mainWindow());
    SetForegroundWindow(mainWindow());
    pump();
    enterLine(L"x=1");

    CDialogWatcher watcher;
    bool busy = false, othersEnabled = true;
    watcher.on(L"Prompt", [&](HWND box) {
        // A second question means the line was started again.
        if (watcher.count(L"Prompt") > 1)
            return clickButton(box, IDNO);
        busy = m_console->isEngineBusy();
        othersEnabled = IsWindowEnabled(panel) || IsWindowEnabled(solver) || IsWindowEnabled(graph);
        SendMessageW(mainWindow(), WM_EXECUTE_LINE, 0, 0); // as Enter would
        for (auto [window, button] : {std::pair{panel, IDC_CALC_EXE}, {solver, IDC_SOLVER_SOLVE}})
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        clickButton(box, IDYES);
    });
    enterLine(L"x=2");
    EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{REASSIGN_QUESTION});
    EXPECT_TRUE(busy);
    EXPECT_FALSE(othersEnabled);
    EXPECT_TRUE(IsWindowEnabled(panel) && IsWindowEnabled(solver) && IsWindowEnabled(graph));
    EXPECT_FALSE(m_console->isEngineBusy());
    EXPECT_EQ(paneText(), L">> x=2\r\nx = 2\r\n\r\n>> x=1\r\nx = 1");
    EXPECT_EQ(CInputLineInspector::history(m_console->inputLine()).size(), 2u);
    EXPECT_EQ(itemText(solver, IDC_SOLVER_X1), L"");
    EXPECT_EQ(GetFocus(), inputLine());
    DestroyWindow(graph);
}

// "Clear output" posted while the question was open replaced the pane's buffer in the middle of the
// statement, and the edit control crashed.
TEST_F(ConsoleTest, ClearOutputPostedWhileTheQuestionIsOpenIsIgnored)
{
    open();
    enterLine(L"x=1");
    CDialogWatcher watcher;
    watcher.on(L"Prompt", [&](HWND box) {
        PostMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_FILE_CLEAR_OUTPUT, 0), 0);
        clickButton(box, IDYES);
    });
    enterLine(L"x=2");
    EXPECT_EQ(watcher.seen(mainWindow()), std::vector<std::wstring>{REASSIGN_QUESTION});
    EXPECT_EQ(paneText(), L">> x=2\r\nx = 2\r\n\r\n>> x=1\r\nx = 1");
}

TEST_F(ConsoleTest, EditItemsFollowTheFocusedField)
{
    open();
    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_OVERLAPPEDWINDOW, 700, 50, 200, 100, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    struct {
        const char* focus;
        std::function<void()> moveFocus;
        bool cutPasteDelete, copy;
    } cases[] = {
        {"input line", [] {}, true, true},
        {"output pane", [&] { SetFocus(outputPane()); }, false, true},
        {"another program's window", [&] { ShowWindow(elsewhere, SW_SHOW); }, false, false},
        {"main window again", [&] { SetForegroundWindow(mainWindow()); }, true, true},
    };
    for (const auto& c : cases) {
        c.moveFocus();
        pump();
        EXPECT_EQ(!isGrayed(IDM_EDIT_COPY), c.copy) << "Copy, focus on the " << c.focus;
        for (int id : {IDM_EDIT_CUT, IDM_EDIT_PASTE, IDM_EDIT_DELETE})
            EXPECT_EQ(!isGrayed(id), c.cutPasteDelete) << "item " << id << ", focus on the " << c.focus;
    }
    EXPECT_EQ(GetFocus(), inputLine());
    DestroyWindow(elsewhere);
}

TEST_F(ConsoleTest, EditCommandsChangeOnlyTheInputLine)
{
    open();
    enterLine(L"2+3");
    typeText(inputLine(), L"xyz");
    SendMessageW(inputLine(), EM_SETSEL, 0, 1);
    command(IDM_EDIT_CUT);
    EXPECT_EQ(inputText(), L"yz");
    EXPECT_EQ(clipboardText(mainWindow()), L"x");
    SendMessageW(inputLine(), EM_SETSEL, 2, 2);
    command(IDM_EDIT_PASTE);
    EXPECT_EQ(inputText(), L"yzx");
    SendMessageW(inputLine(), EM_SETSEL, 0, 1);
    command(IDM_EDIT_DELETE);
    EXPECT_EQ(inputText(), L"zx");
    SendMessageW(inputLine(), EM_SETSEL, 0, 1);
    command(IDM_EDIT_COPY);
    EXPECT_EQ(clipboardText(mainWindow()), L"z");

    SetFocus(outputPane());
    pump();
    SendMessageW(outputPane(), EM_SETSEL, 0, 2);
    for (int id : {IDM_EDIT_PASTE, IDM_EDIT_CUT, IDM_EDIT_DELETE})
        command(id);
    EXPECT_EQ(inputText(), L"zx");
    EXPECT_EQ(paneText(), L">> 2+3\r\n= 5");
    EXPECT_EQ(clipboardText(mainWindow()), L"z");
    command(IDM_EDIT_COPY);
    EXPECT_EQ(clipboardText(mainWindow()), L">>");
}

TEST_F(ConsoleTest, ResizingLaysOutBothControlsWithTheirMargins)
{
    const CDisplayScale scale = displayScaleUnderTest();
    const int margin = scale.scaled(10), border = scale.scaled(6), gap = scale.scaled(8);
    open();
    HDC context = GetDC(mainWindow());
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    ReleaseDC(mainWindow(), context);
    const int h = metrics.tmHeight;
    // The input line holds a line of its own font, which grows with the display as well.
    HDC inputDC = GetDC(inputLine());
    HGDIOBJ previous = SelectObject(inputDC, reinterpret_cast<HFONT>(SendMessageW(inputLine(), WM_GETFONT, 0, 0)));
    TEXTMETRICW inputMetrics{};
    GetTextMetricsW(inputDC, &inputMetrics);
    SelectObject(inputDC, previous);
    ReleaseDC(inputLine(), inputDC);
    RECT inputClient{};
    GetClientRect(inputLine(), &inputClient);
    EXPECT_LE(inputMetrics.tmHeight, inputClient.bottom);
    EXPECT_GE(inputMetrics.tmHeight, scale.scaled(13));

    for (SIZE size : {SIZE{500, 400}, SIZE{800, 600}, SIZE{300, 200}}) {
        SetWindowPos(mainWindow(), nullptr, 0, 0, scale.scaled(size.cx), scale.scaled(size.cy),
                     SWP_NOMOVE | SWP_NOZORDER);
        pump();
        RECT client;
        GetClientRect(mainWindow(), &client);
        // Margins of 10 all round, the input line one character and 6 high, a gap of 8, each
        // scaled with the display.
        const int paneTop = margin + h + border + gap;
        EXPECT_EQ(placement(inputLine()), placement(margin, margin, client.right - 2 * margin, h + border))
            << "input line, window " << size.cx << "x" << size.cy;
        EXPECT_EQ(placement(outputPane()),
                  placement(margin, paneTop, client.right - 2 * margin, client.bottom - paneTop - margin))
            << "output pane, window " << size.cx << "x" << size.cy;
    }
}

TEST_F(ConsoleTest, ExitClosesTheWindowAndEndsTheLoop)
{
    open();
    command(IDM_FILE_EXIT);
    EXPECT_EQ(m_console->handle(), nullptr);
    EXPECT_TRUE(m_quitSeen);
}

