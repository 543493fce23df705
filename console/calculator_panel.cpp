// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#include "console/calculator_panel.h"

#include "foundation/dialog_message.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"

namespace {

enum class EButtonAction { INSERT, INSERT_CALL, EXECUTE, CLEAR };

struct CButton {
    int id;
    EButtonAction action;
    const wchar_t* text; // what INSERT and INSERT_CALL type
};

const CButton BUTTONS[] = {
    {IDC_CALC_0, EButtonAction::INSERT, L"0"},
    {IDC_CALC_1, EButtonAction::INSERT, L"1"},
    {IDC_CALC_2, EButtonAction::INSERT, L"2"},
    {IDC_CALC_3, EButtonAction::INSERT, L"3"},
    {IDC_CALC_4, EButtonAction::INSERT, L"4"},
    {IDC_CALC_5, EButtonAction::INSERT, L"5"},
    {IDC_CALC_6, EButtonAction::INSERT, L"6"},
    {IDC_CALC_7, EButtonAction::INSERT, L"7"},
    {IDC_CALC_8, EButtonAction::INSERT, L"8"},
    {IDC_CALC_9, EButtonAction::INSERT, L"9"},
    {IDC_CALC_I, EButtonAction::INSERT, L"i"},
    {IDC_CALC_POINT, EButtonAction::INSERT, L"."},
    {IDC_CALC_DIVIDE, EButtonAction::INSERT, L"/"},
    {IDC_CALC_MULTIPLY, EButtonAction::INSERT, L"*"},
    {IDC_CALC_MINUS, EButtonAction::INSERT, L"-"},
    {IDC_CALC_PLUS, EButtonAction::INSERT, L"+"},
    {IDC_CALC_ASSIGN, EButtonAction::INSERT, L"="},
    {IDC_CALC_POWER, EButtonAction::INSERT, L"^"},
    {IDC_CALC_LEFT_PAREN, EButtonAction::INSERT, L"("},
    {IDC_CALC_RIGHT_PAREN, EButtonAction::INSERT, L")"},
    {IDC_CALC_PI, EButtonAction::INSERT, L"\u03C0"},
    {IDC_CALC_SQUARE, EButtonAction::INSERT, L"^2"},
    {IDC_CALC_ANS, EButtonAction::INSERT, L"ans"},
    {IDC_CALC_EXP, EButtonAction::INSERT_CALL, L"exp()"},
    {IDC_CALC_LN, EButtonAction::INSERT_CALL, L"ln()"},
    {IDC_CALC_SQRT, EButtonAction::INSERT_CALL, L"sqrt()"},
    {IDC_CALC_ABS, EButtonAction::INSERT_CALL, L"abs()"},
    {IDC_CALC_ARG, EButtonAction::INSERT_CALL, L"arg()"},
    {IDC_CALC_RE, EButtonAction::INSERT_CALL, L"Re()"},
    {IDC_CALC_IM, EButtonAction::INSERT_CALL, L"Im()"},
    {IDC_CALC_SIN, EButtonAction::INSERT_CALL, L"sin()"},
    {IDC_CALC_COS, EButtonAction::INSERT_CALL, L"cos()"},
    {IDC_CALC_TAN, EButtonAction::INSERT_CALL, L"tan()"},
    {IDC_CALC_ARCSIN, EButtonAction::INSERT_CALL, L"arcsin()"},
    {IDC_CALC_ARCCOS, EButtonAction::INSERT_CALL, L"arccos()"},
    {IDC_CALC_ARCTAN, EButtonAction::INSERT_CALL, L"arctan()"},
    {IDC_CALC_SINH, EButtonAction::INSERT_CALL, L"sinh()"},
    {IDC_CALC_COSH, EButtonAction::INSERT_CALL, L"cosh()"},
    {IDC_CALC_TANH, EButtonAction::INSERT_CALL, L"tanh()"},
    {IDC_CALC_ARCSINH, EButtonAction::INSERT_CALL, L"arcsinh()"},
    {IDC_CALC_ARCCOSH, EButtonAction::INSERT_CALL, L"arccosh()"},
    {IDC_CALC_ARCTANH, EButtonAction::INSERT_CALL, L"arctanh()"},
    {IDC_CALC_EXE, EButtonAction::EXECUTE, nullptr},
    {IDC_CALC_CLEAR, EButtonAction::CLEAR, nullptr},
};


} // namespace

// Only clicks land in the panel's id range; ids inside it without a button only move the focus.
INT_PTR CCalculatorPanel::onCommand(int code, int id, HWND)
{
    if (code != BN_CLICKED || id < IDC_CALC_FIRST || id > IDC_CALC_LAST)
        return FALSE;
    CToolWindowHost::CInputLine& inputLine = m_host.inputLine();
    for (const CButton& button : BUTTONS) {
        if (button.id != id)
            continue;
        switch (button.action) {
        case EButtonAction::INSERT: inputLine.insert(button.text); break;
        case EButtonAction::INSERT_CALL:
            inputLine.insert(button.text);
            // The caret goes back between the parentheses, ready for the argument.
            inputLine.moveCaret(-1);
            break;
        case EButtonAction::EXECUTE: execute(); break;
        case EButtonAction::CLEAR: inputLine.clear(); break;
        }
        break;
    }
    inputLine.focus();
    return TRUE;
}

// Errors of the line reach the same box as when Enter executes it.
void CCalculatorPanel::onError(const VKF::CException& error)
{
    showErrorBox(m_host.ownerWindow(), error, ERROR_TITLE, MB_ICONERROR);
}

void CCalculatorPanel::execute()
{
    try {
        m_host.executeInputLine();
    } catch (const VKF::CException& error) {
        onError(error);
    }
}
