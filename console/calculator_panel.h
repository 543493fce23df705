// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#pragma once

#include "console/window.h"

#include <memory>

class CConsoleWindow;

class CCalculatorPanel : public CDialog {
public:
    explicit CCalculatorPanel(CConsoleWindow& console) noexcept : m_console(console) {}

    // The panel as a hidden modeless dialog owned by the main window.
    static std::unique_ptr<CDialog> create(CConsoleWindow& console);

protected:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException& error) override;

private:
    void onButton(int id);
    void insert(const wchar_t* text);
    void execute();

    CConsoleWindow& m_console;
};
