// Drives a real main window in the test's own thread: message pumping, typed input, message boxes.
#include "console_harness.h"

#include "test_resource_ids.h"

#include "resources/resource_ids.h"

#include <algorithm>

std::wstring toWide(const VKF::CString& text)
{
    return std::wstring(text.characters(), static_cast<size_t>(text.length()));
}

std::wstring windowText(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

void CTestConsole::runStatement(const VKF::CString& line, VKF::CString& output)
{
    if (statement)
        statement(line, output);
    else
        CConsoleWindow::runStatement(line, output);
}

std::unique_ptr<CDialog> CTestConsole::createToolWindow(TToolWindow which)
{
    const auto& factory = toolWindowFactories[static_cast<size_t>(which)];
    return factory ? factory(*this) : nullptr;
}

std::unique_ptr<CDialog> CTestToolWindow::create(CConsoleWindow& console, TToolWindow which)
{
    auto window = std::make_unique<CTestToolWindow>(console, which);
    window->createModeless(IDD_TEST_TOOL_WINDOW, console.handle());
    return window;
}

INT_PTR CTestToolWindow::onMessage(UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_CLOSE: m_console.toggleToolWindow(m_which); return TRUE;
    default: return FALSE;
    }
}

CMessageBoxAnswerer::CMessageBoxAnswerer(std::wstring caption, int button)
    : m_caption(std::move(caption)), m_button(button),
      m_hook(SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId()))
{
    s_current = this;
}

CMessageBoxAnswerer::~CMessageBoxAnswerer()
{
    UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
}

LRESULT CALLBACK CMessageBoxAnswerer::hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && s_current != nullptr)
        s_current->onActivate(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

struct SBoxParts {
    std::wstring text;
    bool hasIcon = false;
};

BOOL CALLBACK collectPart(HWND child, LPARAM parameter)
{
    auto* parts = reinterpret_cast<SBoxParts*>(parameter);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Static") != 0)
        return TRUE;
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON)
        parts->hasIcon = parts->hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
    else if (parts->text.empty())
        parts->text = windowText(child);
    return TRUE;
}

} // namespace

void CMessageBoxAnswerer::onActivate(HWND window)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || windowText(window) != m_caption)
        return;
    if (std::find(m_seen.begin(), m_seen.end(), window) != m_seen.end())
        return;
    m_seen.push_back(window);

    SBoxParts parts;
    EnumChildWindows(window, collectPart, reinterpret_cast<LPARAM>(&parts));
    m_boxes.push_back({parts.text, GetWindow(window, GW_OWNER), parts.hasIcon});
    if (whileOpen)
        whileOpen();
    HWND button = GetDlgItem(window, m_button);
    if (button != nullptr)
        PostMessageW(button, BM_CLICK, 0, 0);
    else
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(m_button), 0);
}

void ConsoleTest::SetUpTestSuite()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static bool registered = CConsoleWindow::registerClass(instance);
    ASSERT_TRUE(registered);
    registerGraphClass(instance);
    if (s_accelerators == nullptr)
        s_accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(s_accelerators, nullptr);
}

void ConsoleTest::SetUp()
{
    m_console = std::make_unique<CTestConsole>();
}

void ConsoleTest::TearDown()
{
    holdControl(false);
    if (m_console->handle() != nullptr)
        DestroyWindow(m_console->handle());
    pump();
    m_console.reset();
}

void ConsoleTest::open()
{
    HWND window = m_console->create(GetModuleHandleW(nullptr));
    ASSERT_TRUE(IsWindow(window));
    SetWindowPos(window, nullptr, 50, 50, 640, 480, SWP_NOZORDER);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
    pump();
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

void ConsoleTest::typeText(HWND window, const std::wstring& text)
{
    for (wchar_t character : text)
        PostMessageW(window, WM_CHAR, character, 1);
    pump();
}

void ConsoleTest::enterLine(const std::wstring& line)
{
    typeText(inputLine(), line);
    pressKey(inputLine(), VK_RETURN);
}

void ConsoleTest::command(int id)
{
    SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pump();
}

void ConsoleTest::holdControl(bool down)
{
    BYTE state[256];
    GetKeyboardState(state);
    BYTE value = down ? 0x80 : 0;
    state[VK_CONTROL] = value;
    state[VK_LCONTROL] = value;
    SetKeyboardState(state);
}

UINT ConsoleTest::menuState(int id) const
{
    return GetMenuState(GetMenu(mainWindow()), static_cast<UINT>(id), MF_BYCOMMAND);
}
