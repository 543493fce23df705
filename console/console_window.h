// The console object: the main window with its input line and output pane, and the engine.
#pragma once

#include "console/input_field.h"
#include "console/output_field.h"
#include "console/tool_windows.h"
#include "console/window.h"
#include "engine/calculator.h"
#include "engine/confirmation.h"

#include <cstdint>
#include <memory>

class CConsoleWindow : public CWindow, public VKCL::CConfirmation {
public:
    CConsoleWindow();
    ~CConsoleWindow() override;

    // Registers the main window's class "Tallimex"; false when that fails.
    static bool registerClass(HINSTANCE instance);
    // Creates the main window; its WM_CREATE builds the controls, tool windows and font.
    HWND create(HINSTANCE instance);

    VKCL::CCalculator& calculator() noexcept { return m_calculator; }
    CInputField& inputLine() noexcept { return m_inputLine; }
    COutputField& outputPane() noexcept { return m_outputPane; }
    const CToolWindows& toolWindows() const noexcept { return m_toolWindows; }
    // Character height of the main window's device context, which the layout uses.
    int characterHeight() const noexcept { return m_textMetrics.tmHeight; }
    // IDC_INPUT_LINE or IDC_OUTPUT_PANE while that control has the focus, else 0.
    int focusedField() const noexcept { return m_focusedField; }

    // What Enter in the input line and the calculator panel's "Exe" do.
    void executeInputLine();
    // What the tool window's menu item and its close box do.
    void toggleToolWindow(TToolWindow which);

    // True while a confirmation question is open in the middle of a statement.
    bool isEngineBusy() const noexcept { return m_engineBusy; }

    bool confirm(const VKF::CString& question) override;

protected:
    // The engine's entry for one line; a test can stand in for the engine here.
    virtual void runStatement(const VKF::CString& line, VKF::CString& output);
    // Builds one tool window while the main window is created; null while it does not exist.
    virtual std::unique_ptr<CDialog> createToolWindow(TToolWindow which);

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException& error) override;

private:
    friend class CEngineWork;

    LRESULT onCreate();
    LRESULT onDestroy();
    LRESULT onSize(int width, int height);
    LRESULT onActivate(WPARAM state);
    LRESULT onCommand(int code, int id);
    LRESULT onExecuteLine();
    LRESULT onRecallOlder();
    LRESULT onRecallNewer();

    void onMenuCommand(int id);
    void onFileCommand(int id);
    void onEditCommand(int id);
    void onViewCommand(int id);
    void onGraphCommand(int id);
    void onSolveCommand(int id);
    void onHelpCommand(int id);

    void onFieldChanged(int id);
    void onFieldFocused(int id);
    void onFieldUnfocused();

    void openDocumentation();
    void onPlot(uint8_t kind);
    void runPlotSetup(uint8_t kind);
    void createFont();
    void setFont(HFONT font);

    TEXTMETRICW m_textMetrics{};
    CInputField m_inputLine{*this};
    COutputField m_outputPane{*this};
    bool m_suppressSeparator = true;
    CToolWindows m_toolWindows;
    int m_focusedField = 0;
    HFONT m_font = nullptr;
    bool m_engineBusy = false;
    VKCL::CCalculator m_calculator{*this};
};

// Marks engine work that the user interface starts. The engine is not re-entrant, and its
// confirmation question runs a nested message loop in the middle of a statement: every user action
// that reaches the engine takes one of these first and does nothing when it is refused.
class CEngineWork {
public:
    explicit CEngineWork(CConsoleWindow& console) noexcept;
    ~CEngineWork();
    CEngineWork(const CEngineWork&) = delete;
    CEngineWork& operator=(const CEngineWork&) = delete;

    bool refused() const noexcept { return !m_started; }

private:
    CConsoleWindow& m_console;
    bool m_started;
};
