// Answers the dialogs that open while a test waits inside a modal loop: message boxes, the save
// dialog, the About box. A thread-local CBT hook sees each dialog as it is activated; what the test
// wants done with it runs a moment later from a thread timer, inside the dialog's own loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CDialogWatcher {
public:
    struct SDialog {
        std::wstring caption;
        std::wstring text; // a message box's message
        HWND owner;
        bool hasIcon;
    };
    using Action = std::function<void(HWND dialog)>;

    CDialogWatcher();
    ~CDialogWatcher();
    CDialogWatcher(const CDialogWatcher&) = delete;
    CDialogWatcher& operator=(const CDialogWatcher&) = delete;

    // What to do with each dialog of that caption, in turn; the last action repeats. Dialogs
    // without an action are closed with their first button of IDOK, IDCANCEL, IDNO.
    void on(const std::wstring& caption, Action action);
    // Clicks button in each dialog of that caption.
    void answer(const std::wstring& caption, int button) { on(caption, pressing(button)); }

    const std::vector<SDialog>& dialogs() const noexcept { return m_dialogs; }
    size_t count(const std::wstring& caption) const;

    static Action pressing(int button);

private:
    struct SRule {
        std::wstring caption;
        std::vector<Action> actions;
        size_t used = 0;
    };

    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR timer, DWORD);
    void onActivate(HWND window);

    HHOOK m_hook;
    std::vector<SRule> m_rules;
    std::vector<HWND> m_seen;
    std::vector<SDialog> m_dialogs;
    std::vector<std::pair<UINT_PTR, std::function<void()>>> m_pending;
    static inline CDialogWatcher* s_current = nullptr;
};

// Clicks a button of a dialog as a user would: BM_CLICK, posted.
void clickButton(HWND dialog, int button);
