// The way the dialogs and the solvers hand a field's text or a formula to the engine.
#pragma once

#include <vector>

#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CCalculator;

// A user function that the program itself defines under a name of its own (an ordinary name that
// begins with underscores), calls and forgets. The definition runs through executeStatement as a
// typed line would: a text the engine refuses leaves the name undefined or malformed, and the call
// then fails with the engine's message.
class CAuxiliaryFunction {
public:
    CAuxiliaryFunction(CCalculator& calculator, const VKF::UChar* name) : m_calculator(calculator), m_name(name) {}

    const VKF::CString& name() const noexcept { return m_name; }

    // Forgets the name, so that no reassignment question can come, then defines
    // name(parameters)=body. Throws VKF::CException only when out of memory.
    void define(const VKF::CString& parameters, const VKF::CString& body);
    // Calls the function with the arguments; throws VKF::CException with the engine's message.
    CValue call(const std::vector<CValue>& arguments = {});
    // Defines text as the body of name() and calls it.
    CValue evaluate(const VKF::CString& text);
    // Unassigns the name, ignoring whatever that reports or throws.
    void forget();

private:
    CCalculator& m_calculator;
    VKF::CString m_name;
};

} // namespace VKCL
