// The seeded monkey: random use of the real windows, in two modes. As a user: real keyboard and mouse
// input (SendInput) to the focused, enabled window. As a macro tool: messages posted to any window of
// the program, enabled or not. After every step the main window lives, no box reports a bug and the
// engine is busy only under its question; at the end every graph's back buffer is a fresh redraw.
//
//   TALLIMEX_MONKEY_STEPS  steps per mode (default 600, about 15 seconds)
//   TALLIMEX_MONKEY_SEED   the seed (default 26; scripts/monkey takes a new one each round)
//   TALLIMEX_MONKEY_MODE   "user" or "macro" (default: both)
//   TALLIMEX_MONKEY_LOG    a file to which every run appends its steps
// A failure prints the seed and the steps; scripts/monkey runs it as long as one likes.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "console_harness.h"
#include "engine/confirmation.h"
#include "graph/windows/graph_picture.h"
#include "graph/windows/graph_window.h"
#include "resources/resource_ids.h"

namespace {

enum class Mode { User, Macro };

// Lines for the input line and texts for dialog fields: mostly valid, some junk.
const wchar_t* const LINES[] = {
    L"1+2",   L"x=1",       L"x=2",      L"f(a)=a^2",  L"f(3)",     L"x=?",   L"sin(",      L")))", L"2^1000^1000",
    L"y=x+1", L"sqrt(-4)",  L"1/0",      L"g(a,b)=a*b", L"g(2,3)",  L"ans*i", L"\u03C0/2", L"",    L"f(x)=x+1",
};
const wchar_t* const FIELD_TEXTS[] = {L"x",  L"sin(x)", L"-3", L"3",  L"0",     L"1",    L"2*pi", L"x^2",
                                      L"",   L"junk(",  L"i",  L"6",  L"1e300", L"16",   L"t",    L"cos(t)"};

// Exit and the documentation are left out: one ends the run, the other would start a browser.
const int MAIN_COMMANDS[] = {
    IDM_FILE_CLEAR_OUTPUT,  IDM_FILE_SAVE_OUTPUT, IDM_FILE_SAVE_OUTPUT_AS, IDM_EDIT_CUT,        IDM_EDIT_COPY,
    IDM_EDIT_PASTE,         IDM_EDIT_DELETE,      IDM_VIEW_CALCULATOR_PANEL, IDM_VIEW_GREEK_LETTERS,
    IDM_PLOT_EXPRESSION,    IDM_PLOT_VECTOR,      IDM_SOLVE_QUADRATIC,     IDM_SOLVE_CUBIC,     IDM_HELP_ABOUT,
};
const int GRAPH_COMMANDS[] = {IDM_GRAPH_SAVE,  IDM_GRAPH_SAVE_AS,        IDM_GRAPH_PRINT,      IDM_GRAPH_CLOSE,
                              IDM_GRAPH_COPY,  IDM_GRAPH_ADD_EXPRESSION, IDM_GRAPH_ADD_VECTOR, IDM_GRAPH_ZOOM};
const int PLOT_FIELDS[] = {IDC_PLOT_EXPRESSION,    IDC_PLOT_X_EXPRESSION, IDC_PLOT_Y_EXPRESSION, IDC_PLOT_VARIABLE,
                           IDC_PLOT_VARIABLE_FROM, IDC_PLOT_VARIABLE_TO,  IDC_PLOT_X_FROM,       IDC_PLOT_X_TO,
                           IDC_PLOT_Y_FROM,        IDC_PLOT_Y_TO};
const int ZOOM_FIELDS[] = {IDC_ZOOM_X_FROM, IDC_ZOOM_X_TO, IDC_ZOOM_Y_FROM, IDC_ZOOM_Y_TO, IDC_ZOOM_AXIS_VALUES};
const int SOLVER_FIELDS[] = {IDC_SOLVER_A, IDC_SOLVER_B, IDC_SOLVER_C, IDC_SOLVER_D};
// The buttons that answer a dialog or a box; the About box's others would start the shell.
const int ANSWERS[] = {IDOK,        IDCANCEL,        IDYES,       IDNO,           IDC_PLOT_OK, IDC_PLOT_CANCEL,
                       IDC_ZOOM_OK, IDC_ZOOM_CANCEL, IDC_ABOUT_OK, IDC_PLOT_X_DEFAULT, IDC_PLOT_COLOUR};
// The common dialogs, answered only by name and key: a click could take them out of the test's folder.
const wchar_t* const COMMON_DIALOGS[] = {L"Save As", L"Print", L"Color"};
const UINT ACCELERATOR_KEYS[] = {'Q', 'M', 'N', 'G', 'H'};
const UINT KEYS[] = {VK_ESCAPE, VK_RETURN, VK_TAB, VK_SPACE, VK_UP, VK_DOWN};

int environmentNumber(const char* name, int otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : otherwise;
}

BOOL CALLBACK collect(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> threadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring classOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A dialog's message: its first static control that is no icon.
std::wstring messageOf(HWND dialog)
{
    std::vector<HWND> children;
    EnumChildWindows(dialog, collect, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (_wcsicmp(classOf(child).c_str(), L"Static") == 0 &&
            (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON && !windowText(child).empty())
            return windowText(child);
    }
    return L"";
}

void sendKey(UINT key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void sendText(const std::wstring& text)
{
    for (wchar_t character : text) {
        INPUT inputs[2]{};
        for (int k = 0; k < 2; ++k) {
            inputs[k].type = INPUT_KEYBOARD;
            inputs[k].ki.wScan = character;
            inputs[k].ki.dwFlags = KEYEVENTF_UNICODE | (k == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, inputs, sizeof(INPUT));
    }
}

void sendClick(POINT point)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, width - 1);
        input.mi.dy = MulDiv(point.y, 65535, height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

class CMonkey {
public:
    CMonkey(Mode mode, unsigned seed, int steps, CConsoleWindow& console, std::filesystem::path folder)
        : m_mode(mode), m_seed(seed), m_steps(steps), m_console(console), m_folder(std::move(folder)), m_random(seed)
    {
    }

    // One tick of the thread's timer, in whatever loop runs: a step and its checks, or, once the
    // steps are done, one round of closing what is open.
    void tick()
    {
        ++m_ticks;
        if (!m_failure.empty())
            return;
        check();
        if (m_taken < m_steps) {
            ++m_taken;
            step();
        } else {
            closeDialogs();
        }
    }

    bool finishedSteps() const { return m_taken >= m_steps; }
    // Steps taken and nothing left open.
    bool finished() const { return !m_failure.empty() || (m_taken >= m_steps && openDialogs().empty()); }
    const std::string& failure() const { return m_failure; }
    int ticks() const { return m_ticks; }
    // What the run went through, for its log.
    std::string summary() const
    {
        return std::to_string(m_taken) + " steps, " + std::to_string(m_dialogs.size()) + " dialogs and boxes, " +
               std::to_string(m_graphs.size()) + " graph windows, " +
               std::to_string(GetWindowTextLengthW(m_console.outputPane().handle())) + " characters of output";
    }

    std::string replay() const
    {
        std::string text = "seed " + std::to_string(m_seed) + ", mode " + (m_mode == Mode::User ? "user" : "macro") +
                           ", " + std::to_string(m_taken) + " steps (replay: TALLIMEX_MONKEY_SEED=" +
                           std::to_string(m_seed) + " TALLIMEX_MONKEY_STEPS=" + std::to_string(m_taken) +
                           " TALLIMEX_MONKEY_MODE=" + (m_mode == Mode::User ? "user" : "macro") + "):\n";
        for (size_t k = 0; k < m_log.size(); ++k)
            text += "  " + std::to_string(k + 1) + ". " + m_log[k] + "\n";
        return text;
    }

private:
    size_t pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(m_random); }
    template <typename T, size_t N>
    const T& pickFrom(const T (&items)[N])
    {
        return items[pick(N)];
    }
    bool chance(int percent) { return static_cast<int>(pick(100)) < percent; }
    void log(const std::string& step) { m_log.push_back(step); }

    void fail(const std::string& what)
    {
        if (m_failure.empty())
            m_failure = what + " after step " + std::to_string(m_taken);
    }

    void check()
    {
        if (!IsWindow(m_console.handle()))
            return fail("the main window is gone");
        bool questionOpen = false;
        for (HWND window : threadWindows()) {
            if (classOf(window) == L"Graph" && std::find(m_graphs.begin(), m_graphs.end(), window) == m_graphs.end())
                m_graphs.push_back(window);
        }
        for (HWND dialog : openDialogs()) {
            if (std::find(m_dialogs.begin(), m_dialogs.end(), dialog) == m_dialogs.end())
                m_dialogs.push_back(dialog);
            const std::wstring text = messageOf(dialog);
            if (text.rfind(L"Bug", 0) == 0 || text.rfind(L"Internal error", 0) == 0 || text == L"Out of memory.")
                return fail("a box says \"" + narrow(text) + "\"");
            questionOpen = questionOpen || windowText(dialog) == VKCL::CONFIRMATION_CAPTION;
        }
        if (m_console.isEngineBusy() && !questionOpen)
            fail("the engine is marked busy with no question open");
    }

    // Visible dialogs and boxes other than the tool windows, newest first.
    std::vector<HWND> openDialogs() const
    {
        std::vector<HWND> dialogs;
        for (HWND window : threadWindows()) {
            if (classOf(window) == L"#32770" && IsWindowVisible(window) && !isToolWindow(window))
                dialogs.push_back(window);
        }
        return dialogs;
    }

    bool isToolWindow(HWND window) const
    {
        for (auto which : {ToolWindow::CalculatorPanel, ToolWindow::GreekLetters, ToolWindow::QuadraticSolver,
                           ToolWindow::CubicSolver}) {
            if (m_console.toolWindows().handle(which) == window)
                return true;
        }
        return false;
    }

    static bool isCommonDialog(HWND dialog)
    {
        const std::wstring caption = windowText(dialog);
        for (const wchar_t* name : COMMON_DIALOGS) {
            if (caption == name)
                return true;
        }
        return false;
    }

    std::wstring fileName()
    {
        const wchar_t* const extensions[] = {L".jpg", L".bmp", L".txt", L""};
        return (m_folder / (L"file" + std::to_wstring(pick(4)) + pickFrom(extensions))).wstring();
    }

    void step()
    {
        if (m_mode == Mode::User)
            userStep();
        else
            macroStep();
    }

    // Real input goes where the focus is; a click on another window of the program moves it there.
    void userStep()
    {
        HWND foreground = GetForegroundWindow();
        const bool common = foreground != nullptr && isCommonDialog(foreground);
        const size_t action = pick(10);
        if (common) {
            if (chance(50)) {
                const std::wstring name = fileName();
                log("user: types \"" + narrow(name) + "\" and Return in " + narrow(windowText(foreground)));
                sendText(name);
            } else {
                log("user: Escape in " + narrow(windowText(foreground)));
            }
            sendKey(chance(50) ? VK_RETURN : VK_ESCAPE, false);
            sendKey(VK_RETURN, true);
            sendKey(VK_ESCAPE, true);
        } else if (action < 3) {
            const std::wstring line = chance(50) ? pickFrom(LINES) : pickFrom(FIELD_TEXTS);
            log("user: types \"" + narrow(line) + "\" and Return");
            sendText(line);
            sendKey(VK_RETURN, false);
            sendKey(VK_RETURN, true);
        } else if (action < 4) {
            const UINT key = pickFrom(ACCELERATOR_KEYS);
            log(std::string("user: Ctrl+") + char(key));
            sendKey(VK_CONTROL, false);
            sendKey(key, false);
            sendKey(key, true);
            sendKey(VK_CONTROL, true);
        } else if (action < 5) {
            const UINT key = pickFrom(KEYS);
            log("user: key " + std::to_string(key));
            sendKey(key, false);
            sendKey(key, true);
        } else if (action < 7 && foreground != nullptr && okButton(foreground) != nullptr) {
            fillByHand(foreground);
        } else if (action < 8 && foreground != nullptr) {
            clickControl(foreground);
        } else {
            clickSomewhere();
        }
    }

    // The button that confirms a dialog with fields: OK, or "Solve".
    static HWND okButton(HWND dialog)
    {
        for (int id : {IDC_PLOT_OK, IDC_ZOOM_OK, IDC_SOLVER_SOLVE}) {
            if (HWND button = GetDlgItem(dialog, id))
                return button;
        }
        return nullptr;
    }

    // Every field of the focused dialog clicked and typed into, mostly validly, then confirmed.
    void fillByHand(HWND dialog)
    {
        const bool valid = chance(70);
        log("user: fills " + narrow(windowText(dialog)) + (valid ? " validly" : " at random") + " and confirms");
        for (int field : PLOT_FIELDS) {
            if (HWND control = GetDlgItem(dialog, field); control != nullptr && IsWindowEnabled(control))
                typeInto(control, valid ? validText(field) : pickFrom(FIELD_TEXTS));
        }
        for (int field : ZOOM_FIELDS) {
            if (HWND control = GetDlgItem(dialog, field))
                typeInto(control, valid ? validText(field) : pickFrom(FIELD_TEXTS));
        }
        for (int field : SOLVER_FIELDS) {
            if (HWND control = GetDlgItem(dialog, field); control != nullptr && IsWindowVisible(control))
                typeInto(control, valid ? validText(field) : pickFrom(FIELD_TEXTS));
        }
        clickCentre(okButton(dialog));
    }

    static void clickCentre(HWND control)
    {
        RECT area{};
        GetWindowRect(control, &area);
        sendClick({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    }

    // A click into the field, its text selected and typed over.
    static void typeInto(HWND field, const std::wstring& text)
    {
        clickCentre(field);
        sendKey(VK_END, false);
        sendKey(VK_END, true);
        sendKey(VK_SHIFT, false);
        sendKey(VK_HOME, false);
        sendKey(VK_HOME, true);
        sendKey(VK_SHIFT, true);
        sendText(text);
    }

    // A click on a control of the focused window; into a field it types a text, valid half the time.
    void clickControl(HWND window)
    {
        std::vector<HWND> controls;
        EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&controls));
        controls.erase(std::remove_if(controls.begin(), controls.end(),
                                      [](HWND control) { return !IsWindowVisible(control); }),
                       controls.end());
        if (controls.empty() || windowText(window) == L"About Tallimex...")
            return clickSomewhere();
        HWND control = controls[pick(controls.size())];
        log("user: clicks control " + std::to_string(GetDlgCtrlID(control)) + " of " + narrow(windowText(window)));
        if (_wcsicmp(classOf(control).c_str(), L"Edit") == 0 && GetParent(control) == window) {
            const std::wstring text = chance(50) ? validText(GetDlgCtrlID(control)) : pickFrom(FIELD_TEXTS);
            log("user: types \"" + narrow(text) + "\"");
            typeInto(control, text);
        } else {
            clickCentre(control);
        }
    }

    // A click on a random point of a random visible window of the program, the About box's shell
    // buttons and the common dialogs left out.
    void clickSomewhere()
    {
        std::vector<HWND> windows;
        for (HWND window : threadWindows()) {
            if (IsWindowVisible(window) && !isCommonDialog(window) && windowText(window) != L"About Tallimex...")
                windows.push_back(window);
        }
        if (windows.empty())
            return log("user: nothing to click");
        HWND window = windows[pick(windows.size())];
        RECT client{};
        GetClientRect(window, &client);
        POINT point{static_cast<LONG>(pick(static_cast<size_t>(std::max<LONG>(client.right, 1)))),
                    static_cast<LONG>(pick(static_cast<size_t>(std::max<LONG>(client.bottom, 1))))};
        log("user: clicks " + narrow(windowText(window)) + " at " + std::to_string(point.x) + "," +
            std::to_string(point.y));
        ClientToScreen(window, &point);
        sendClick(point);
    }

    // Posted to any window of the program, enabled or not.
    void macroStep()
    {
        std::vector<HWND> graphs, dialogs;
        for (HWND window : threadWindows()) {
            if (classOf(window) == L"Graph")
                graphs.push_back(window);
            else if (classOf(window) == L"#32770")
                dialogs.push_back(window);
        }
        const size_t action = pick(100);
        if (action < 25)
            return postCommand(m_console.handle(), pickFrom(MAIN_COMMANDS), "main window");
        if (action < 45)
            return postLine(m_console.inputLine().handle());
        if (action < 65 && !graphs.empty())
            return graphStep(graphs[pick(graphs.size())]);
        if (!dialogs.empty()) {
            // Mostly the newest dialog, as a user answers what is in front.
            const std::vector<HWND> open = openDialogs();
            return dialogStep(!open.empty() && chance(70) ? open.front() : dialogs[pick(dialogs.size())]);
        }
        postLine(m_console.inputLine().handle());
    }

    void postCommand(HWND target, int id, const std::string& name)
    {
        log("macro: command " + std::to_string(id) + " to " + name);
        PostMessageW(target, WM_COMMAND, MAKEWPARAM(id, chance(20) ? 1 : 0), 0);
    }

    void postLine(HWND inputLine)
    {
        const std::wstring line = pickFrom(LINES);
        log("macro: \"" + narrow(line) + "\" and Enter to the input line");
        for (wchar_t character : line)
            PostMessageW(inputLine, WM_CHAR, character, 1);
        PostMessageW(inputLine, WM_KEYDOWN, VK_RETURN, 1);
    }

    void graphStep(HWND graph)
    {
        if (chance(80))
            return postCommand(graph, pickFrom(GRAPH_COMMANDS), "a graph");
        const auto column = static_cast<WORD>(pick(420)), row = static_cast<WORD>(pick(460));
        log("macro: mouse to a graph at " + std::to_string(column) + "," + std::to_string(row));
        PostMessageW(graph, chance(50) ? WM_MOUSEMOVE : WM_LBUTTONDOWN, 0, MAKELPARAM(column, row));
    }

    // Fields filled (half the time a valid plot), then a button pressed, or the dialog closed.
    void dialogStep(HWND dialog)
    {
        const std::string name = narrow(windowText(dialog));
        if (isCommonDialog(dialog) && windowText(dialog) == L"Save As" && chance(50)) {
            const std::wstring file = fileName();
            HWND field = GetDlgItem(dialog, 0x47C);
            SetWindowTextW(field != nullptr ? field : GetDlgItem(dialog, 0x480), file.c_str());
            log("macro: \"" + narrow(file) + "\" into " + name);
        } else if (GetDlgItem(dialog, IDC_PLOT_VARIABLE) != nullptr) {
            fill(dialog, PLOT_FIELDS, name);
        } else if (GetDlgItem(dialog, IDC_ZOOM_AXIS_VALUES) != nullptr) {
            fill(dialog, ZOOM_FIELDS, name);
        } else if (GetDlgItem(dialog, IDC_SOLVER_A) != nullptr) {
            fill(dialog, SOLVER_FIELDS, name);
            if (chance(50))
                return postCommand(dialog, IDC_SOLVER_SOLVE, name);
        } else if (GetDlgItem(dialog, IDC_CALC_EXE) != nullptr) {
            const int button = IDC_CALC_FIRST + static_cast<int>(pick(IDC_CALC_LAST - IDC_CALC_FIRST + 1));
            return postCommand(dialog, button, name);
        } else if (GetDlgItem(dialog, IDC_GREEK_FIRST_LETTER) != nullptr) {
            return postCommand(dialog, IDC_GREEK_FIRST_LETTER + static_cast<int>(pick(25)), name);
        }
        if (chance(10)) {
            log("macro: WM_CLOSE to " + name);
            PostMessageW(dialog, WM_CLOSE, 0, 0);
            return;
        }
        std::vector<int> buttons;
        for (int id : ANSWERS) {
            if (GetDlgItem(dialog, id) != nullptr)
                buttons.push_back(id);
        }
        if (buttons.empty())
            return log("macro: no button in " + name);
        // OK half the time, where there is one.
        const bool hasOk = GetDlgItem(dialog, IDC_PLOT_OK) != nullptr || GetDlgItem(dialog, IDC_ZOOM_OK) != nullptr;
        const int button = hasOk && chance(50) ? (GetDlgItem(dialog, IDC_PLOT_OK) ? IDC_PLOT_OK : IDC_ZOOM_OK)
                                               : buttons[pick(buttons.size())];
        log("macro: clicks " + std::to_string(button) + " in " + name);
        PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    }

    template <size_t N>
    void fill(HWND dialog, const int (&fields)[N], const std::string& name)
    {
        const bool valid = chance(50);
        for (int field : fields) {
            if (GetDlgItem(dialog, field) == nullptr)
                continue;
            std::wstring text = pickFrom(FIELD_TEXTS);
            if (valid)
                text = validText(field);
            SetDlgItemTextW(dialog, field, text.c_str());
        }
        log("macro: fills " + name + (valid ? " validly" : " at random"));
    }

    static std::wstring validText(int field)
    {
        switch (field) {
        case IDC_PLOT_EXPRESSION: return L"sin(x)";
        case IDC_PLOT_X_EXPRESSION: return L"cos(x)";
        case IDC_PLOT_Y_EXPRESSION: return L"sin(2*x)";
        case IDC_PLOT_VARIABLE: return L"x";
        case IDC_PLOT_VARIABLE_FROM:
        case IDC_PLOT_X_FROM:
        case IDC_PLOT_Y_FROM:
        case IDC_ZOOM_X_FROM:
        case IDC_ZOOM_Y_FROM: return L"-3";
        case IDC_ZOOM_AXIS_VALUES: return L"6";
        case IDC_SOLVER_A: return L"1";
        case IDC_SOLVER_B: return L"-3";
        case IDC_SOLVER_C:
        case IDC_SOLVER_D: return L"2";
        default: return L"3";
        }
    }

    // The newest dialog first: an older one refuses its buttons while the newer, its own, is open.
    void closeDialogs()
    {
        const std::vector<HWND> dialogs = openDialogs();
        if (dialogs.empty())
            return;
        HWND dialog = dialogs.front();
        for (int id : {IDCANCEL, IDNO, IDC_PLOT_CANCEL, IDC_ZOOM_CANCEL, IDC_ABOUT_OK, IDOK}) {
            if (HWND button = GetDlgItem(dialog, id)) {
                PostMessageW(button, BM_CLICK, 0, 0);
                return;
            }
        }
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }

    Mode m_mode;
    unsigned m_seed;
    int m_steps;
    std::atomic<int> m_taken = 0;
    std::atomic<int> m_ticks = 0;
    CConsoleWindow& m_console;
    std::filesystem::path m_folder;
    std::mt19937 m_random;
    std::vector<std::string> m_log;
    std::vector<HWND> m_dialogs;
    std::vector<HWND> m_graphs;
    std::string m_failure;
};

CMonkey* s_monkey = nullptr;

void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_monkey != nullptr)
        s_monkey->tick();
}

// A crash ends the run at once, with the steps that led to it and no debugger to wait for.
LONG WINAPI printStepsOnCrash(EXCEPTION_POINTERS* exception)
{
    if (s_monkey != nullptr)
        std::fprintf(stderr, "monkey: exception %08lx; %s", exception->ExceptionRecord->ExceptionCode,
                     s_monkey->replay().c_str());
    std::fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

class MonkeyTest : public ConsoleTest {
protected:
    void run(Mode mode)
    {
        const char* wanted = std::getenv("TALLIMEX_MONKEY_MODE");
        if (wanted != nullptr && *wanted != '\0' && std::string(wanted) != (mode == Mode::User ? "user" : "macro"))
            GTEST_SKIP() << "TALLIMEX_MONKEY_MODE=" << wanted;
        const auto seed = static_cast<unsigned>(environmentNumber("TALLIMEX_MONKEY_SEED", 26));
        const int steps = environmentNumber("TALLIMEX_MONKEY_STEPS", 600);
        std::fprintf(stderr, "monkey: %s mode, seed %u, %d steps\n", mode == Mode::User ? "user" : "macro", seed,
                     steps);

        // Files the monkey saves, and the documentation it cannot find, stay in a folder of its own.
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tallimex-monkey";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        // The real mouse stays where the monkey leaves it, over windows the next tests open.
        POINT cursor{};
        GetCursorPos(&cursor);
        open();
        CMonkey monkey(mode, seed, steps, *m_console, folder);
        s_monkey = &monkey;
        LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = SetUnhandledExceptionFilter(printStepsOnCrash);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, onTick);
        // A loop that stops dispatching, or a dialog that cannot be closed, stops the run with the steps.
        std::atomic<bool> ended = false;
        std::thread watchdog([&] {
            int last = -1, idle = 0, closing = 0;
            while (!ended) {
                Sleep(1000);
                const int ticks = monkey.ticks();
                idle = ticks == last ? idle + 1 : 0;
                last = ticks;
                closing = monkey.finishedSteps() ? closing + 1 : 0;
                if (idle >= 120 || closing >= 120) {
                    std::fprintf(stderr, "monkey: stuck; %s", monkey.replay().c_str());
                    std::fflush(stderr);
                    TerminateProcess(GetCurrentProcess(), 3);
                }
            }
        });
        // What the last steps posted may still open a dialog, which the monkey then closes.
        do {
            while (!monkey.finished())
                pump();
            pump();
        } while (!monkey.finished());
        ended = true;
        watchdog.join();
        KillTimer(nullptr, timer);
        SetUnhandledExceptionFilter(previousFilter);
        s_monkey = nullptr;

        std::fprintf(stderr, "monkey: %s\n", monkey.summary().c_str());
        if (const char* log = std::getenv("TALLIMEX_MONKEY_LOG"); log != nullptr && *log != '\0') {
            if (FILE* file = std::fopen(log, "a")) {
                std::fputs(monkey.replay().c_str(), file);
                std::fclose(file);
            }
        }
        EXPECT_EQ(monkey.failure(), "") << monkey.replay();
        if (monkey.failure().empty())
            expectPicturesAreFreshRedraws(monkey);
        close();
        SetCursorPos(cursor.x, cursor.y);
        std::filesystem::current_path(before);
        std::filesystem::remove_all(folder);
    }

    static void expectPicturesAreFreshRedraws(const CMonkey& monkey)
    {
        HDC screen = GetDC(nullptr);
        for (HWND window : threadWindows()) {
            const CGraphWindow* graph = CGraphWindow::find(window);
            if (graph == nullptr)
                continue;
            UpdateWindow(window);
            CGraphPicture fresh;
            ASSERT_TRUE(fresh.redraw(screen, graph->graph()));
            EXPECT_TRUE(bitmapPixels(graph->picture()) == bitmapPixels(fresh.bitmap()))
                << "a graph's back buffer is not its picture; " << monkey.replay();
        }
        ReleaseDC(nullptr, screen);
    }
};

TEST_F(MonkeyTest, UserInputToTheFocusedWindow)
{
    run(Mode::User);
}

TEST_F(MonkeyTest, MessagesPostedToAnyWindow)
{
    run(Mode::Macro);
}

} // namespace
