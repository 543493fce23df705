// The dialogs' way into the engine: a field's text becomes the body of an auxiliary user function.
#include "graph/portable/auxiliary_function.h"

#include "engine/calculator.h"
#include "engine/function_call.h"
#include "foundation/exception.h"

void runStatement(VKCL::CCalculator& calculator, const VKF::CString& statement)
{
    VKF::CString output;
    calculator.executeStatement(statement, output);
}

void runStatementQuietly(VKCL::CCalculator& calculator, const VKF::CString& statement)
{
    try {
        runStatement(calculator, statement);
    } catch (const VKF::CException&) {
    }
}

VKCL::CValue evaluateAsFunction(VKCL::CCalculator& calculator, const VKF::CString& name, const VKF::CString& text)
{
    runStatement(calculator, name + VKF_T("()=") + text);
    return calculator.callFunction(VKCL::CFunctionCall(name));
}
