// The way the dialogs and the solvers hand a field's text or a formula to the engine.
#include "engine/auxiliary_function.h"

#include "engine/calculator.h"
#include "engine/function_call.h"
#include "foundation/exception.h"

namespace VKCL {

void CAuxiliaryFunction::define(const VKF::CString& parameters, const VKF::CString& body)
{
    forget();
    VKF::CString output;
    m_calculator.executeStatement(m_name + VKF_T("(") + parameters + VKF_T(")=") + body, output);
}

CValue CAuxiliaryFunction::call(const std::vector<CValue>& arguments)
{
    CFunctionCall call(m_name);
    for (const CValue& argument : arguments)
        call.addArgument(argument);
    return m_calculator.callFunction(call);
}

CValue CAuxiliaryFunction::evaluate(const VKF::CString& text)
{
    define(VKF::CString(), text);
    return call();
}

void CAuxiliaryFunction::forget()
{
    VKF::CString output;
    try {
        m_calculator.executeStatement(m_name + VKF_T("=?"), output);
    } catch (const VKF::CException&) {
    }
}

} // namespace VKCL
