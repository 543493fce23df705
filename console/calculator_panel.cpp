// The calculator panel: buttons that type into the console's input line, and "Exe" and "Clear".
#include "console/calculator_panel.h"

#include "foundation/dialog_message.h"
#include "foundation/exception.h"
#include "resources/resource_ids.h"

namespace {

enum class ButtonAction { Insert, InsertCall, Execute, Clear };

struct CButton {
    int id;
    ButtonAction action;
    const wchar_t* text; // what Insert and InsertCall type
};

const CButton BUTTONS[] = {
    {IDC_CALC_0, ButtonAction::Insert, L"0"},
    {IDC_CALC_1, ButtonAction::Insert, L"1"},
    {IDC_CALC_2, ButtonAction::Insert, L"2"},
    {IDC_CALC_3, ButtonAction::Insert, L"3"},
    {IDC_CALC_4, ButtonAction::Insert, L"4"},
    {IDC_CALC_5, ButtonAction::Insert, L"5"},
    {IDC_CALC_6, ButtonAction::Insert, L"6"},
    {IDC_CALC_7, ButtonAction::Insert, L"7"},
    {IDC_CALC_8, ButtonAction::Insert, L"8"},
    {IDC_CALC_9, ButtonAction::Insert, L"9"},
    {IDC_CALC_I, ButtonAction::Insert, L"i"},
    {IDC_CALC_POINT, ButtonAction::Insert, L"."},
    {IDC_CALC_DIVIDE, ButtonAction::Insert, L"/"},
    {IDC_CALC_MULTIPLY, ButtonAction::Insert, L"*"},
    {IDC_CALC_MINUS, ButtonAction::Insert, L"-"},
    {IDC_CALC_PLUS, ButtonAction::Insert, L"+"},
    {IDC_CALC_ASSIGN, ButtonAction::Insert, L"="},
    {IDC_CALC_POWER, ButtonAction::Insert, L"^"},
    {IDC_CALC_LEFT_PAREN, ButtonAction::Insert, L"("},
    {IDC_CALC_RIGHT_PAREN, ButtonAction::Insert, L")"},
    {IDC_CALC_PI, ButtonAction::Insert, L"\u03C0"},
    {IDC_CALC_SQUARE, ButtonAction::Insert, L"^2"},
    {IDC_CALC_ANS, ButtonAction::Insert, L"ans"},
    {IDC_CALC_EXP, ButtonAction::InsertCall, L"exp()"},
    {IDC_CALC_LN, ButtonAction::InsertCall, L"ln()"},
    {IDC_CALC_SQRT, ButtonAction::InsertCall, L"sqrt()"},
    {IDC_CALC_ABS, ButtonAction::InsertCall, L"abs()"},
    {IDC_CALC_ARG, ButtonAction::InsertCall, L"arg()"},
    {IDC_CALC_RE, ButtonAction::InsertCall, L"Re()"},
    {IDC_CALC_IM, ButtonAction::InsertCall, L"Im()"},
    {IDC_CALC_SIN, ButtonAction::InsertCall, L"sin()"},
    {IDC_CALC_COS, ButtonAction::InsertCall, L"cos()"},
    {IDC_CALC_TAN, ButtonAction::InsertCall, L"tan()"},
    {IDC_CALC_ARCSIN, ButtonAction::InsertCall, L"arcsin()"},
    {IDC_CALC_ARCCOS, ButtonAction::InsertCall, L"arccos()"},
    {IDC_CALC_ARCTAN, ButtonAction::InsertCall, L"arctan()"},
    {IDC_CALC_SINH, ButtonAction::InsertCall, L"sinh()"},
    {IDC_CALC_COSH, ButtonAction::InsertCall, L"cosh()"},
    {IDC_CALC_TANH, ButtonAction::InsertCall, L"tanh()"},
    {IDC_CALC_ARCSINH, ButtonAction::InsertCall, L"arcsinh()"},
    {IDC_CALC_ARCCOSH, ButtonAction::InsertCall, L"arccosh()"},
    {IDC_CALC_ARCTANH, ButtonAction::InsertCall, L"arctanh()"},
    {IDC_CALC_EXE, ButtonAction::Execute, nullptr},
    {IDC_CALC_CLEAR, ButtonAction::Clear, nullptr},
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
        case ButtonAction::Insert: inputLine.insert(button.text); break;
        case ButtonAction::InsertCall:
            inputLine.insert(button.text);
            // The caret goes back between the parentheses, ready for the argument.
            inputLine.moveCaret(-1);
            break;
        case ButtonAction::Execute: execute(); break;
        case ButtonAction::Clear: inputLine.clear(); break;
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
