// The Greek letters panel: one button per letter, in lower or upper case, typing into the input line.
#pragma once

#include "console/window.h"

#include <memory>

class CConsoleWindow;

class CGreekLettersPanel : public CDialog {
public:
    explicit CGreekLettersPanel(CConsoleWindow& console) noexcept : m_console(console) {}

    // The panel as a hidden modeless dialog owned by the main window, in lower case.
    static std::unique_ptr<CDialog> create(CConsoleWindow& console);

protected:
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onError(const VKF::CException&) override {}

private:
    INT_PTR onInitDialog();
    INT_PTR onCommand(int code, int id);
    void showCase(bool upper);
    void insertLetter(int id);

    CConsoleWindow& m_console;
};
