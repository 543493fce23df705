// Cost of one Return in the real main window as the output pane grows through a long session.
#include <benchmark/benchmark.h>

#include "console/application.h"
#include "console/console_window.h"
#include "resources/resource_ids.h"

#include <memory>
#include <string>

namespace {

const wchar_t* const LINE = L"2+3";
const wchar_t* const ENTRY = L">> 2+3\r\n= 5";
const wchar_t* const SEPARATOR = L"\r\n\r\n";

class CBenchConsole {
public:
    CBenchConsole()
    {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        static bool registered = CConsoleWindow::registerClass(instance);
        m_accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
        HWND window = registered ? m_console.create(instance) : nullptr;
        if (window == nullptr)
            return;
        SetWindowPos(window, nullptr, 50, 50, 640, 480, SWP_NOZORDER);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        settle();
    }
    ~CBenchConsole()
    {
        if (m_console.handle() != nullptr)
            DestroyWindow(m_console.handle());
        settle();
    }
    CBenchConsole(const CBenchConsole&) = delete;
    CBenchConsole& operator=(const CBenchConsole&) = delete;

    bool ready() const noexcept { return m_console.handle() != nullptr; }

    // The pane as entering LINE `count` times leaves it. The first Return is real (it ends the
    // session's first entry without a blank line); the rest of the session is put into the pane at
    // once, as entering it line by line would take minutes where each Return rewrites the pane.
    void fill(int count)
    {
        typeLine();
        pressReturn();
        std::wstring text;
        for (int entry = 1; entry < count; ++entry)
            text += std::wstring(ENTRY) + SEPARATOR;
        text += ENTRY;
        SetWindowTextW(m_console.outputPane().handle(), text.c_str());
        settle();
    }

    void typeLine() { SetWindowTextW(m_console.inputLine().handle(), LINE); }

    // Enter as the keyboard delivers it, through the program's loop, until the pane is painted.
    void pressReturn()
    {
        HWND input = m_console.inputLine().handle();
        LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(input, WM_KEYDOWN, VK_RETURN, scanCode | 1);
        PostMessageW(input, WM_KEYUP, VK_RETURN, scanCode | 1 | 0xC0000000);
        settle();
    }

    int paneLength() { return GetWindowTextLengthW(m_console.outputPane().handle()); }

private:
    // Runs every waiting message through the loop logic and paints what is invalid.
    void settle()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT)
                handleLoopMessage(m_console, m_accelerators, message);
        }
        if (m_console.handle() != nullptr)
            RedrawWindow(m_console.handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

    CConsoleWindow m_console;
    HACCEL m_accelerators = nullptr;
};

// One Return after state.range(0) entries; the few entries the timed Returns add are small beside
// the session they follow.
void BM_ReturnAfterEntries(benchmark::State& state)
{
    auto console = std::make_unique<CBenchConsole>();
    if (!console->ready()) {
        state.SkipWithError("the main window could not be created");
        return;
    }
    console->fill(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        console->typeLine();
        state.ResumeTiming();
        console->pressReturn();
    }
    state.counters["pane_chars"] = console->paneLength();
}

BENCHMARK(BM_ReturnAfterEntries)->Arg(100)->Arg(1000)->Arg(5000)
    ->Iterations(40)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
