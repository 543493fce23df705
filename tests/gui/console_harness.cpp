// Drives a real main window in the test's own thread: message pumping, typed input, dialogs.
#include "console_harness.h"

#include "graph/windows/graph_window.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstdlib>

std::wstring toWide(const VKF::CString& text)
{
    return std::wstring(text.characters(), static_cast<size_t>(text.length()));
}

std::wstring windowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::string narrow(const std::wstring& text)
{
    auto length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), size, nullptr, nullptr);
    return result;
}

int bitmapSide(HBITMAP bitmap)
{
    BITMAP description{};
    GetObjectW(bitmap, sizeof description, &description);
    return description.bmWidth;
}

CDisplayScale displayScaleUnderTest()
{
    const char* dpi = std::getenv("TALLIMEX_DISPLAY_DPI");
    const CDisplayScale scale = systemDisplayScale();
    EXPECT_EQ(scale.dpi(), dpi != nullptr ? std::atoi(dpi) : scale.dpi()) << "the prefix's LogPixels";
    return scale;
}

std::vector<std::uint32_t> bitmapPixels(HBITMAP bitmap)
{
    const int SIDE = bitmapSide(bitmap);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), SIDE, -SIDE, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(SIDE) * static_cast<size_t>(SIDE));
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, SIDE, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rows, SIDE);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

void clickButton(HWND dialog, int button)
{
    if (HWND control = GetDlgItem(dialog, button))
        PostMessageW(control, BM_CLICK, 0, 0);
    else
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

std::function<void(HWND dialog)> savingAs(const std::wstring& path, int filter)
{
    constexpr int FILE_NAME_COMBO = 0x47C; // cmb13
    constexpr int FILE_NAME_EDIT = 0x480;  // edt1
    constexpr int FILTER_COMBO = 0x470;    // cmb1
    return [path, filter](HWND dialog) {
        HWND filters = GetDlgItem(dialog, FILTER_COMBO);
        SendMessageW(filters, CB_SETCURSEL, static_cast<WPARAM>(filter - 1), 0);
        // The dialog takes the new filter when the list reports the choice as made.
        for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(FILTER_COMBO, notification), reinterpret_cast<LPARAM>(filters));
        HWND field = GetDlgItem(dialog, FILE_NAME_COMBO);
        SetWindowTextW(field != nullptr ? field : GetDlgItem(dialog, FILE_NAME_EDIT), path.c_str());
        clickButton(dialog, IDOK);
    };
}

void CTestConsole::runStatement(const VKF::CString& line, VKF::CString& output)
{
    if (statement)
        statement(line, output);
    else
        CConsoleWindow::runStatement(line, output);
}

static BOOL CALLBACK rememberWindow(HWND window, LPARAM windows)
{
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Dialogs that exist already (the tool windows) are not the ones to watch.
CDialogWatcher::CDialogWatcher() : m_hook(SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId()))
{
    EnumThreadWindows(GetCurrentThreadId(), rememberWindow, reinterpret_cast<LPARAM>(&m_seen));
    s_current = this;
}

CDialogWatcher::~CDialogWatcher()
{
    UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
}

size_t CDialogWatcher::count(const std::wstring& caption) const
{
    return static_cast<size_t>(std::count_if(m_dialogs.begin(), m_dialogs.end(),
                                             [&](const CDialogSeen& dialog) { return dialog.caption == caption; }));
}

std::vector<std::wstring> CDialogWatcher::seen(HWND owner) const
{
    std::vector<std::wstring> lines;
    for (const CDialogSeen& dialog : m_dialogs)
        lines.push_back(dialog.caption + L": " + dialog.text + (dialog.hasIcon ? L" (icon)" : L"") +
                        (dialog.owner != owner ? L" (other owner)" : L""));
    return lines;
}

LRESULT CALLBACK CDialogWatcher::hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && s_current != nullptr)
        s_current->onActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CDialogWatcher::onActivate(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || std::find(m_seen.begin(), m_seen.end(), window) != m_seen.end())
        return;
    m_seen.push_back(window);

    // A message box holds its message in the first static control that is no icon.
    CDialogSeen dialog{windowText(window), L"", GetWindow(window, GW_OWNER), false};
    std::vector<HWND> children;
    EnumChildWindows(window, rememberWindow, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        GetClassNameW(child, className, 32);
        if (_wcsicmp(className, L"Static") != 0)
            continue;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            dialog.hasIcon = dialog.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        else if (dialog.text.empty())
            dialog.text = windowText(child);
    }
    m_dialogs.push_back(dialog);

    auto rule = std::find_if(m_actions.rbegin(), m_actions.rend(), [&](const auto& entry) {
        return entry.first.empty() || entry.first == dialog.caption;
    });
    Action action = rule != m_actions.rend() ? rule->second : [](HWND box) {
        for (int button : {IDOK, IDCANCEL, IDNO}) {
            if (GetDlgItem(box, button) != nullptr)
                return clickButton(box, button);
        }
        PostMessageW(box, WM_CLOSE, 0, 0);
    };
    // The dialog may still be finishing its set-up: act once its loop runs. Every timer has the same
    // delay, so they fire in the order the dialogs came.
    m_pending.emplace_back(window, action);
    SetTimer(nullptr, 0, 50, onTimer);
}

void CALLBACK CDialogWatcher::onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (s_current == nullptr || s_current->m_pending.empty())
        return;
    auto [window, action] = s_current->m_pending.front();
    s_current->m_pending.erase(s_current->m_pending.begin());
    if (IsWindow(window))
        action(window);
}

void ConsoleTest::SetUpTestSuite()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static bool registered = CConsoleWindow::registerClass(instance);
    ASSERT_TRUE(registered);
    static bool graphRegistered = CGraphWindow::registerClass(instance);
    ASSERT_TRUE(graphRegistered);
    if (s_accelerators == nullptr)
        s_accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(s_accelerators, nullptr);
}

void ConsoleTest::TearDown()
{
    holdControl(false);
    close();
}

void ConsoleTest::open()
{
    close();
    m_console = std::make_unique<CTestConsole>();
    HWND window = m_console->create(GetModuleHandleW(nullptr));
    ASSERT_TRUE(IsWindow(window));
    SetWindowPos(window, nullptr, 50, 50, 640, 480, SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    pump();
}

void ConsoleTest::close()
{
    if (!m_console)
        return;
    if (m_console->handle() != nullptr)
        DestroyWindow(m_console->handle());
    pump();
    m_console.reset();
}

void ConsoleTest::pump()
{
    for (int round = 0; round < 3; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                m_quitSeen = true;
            else
                handleLoopMessage(*m_console, s_accelerators, message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void ConsoleTest::pressKey(HWND window, UINT key)
{
    LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scanCode | 1);
    PostMessageW(window, WM_KEYUP, key, scanCode | 1 | 0xC0000000);
    pump();
}

void ConsoleTest::holdControl(bool down)
{
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

