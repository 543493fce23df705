// Lines typed at a Windows console, edited key by key: the console's own line editing keeps no
// history between runs, completes file names with Tab and ends the program on Ctrl+C.
#include "cli/line_editor.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include <windows.h>

#include "cli/history_file.h"
#include "cli/name_completion.h"
#include "foundation/utf8.h"

namespace {

constexpr wchar_t CTRL_C = 3;
constexpr wchar_t CTRL_D = 4;
constexpr wchar_t CTRL_U = 21;
constexpr wchar_t CTRL_Z = 26;

bool isNameBreak(wchar_t c)
{
    for (const char* b = NAME_BREAK_CHARACTERS; *b != '\0'; ++b) {
        if (c == wchar_t(*b))
            return true;
    }
    return false;
}

// Where Ctrl+C still comes as a control event (Wine's console does so), the key is put into the
// input for the editor to read like any other.
BOOL WINAPI onControlEvent(DWORD event)
{
    if (event != CTRL_C_EVENT)
        return FALSE;
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.bKeyDown = TRUE;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = 'C';
    record.Event.KeyEvent.uChar.UnicodeChar = CTRL_C;
    record.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    DWORD written = 0;
    WriteConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &record, 1, &written);
    return TRUE;
}

std::wstring wide(const std::string& utf8)
{
    const VKF::CString text = VKF::fromUtf8(utf8);
    return std::wstring(text.characters(), text.characters() + text.length());
}

std::string narrow(const std::wstring& text)
{
    return VKF::toUtf8(VKF::CString(text.c_str(), int32_t(text.size())));
}

} // namespace

struct CLineEditor::CState {
    explicit CState(const std::string& historyFile) : history(historyFile) {}

    CLineHistory history;
    const VKCL::CCalculator* names = nullptr;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    // The line being typed, the cursor in it, and where the line starts on the screen.
    std::wstring line;
    std::size_t cursor = 0;
    COORD start{};
    // The length last drawn, so that a shorter line wipes out the rest.
    std::size_t drawn = 0;
    // Up and Down move through the history; lines().size() is the line being typed.
    std::size_t recalled = 0;

    void write(const std::wstring& text) const
    {
        DWORD written = 0;
        WriteConsoleW(output, text.c_str(), DWORD(text.size()), &written, nullptr);
    }

    SHORT width() const
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(output, &info);
        return std::max<SHORT>(info.dwSize.X, 1);
    }

    COORD cursorPosition() const
    {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(output, &info);
        return info.dwCursorPosition;
    }

    COORD positionOf(std::size_t offset) const
    {
        const std::size_t column = std::size_t(start.X) + offset;
        return {SHORT(column % std::size_t(width())), SHORT(start.Y + SHORT(column / std::size_t(width())))};
    }

    void beginLine(const std::wstring& prompt)
    {
        write(prompt);
        start = cursorPosition();
        line.clear();
        cursor = 0;
        drawn = 0;
        recalled = history.lines().size();
    }

    // Writes the line from its start and puts the cursor in place; a line that made the screen
    // scroll moved its start up.
    void redraw()
    {
        SetConsoleCursorPosition(output, start);
        write(line + std::wstring(drawn > line.size() ? drawn - line.size() : 0, L' '));
        const std::size_t end = std::max(drawn, line.size());
        const COORD expected = positionOf(end);
        const COORD actual = cursorPosition();
        if (actual.Y < expected.Y)
            start.Y = SHORT(start.Y - (expected.Y - actual.Y));
        drawn = line.size();
        SetConsoleCursorPosition(output, positionOf(cursor));
    }

    void insert(const std::wstring& text)
    {
        line.insert(cursor, text);
        cursor += text.size();
        redraw();
    }

    void recall(std::size_t index)
    {
        recalled = index;
        line = index < history.lines().size() ? wide(history.lines()[index]) : std::wstring();
        cursor = line.size();
        redraw();
    }

    // Completes the name before the cursor as far as all matches agree; with nothing to add and
    // several matches, lists them under the line.
    void complete(const std::wstring& prompt)
    {
        std::size_t begin = cursor;
        while (begin > 0 && !isNameBreak(line[begin - 1]))
            --begin;
        const std::string prefix = narrow(line.substr(begin, cursor - begin));
        const std::vector<std::string> matches = completeName(*names, prefix);
        if (matches.empty())
            return;
        std::string common = matches.front();
        for (const std::string& match : matches) {
            std::size_t same = 0;
            while (same < common.size() && same < match.size() && common[same] == match[same])
                ++same;
            common.resize(same);
        }
        // Whole UTF-8 sequences only.
        while (!common.empty() && (static_cast<unsigned char>(common.back()) & 0xC0) == 0x80)
            common.pop_back();
        if (!common.empty() && static_cast<unsigned char>(common.back()) >= 0xC0)
            common.pop_back();
        if (common.size() > prefix.size()) {
            insert(wide(common.substr(prefix.size())));
            return;
        }
        if (matches.size() < 2)
            return;
        SetConsoleCursorPosition(output, positionOf(line.size()));
        std::wstring list = L"\n";
        for (const std::string& match : matches)
            list += wide(match) + L"  ";
        write(list + L"\n" + prompt);
        start = cursorPosition();
        drawn = 0;
        redraw();
    }
};

