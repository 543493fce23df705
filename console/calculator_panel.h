// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#pragma once

#include "host/tool_window.h"

#include <memory>

class CCalculatorPanel : public CToolWindow {
public:
    explicit CCalculatorPanel(CToolWindowHost& host) noexcept : CToolWindow(host) {}

    // The panel as a hidden modeless dialog owned by the host's window.
    static std::unique_ptr<CToolWindow> create(CToolWindowHost& host);

protected:
    INT_PTR onCommand(int code, int id, HWND control) override;
    void onError(const VKF::CException& error) override;

private:
    void execute();
};
