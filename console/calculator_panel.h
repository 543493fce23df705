// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#pragma once

#include "host/tool_window.h"

class CCalculatorPanel : public CToolWindow {
public:
    explicit CCalculatorPanel(CToolWindowHost& host) noexcept : CToolWindow(host) {}

protected:
    INT_PTR onCommand(int code, int id, HWND control) override;
    void onError(const VKF::CException& error) override;

private:
    void execute();
};