CLineEditor::CLineEditor(std::ostream& output, const VKCL::CCalculator& calculator, const std::string& historyFile)
    : m_output(output), m_state(std::make_unique<CState>(historyFile))
{
    m_state->names = &calculator;
}

CLineEditor::~CLineEditor() = default;

// Keys arrive one by one: the console neither edits nor echoes, and Ctrl+C comes as a key.
bool CLineEditor::readLine(const std::string& prompt, std::string& text)
{
    m_output.flush();
    CState& state = *m_state;
    DWORD mode = 0;
    GetConsoleMode(state.input, &mode);
    SetConsoleMode(state.input, mode & ~DWORD(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT));
    SetConsoleCtrlHandler(onControlEvent, TRUE);
    const std::wstring widePrompt = wide(prompt);
    state.beginLine(widePrompt);
    bool ended = false;
    bool done = false;
    while (!done) {
        INPUT_RECORD record{};
        DWORD count = 0;
        if (!ReadConsoleInputW(state.input, &record, 1, &count) || count == 0) {
            ended = true;
            break;
        }
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown)
            continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        for (WORD repeat = 0; repeat < std::max<WORD>(key.wRepeatCount, 1) && !done; ++repeat) {
            const wchar_t c = key.uChar.UnicodeChar;
            switch (key.wVirtualKeyCode) {
            case VK_LEFT: state.cursor -= state.cursor > 0 ? 1 : 0; state.redraw(); continue;
            case VK_RIGHT: state.cursor += state.cursor < state.line.size() ? 1 : 0; state.redraw(); continue;
            case VK_HOME: state.cursor = 0; state.redraw(); continue;
            case VK_END: state.cursor = state.line.size(); state.redraw(); continue;
            case VK_UP:
                if (state.recalled > 0)
                    state.recall(state.recalled - 1);
                continue;
            case VK_DOWN:
                if (state.recalled < state.history.lines().size())
                    state.recall(state.recalled + 1);
                continue;
            case VK_DELETE:
                if (state.cursor < state.line.size())
                    state.line.erase(state.cursor, 1);
                state.redraw();
                continue;
            default: break;
            }
            if (c == L'\r' || c == L'\n') {
                done = true;
            } else if (c == L'\b') {
                if (state.cursor > 0)
                    state.line.erase(--state.cursor, 1);
                state.redraw();
            } else if (c == CTRL_C) {
                SetConsoleCursorPosition(state.output, state.positionOf(state.line.size()));
                state.write(L"^C\n");
                state.beginLine(widePrompt);
            } else if ((c == CTRL_D || c == CTRL_Z) && state.line.empty()) {
                ended = true;
                done = true;
            } else if (c == CTRL_U) {
                state.line.clear();
                state.cursor = 0;
                state.redraw();
            } else if (c == L'\t') {
                state.complete(widePrompt);
            } else if (c >= L' ') {
                state.insert(std::wstring(1, c));
            }
        }
    }
    SetConsoleCursorPosition(state.output, state.positionOf(state.line.size()));
    state.write(L"\n");
    SetConsoleCtrlHandler(onControlEvent, FALSE);
    SetConsoleMode(state.input, mode);
    if (ended)
        return false;
    text = narrow(state.line);
    return true;
}

void CLineEditor::remember(const std::string& line)
{
    m_state->history.add(line);
}
