// The console object: the main window with its input line and output pane, and the engine.
#pragma once

#include "console/input_line.h"
#include "console/output_pane.h"
#include "console/tool_windows.h"
#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "graph/portable/plot_setup.h"
#include "host/tool_window_host.h"
#include "host/window.h"


// The host of the tool windows: they reach the console only through CToolWindowHost.
class CConsoleWindow : public CWindow, public VKCL::CConfirmation, public CToolWindowHost {
public:
    CConsoleWindow();
    ~CConsoleWindow() override;

    // Registers the main window's class "Tallimex"; false when that fails.
    static bool registerClass(HINSTANCE instance);
    // Creates the main window; its WM_CREATE builds the controls, tool windows and font.
    HWND create(HINSTANCE instance);

    VKCL::CCalculator& calculator() noexcept override { return m_calculator; }
    CInputField& inputLine() noexcept override { return m_inputLine; }
    HWND ownerWindow() const noexcept override { return m_window; }
    COutputField& outputPane() noexcept { return m_outputPane; }
    const CToolWindows& toolWindows() const noexcept { return m_toolWindows; }

    // What Enter in the input line and the calculator panel's "Exe" do.
    void executeInputLine() override;
    // What a tool window's menu item and its close box do.
    void toggleToolWindow(ToolWindow which);
    void toggleToolWindow(const CToolWindow& window) override;

    bool confirm(const VKF::CString& question) override;

protected:
    // The engine's entry for one line; a test can stand in for the engine here.
    virtual void runStatement(const VKF::CString& line, VKF::CString& output);

    // Enter, Up and Down in the input line are commands too.
    bool isCommand(UINT message, WPARAM wParam) const noexcept override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException& error) override;

private:
    LRESULT onCreate();
    LRESULT onDestroy();
    LRESULT onSize(int width, int height);
    LRESULT onActivate(WPARAM state);
    LRESULT onCommand(int code, int id);
    LRESULT onExecuteLine();
    LRESULT onRecallOlder();
    LRESULT onRecallNewer();

    // Each menu's commands; false for an id of another menu.
    void onMenuCommand(int id);
    bool onFileCommand(int id);
    bool onEditCommand(int id);
    bool onViewCommand(int id);
    bool onGraphCommand(int id);
    bool onSolveCommand(int id);
    bool onHelpCommand(int id);

    void onFieldChanged(int id);
    void onFieldFocused(int id);
    void onFieldUnfocused();

    void plot(PlotKind kind);
    void openDocumentation();
    void createFont();
    void setFont(HFONT font);

    TEXTMETRICW m_textMetrics{};
    CInputField m_inputLine{*this};
    COutputField m_outputPane{*this};
    bool m_suppressSeparator = true;
    CToolWindows m_toolWindows;
    int m_focusedField = 0;
    HFONT m_font = nullptr;
    VKCL::CCalculator m_calculator{*this};
};
