// The Greek letters panel: one button per letter, in lower or upper case, typing into the input line.
#pragma once

#include "host/tool_window.h"

class CGreekLettersPanel : public CToolWindow {
public:
    explicit CGreekLettersPanel(CToolWindowHost& host) noexcept : CToolWindow(host) {}

protected:
    INT_PTR onInit() override;
    INT_PTR onCommand(int code, int id, HWND control) override;
    void onError(const VKF::CException&) override {}

private:
    void showCase(bool upper);
    void insertLetter(int id);
};
