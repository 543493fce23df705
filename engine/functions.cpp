// Meaning of names during evaluation: reserved constants, variables, built-in and user functions.
#include "engine/functions.h"

#include <iterator>

#include "engine/calculator.h"
#include "engine/evaluator.h"
#include "engine/language_error.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

const VKF::UChar* const RECURSION_MESSAGE = VKF_T("Recursive functions are not allowed.");

constexpr double PI = 3.141592653589793;
constexpr double EULER = 2.718281828459045;

} // namespace

void appendReservedNames(std::vector<VKF::CString>& names)
{
    static const VKF::UChar* const RESERVED[RESERVED_NAME_COUNT] = {
        VKF_T("pi"), VKF_T("e"), VKF_T("i"), VKF_T("\u03C0"), VKF_T("ans"),
        VKF_T("sqrt"), VKF_T("ln"), VKF_T("sin"), VKF_T("cos"), VKF_T("tan"),
        VKF_T("log"), VKF_T("arcsin"), VKF_T("arccos"), VKF_T("arctan"), VKF_T("sinh"),
        VKF_T("cosh"), VKF_T("tanh"), VKF_T("arcsinh"), VKF_T("arccosh"), VKF_T("arctanh"),
        VKF_T("exp"), VKF_T("abs"), VKF_T("arg"), VKF_T("Im"), VKF_T("Re"),
        VKF_T("E"),
    };
    for (const VKF::UChar* name : RESERVED)
        names.emplace_back(name);
}

VKF::CString arityMessage(CNameView name, uint32_t parameterCount)
{
    VKF::CString message = named(VKF_T("Function '"), name, VKF_T("' takes "));
    message += CValue(double(parameterCount), 0);
    message += parameterCount == 1 ? VKF_T(" parameter.") : VKF_T(" parameters.");
    return message;
}

CValue applyBuiltInFunction(int32_t position, const CValue& argument)
{
    // The operations of positions FIRST_RESERVED_FUNCTION (sqrt) to arg, in list order.
    using COperation = void (*)(CValue&);
    static const COperation OPERATIONS[] = {
        [](CValue& z) { z.sqrt(); },    [](CValue& z) { z.ln(); },      [](CValue& z) { z.sin(); },
        [](CValue& z) { z.cos(); },     [](CValue& z) { z.tan(); },     [](CValue& z) { z.log(); },
        [](CValue& z) { z.arcsin(); },  [](CValue& z) { z.arccos(); },  [](CValue& z) { z.arctan(); },
        [](CValue& z) { z.sinh(); },    [](CValue& z) { z.cosh(); },    [](CValue& z) { z.tanh(); },
        [](CValue& z) { z.arcsinh(); }, [](CValue& z) { z.arccosh(); }, [](CValue& z) { z.arctanh(); },
        [](CValue& z) { z.exp(); },     [](CValue& z) { z.abs(); },     [](CValue& z) { z.arg(); },
    };
    static_assert(FIRST_RESERVED_FUNCTION + int32_t(std::size(OPERATIONS)) == RESERVED_IM);
    if (position == RESERVED_IM)
        return CValue(argument.imaginary(), 0);
    if (position == RESERVED_RE)
        return CValue(argument.real(), 0);
    CValue result = argument;
    OPERATIONS[position - FIRST_RESERVED_FUNCTION](result);
    return result;
}

CValue CCalculator::lookupVariable(const VKF::CString& name)
{
    return VKF::translateOutOfMemory([&] { return variableValue(viewOf(name)); });
}

CValue CCalculator::callFunction(const CFunctionCall& call)
{
    const CValueRange arguments{&call.arguments(), 0, uint32_t(call.arguments().size())};
    return VKF::translateOutOfMemory([&] { return callValue(viewOf(call.name()), arguments); });
}

// Reserved constants come before user variables.
CValue CCalculator::variableValue(CNameView name)
{
    static const CValue pi(PI, 0);
    static const CValue euler(EULER, 0);
    static const CValue imaginaryUnit(0, 1);
    switch (reservedIndex(name, 0)) {
    case RESERVED_PI:
    case RESERVED_GREEK_PI:
        return pi;
    case RESERVED_E_CONSTANT:
        return euler;
    case RESERVED_I:
        return imaginaryUnit;
    case RESERVED_ANS:
        return m_answer;
    default:
        break;
    }
    const int32_t index = m_constants.indexOf(name);
    if (index < 0)
        failNamed(VKF_T("Variable '"), name, VKF_T("' not defined."));
    return m_constants.get(index);
}

CValue CCalculator::callValue(CNameView name, const CValueRange& arguments)
{
    const int32_t position = reservedIndex(name, FIRST_RESERVED_FUNCTION);
    if (position >= 0)
        return callBuiltIn(position, name, arguments);
    const int32_t index = m_functions.indexOf(name);
    if (index < 0)
        failNamed(VKF_T("Function '"), name, VKF_T("' not defined."));
    // The stored body is evaluated in place with the arguments bound from outside: nothing
    // changes the table while a call is in progress.
    const CExpression& body = m_functions.bodyAt(index);
    if (arguments.count != body.parameterCount())
        fail(arityMessage(name, body.parameterCount()));
    for (const int32_t active : m_activeCalls) {
        if (active == index)
            fail(RECURSION_MESSAGE);
    }
    m_activeCalls.push_back(index);
    // A failed body leaves its name behind, to be cleared by the next statement.
    const CValue result = evaluate(*this, body, 0, arguments);
    m_activeCalls.pop_back();
    return result;
}

CValue CCalculator::callBuiltIn(int32_t position, CNameView name, const CValueRange& arguments)
{
    if (position >= RESERVED_E_LETTER)
        failNamed(VKF_T("The reserved name '"), name, VKF_T("' has an undefined behaviour."));
    if (arguments.count != 1)
        fail(arityMessage(name, 1));
    return applyBuiltInFunction(position, arguments[0]);
}

} // namespace VKCL
