// The Greek letters panel: one button per letter, in lower or upper case, typing into the input line.
#pragma once

#include "host/tool_window.h"

#include <memory>

class CGreekLettersPanel : public CToolWindow {
public:
    explicit CGreekLettersPanel(CToolWindowHost& host) noexcept : CToolWindow(host) {}

    // The panel as a hidden modeless dialog owned by the host's window, in lower case.
    static std::unique_ptr<CToolWindow> create(CToolWindowHost& host);

protected:
    INT_PTR onInit() override;
    INT_PTR onCommand(int code, int id, HWND control) override;
    void onError(const VKF::CException&) override {}

private:
    void showCase(bool upper);
    void insertLetter(int id);
};
