// The console's input line (CInputField): its key handler, the history of executed lines, and
// the typing of the panels.
#pragma once

#include "console/edit.h"
#include "host/tool_window_host.h"

#include <cstdint>
#include <vector>

// Private messages of the input line's key handler.
inline constexpr UINT WM_INSTALL_KEY_HANDLER = WM_USER + 1; // to the input line itself
inline constexpr UINT WM_EXECUTE_LINE = WM_USER + 2;        // to the main window, on Enter
inline constexpr UINT WM_RECALL_OLDER = WM_USER + 3;        // to the main window, on Up
inline constexpr UINT WM_RECALL_NEWER = WM_USER + 4;        // to the main window, on Down

class CInputField : public CEdit, public CToolWindowHost::CInputLine {
public:
    using CEdit::CEdit;

    void create() override;

    void insert(const wchar_t* text) override;
    void moveCaret(int units) override;
    void clear() override;
    void focus() override;

    // Appends an executed line to the history and ends browsing.
    void remember(const VKF::CString& line);
    void recallOlder();
    void recallNewer();
    // EN_CHANGE: a change the history did not make itself ends browsing.
    void onChanged() noexcept;

private:
    // The tests read the history through it; nothing else needs to.
    friend class CInputLineInspector;

    enum class Direction : uint8_t { None = 0, Up = 1, Down = 2 };

    static LRESULT CALLBACK keyHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void showEntry(int32_t index);
    void stopBrowsing() noexcept;

    std::vector<VKF::CString> m_history;
    int32_t m_stepsBack = 0;
    Direction m_lastDirection = Direction::None;
    bool m_recalled = false;
    WNDPROC m_previousProcedure = nullptr;
};
