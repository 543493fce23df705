// Answers the dialogs that open while a test waits inside a modal loop.
#include "dialog_watcher.h"

#include <algorithm>

namespace {

std::wstring textOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

struct SParts {
    std::wstring text;
    bool hasIcon = false;
};

BOOL CALLBACK collectPart(HWND child, LPARAM parameter)
{
    auto* parts = reinterpret_cast<SParts*>(parameter);
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"Static") != 0)
        return TRUE;
    LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON)
        parts->hasIcon = parts->hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
    else if (parts->text.empty())
        parts->text = textOf(child);
    return TRUE;
}

BOOL CALLBACK rememberExisting(HWND window, LPARAM parameter)
{
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

} // namespace

void clickButton(HWND dialog, int button)
{
    HWND control = GetDlgItem(dialog, button);
    if (control != nullptr)
        PostMessageW(control, BM_CLICK, 0, 0);
    else
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

// Dialogs that exist already (the tool windows) are not the ones to answer.
CDialogWatcher::CDialogWatcher() : m_hook(SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId()))
{
    EnumThreadWindows(GetCurrentThreadId(), rememberExisting, reinterpret_cast<LPARAM>(&m_seen));
    s_current = this;
}

CDialogWatcher::~CDialogWatcher()
{
    UnhookWindowsHookEx(m_hook);
    for (auto& pending : m_pending)
        KillTimer(nullptr, pending.first);
    s_current = nullptr;
}

void CDialogWatcher::on(const std::wstring& caption, Action action)
{
    for (SRule& rule : m_rules) {
        if (rule.caption == caption) {
            rule.actions.push_back(std::move(action));
            return;
        }
    }
    m_rules.push_back({caption, {std::move(action)}});
}

size_t CDialogWatcher::count(const std::wstring& caption) const
{
    return static_cast<size_t>(std::count_if(m_dialogs.begin(), m_dialogs.end(),
                                             [&](const SDialog& dialog) { return dialog.caption == caption; }));
}

CDialogWatcher::Action CDialogWatcher::pressing(int button)
{
    return [button](HWND dialog) { clickButton(dialog, button); };
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
    if (std::wstring(className) != L"#32770")
        return;
    if (std::find(m_seen.begin(), m_seen.end(), window) != m_seen.end())
        return;
    m_seen.push_back(window);

    SParts parts;
    EnumChildWindows(window, collectPart, reinterpret_cast<LPARAM>(&parts));
    std::wstring caption = textOf(window);
    m_dialogs.push_back({caption, parts.text, GetWindow(window, GW_OWNER), parts.hasIcon});

    Action action;
    for (SRule& rule : m_rules) {
        if (rule.caption == caption) {
            action = rule.actions[std::min(rule.used, rule.actions.size() - 1)];
            ++rule.used;
        }
    }
    if (!action) {
        action = [](HWND dialog) {
            for (int button : {IDOK, IDCANCEL, IDNO}) {
                if (GetDlgItem(dialog, button) != nullptr) {
                    clickButton(dialog, button);
                    return;
                }
            }
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        };
    }
    // The dialog may still be finishing its set-up: act once its loop runs.
    UINT_PTR timer = SetTimer(nullptr, 0, 50, onTimer);
    m_pending.emplace_back(timer, [action, window] {
        if (IsWindow(window))
            action(window);
    });
}

void CALLBACK CDialogWatcher::onTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (s_current == nullptr)
        return;
    auto& pending = s_current->m_pending;
    auto found = std::find_if(pending.begin(), pending.end(), [&](const auto& entry) { return entry.first == timer; });
    if (found == pending.end())
        return;
    std::function<void()> run = std::move(found->second);
    pending.erase(found);
    run();
}
