// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#include "console/calculator_panel.h"

#include "console/console_window.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"

namespace {

enum class TButtonAction { INSERT, INSERT_CALL, EXECUTE, CLEAR };

struct SButton {
    int id;
    TButtonAction action;
    const wchar_t* text; // what INSERT and INSERT_CALL type
};

const SButton BUTTONS[] = {
    {IDC_CALC_0, TButtonAction::INSERT, L"0"},
    {IDC_CALC_1, TButtonAction::INSERT, L"1"},
    {IDC_CALC_2, TButtonAction::INSERT, L"2"},
    {IDC_CALC_3, TButtonAction::INSERT, L"3"},
    {IDC_CALC_4, TButtonAction::INSERT, L"4"},
    {IDC_CALC_5, TButtonAction::INSERT, L"5"},
    {IDC_CALC_6, TButtonAction::INSERT, L"6"},
    {IDC_CALC_7, TButtonAction::INSERT, L"7"},
    {IDC_CALC_8, TButtonAction::INSERT, L"8"},
    {IDC_CALC_9, TButtonAction::INSERT, L"9"},
    {IDC_CALC_I, TButtonAction::INSERT, L"i"},
    {IDC_CALC_POINT, TButtonAction::INSERT, L"."},
    {IDC_CALC_DIVIDE, TButtonAction::INSERT, L"/"},
    {IDC_CALC_MULTIPLY, TButtonAction::INSERT, L"*"},
    {IDC_CALC_MINUS, TButtonAction::INSERT, L"-"},
    {IDC_CALC_PLUS, TButtonAction::INSERT, L"+"},
    {IDC_CALC_ASSIGN, TButtonAction::INSERT, L"="},
    {IDC_CALC_POWER, TButtonAction::INSERT, L"^"},
    {IDC_CALC_LEFT_PAREN, TButtonAction::INSERT, L"("},
    {IDC_CALC_RIGHT_PAREN, TButtonAction::INSERT, L")"},
    {IDC_CALC_PI, TButtonAction::INSERT, L"\u03C0"},
    {IDC_CALC_SQUARE, TButtonAction::INSERT, L"^2"},
    {IDC_CALC_ANS, TButtonAction::INSERT, L"ans"},
    {IDC_CALC_EXP, TButtonAction::INSERT_CALL, L"exp()"},
    {IDC_CALC_LN, TButtonAction::INSERT_CALL, L"ln()"},
    {IDC_CALC_SQRT, TButtonAction::INSERT_CALL, L"sqrt()"},
    {IDC_CALC_ABS, TButtonAction::INSERT_CALL, L"abs()"},
    {IDC_CALC_ARG, TButtonAction::INSERT_CALL, L"arg()"},
    {IDC_CALC_RE, TButtonAction::INSERT_CALL, L"Re()"},
    {IDC_CALC_IM, TButtonAction::INSERT_CALL, L"Im()"},
    {IDC_CALC_SIN, TButtonAction::INSERT_CALL, L"sin()"},
    {IDC_CALC_COS, TButtonAction::INSERT_CALL, L"cos()"},
    {IDC_CALC_TAN, TButtonAction::INSERT_CALL, L"tan()"},
    {IDC_CALC_ARCSIN, TButtonAction::INSERT_CALL, L"arcsin()"},
    {IDC_CALC_ARCCOS, TButtonAction::INSERT_CALL, L"arccos()"},
    {IDC_CALC_ARCTAN, TButtonAction::INSERT_CALL, L"arctan()"},
    {IDC_CALC_SINH, TButtonAction::INSERT_CALL, L"sinh()"},
    {IDC_CALC_COSH, TButtonAction::INSERT_CALL, L"cosh()"},
    {IDC_CALC_TANH, TButtonAction::INSERT_CALL, L"tanh()"},
    {IDC_CALC_ARCSINH, TButtonAction::INSERT_CALL, L"arcsinh()"},
    {IDC_CALC_ARCCOSH, TButtonAction::INSERT_CALL, L"arccosh()"},
    {IDC_CALC_ARCTANH, TButtonAction::INSERT_CALL, L"arctanh()"},
    {IDC_CALC_EXE, TButtonAction::EXECUTE, nullptr},
    {IDC_CALC_CLEAR, TButtonAction::CLEAR, nullptr},
};

const wchar_t* const ERROR_TITLE = L"Error";

} // namespace

std::unique_ptr<CDialog> CCalculatorPanel::create(CConsoleWindow& console)
{
    auto panel = std::make_unique<CCalculatorPanel>(console);
    panel->createModeless(IDD_CALCULATOR_PANEL, console.handle());
    return panel;
}

// Only clicks (notification 0) land in the panel's id range; every other message is left alone.
INT_PTR CCalculatorPanel::onMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE: m_console.toggleToolWindow(TToolWindow::CALCULATOR_PANEL); return TRUE;
    case WM_COMMAND:
        if (wParam < WPARAM(IDC_CALC_FIRST) || wParam > WPARAM(IDC_CALC_LAST))
            return FALSE;
        onButton(static_cast<int>(wParam));
        return TRUE;
    default: return FALSE;
    }
}

// Errors of the line reach the same box as when Enter executes it.
void CCalculatorPanel::onError(const VKF::CException& error)
{
    showErrorBox(m_console.handle(), error, ERROR_TITLE, MB_ICONERROR);
}

// Ids inside the range without a button only move the focus.
void CCalculatorPanel::onButton(int id)
{
    for (const SButton& button : BUTTONS) {
        if (button.id != id)
            continue;
        switch (button.action) {
        case TButtonAction::INSERT: insert(button.text); break;
        case TButtonAction::INSERT_CALL:
            insert(button.text);
            // The caret goes back between the parentheses, ready for the argument.
            SendMessageW(m_console.inputLine().handle(), WM_KEYDOWN, VK_LEFT, 0);
            break;
        case TButtonAction::EXECUTE: execute(); break;
        case TButtonAction::CLEAR: m_console.inputLine().setText(VKF::CString()); break;
        }
        break;
    }
    SetFocus(m_console.inputLine().handle());
}

// Replaces the input line's selection, or inserts at its caret; the edit can be undone.
void CCalculatorPanel::insert(const wchar_t* text)
{
    SendMessageW(m_console.inputLine().handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void CCalculatorPanel::execute()
{
    try {
        m_console.executeInputLine();
    } catch (const VKF::CException& error) {
        onError(error);
    }
}
