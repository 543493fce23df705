// The engine object and its state: the reserved names, variable look-up and function calls.
#include "engine/calculator.h"

#include "engine/calculator_state.h"
#include "engine/confirmation.h"
#include "engine/function_call.h"
#include "engine/functions.h"
#include "engine/language_error.h"
#include "engine/statements.h"
#include "foundation/exception.h"

namespace VKCL {

namespace {

const VKF::UChar* const RECURSION_MESSAGE = VKF_T("Recursive functions are not allowed.");

constexpr double PI = 3.141592653589793;
constexpr double EULER = 2.718281828459045;

} // namespace

CCalculator::CCalculator(CConfirmation& confirmation) : m_state(std::make_unique<CCalculatorState>(confirmation))
{
}

CCalculator::~CCalculator() = default;

void CCalculator::executeStatement(const VKF::CString& input, VKF::CString& output)
{
    m_state->activeCalls.clear();
    VKF::translateOutOfMemory([&] { executeLine(*m_state, input, output); });
}

CValue CCalculator::callFunction(const CFunctionCall& call)
{
    const CValueRange arguments{&call.arguments(), 0, uint32_t(call.arguments().size())};
    return VKF::translateOutOfMemory([&] { return m_state->callValue(viewOf(call.name()), arguments); });
}

CValue CCalculator::lookupVariable(const VKF::CString& name)
{
    return VKF::translateOutOfMemory([&] { return m_state->variableValue(viewOf(name)); });
}

const CValue& CCalculator::answer() const noexcept
{
    return m_state->answer;
}

void CCalculator::clearActiveCalls() noexcept
{
    m_state->activeCalls.clear();
}

int32_t CCalculator::activeCallCount() const noexcept
{
    return int32_t(m_state->activeCalls.size());
}

const CConstantTable& CCalculator::constants() const noexcept
{
    return m_state->constants;
}

const CFunctionTable& CCalculator::functions() const noexcept
{
    return m_state->functions;
}

CCalculatorState::CCalculatorState(CConfirmation& confirmation) : m_confirmation(confirmation)
{
    appendReservedNames(m_reservedNames);
    // The list never changes again, so views into its strings stay valid.
    for (const VKF::CString& name : m_reservedNames) {
        m_reservedViews.push_back(viewOf(name));
        m_reservedLengths |= 1u << name.length();
    }
}

int32_t CCalculatorState::reservedIndex(CNameView name, int32_t first) const noexcept
{
    if (name.size() >= 32 || (m_reservedLengths & (1u << name.size())) == 0)
        return -1;
    const auto count = int32_t(m_reservedViews.size());
    for (int32_t position = first; position < count; ++position) {
        const CNameView reserved = m_reservedViews[std::size_t(position)];
        if (reserved.size() == name.size() && reserved[0] == name[0] && reserved == name)
            return position;
    }
    return -1;
}

bool CCalculatorState::confirm(const VKF::CString& question)
{
    return m_confirmation.confirm(question);
}

CValue CCalculatorState::variableValue(CNameView name)
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
        return answer;
    default:
        break;
    }
    const int32_t index = constants.indexOf(name);
    if (index < 0)
        failNamed(VKF_T("Variable '"), name, VKF_T("' not defined."));
    return constants.get(index);
}

CValue CCalculatorState::callValue(CNameView name, const CValueRange& arguments)
{
    const int32_t position = reservedIndex(name, FIRST_RESERVED_FUNCTION);
    if (position >= 0)
        return callBuiltIn(position, name, arguments);
    const int32_t index = functions.indexOf(name);
    if (index < 0)
        failNamed(VKF_T("Function '"), name, VKF_T("' not defined."));
    // The stored body is evaluated in place with the arguments bound from outside: nothing
    // changes the table while a call is in progress.
    const CExpression& body = functions.bodyAt(index);
    if (arguments.count != body.parameterCount())
        fail(arityMessage(name, body.parameterCount()));
    for (const int32_t active : activeCalls) {
        if (active == index)
            fail(RECURSION_MESSAGE);
    }
    activeCalls.push_back(index);
    // A failed body leaves its name behind, to be cleared by the next statement.
    const CValue result = evaluate(*this, body, 0, arguments);
    activeCalls.pop_back();
    return result;
}

CValue CCalculatorState::callBuiltIn(int32_t position, CNameView name, const CValueRange& arguments)
{
    if (position >= RESERVED_E_LETTER)
        failNamed(VKF_T("The reserved name '"), name, VKF_T("' has an undefined behaviour."));
    if (arguments.count != 1)
        fail(arityMessage(name, 1));
    return applyBuiltInFunction(position, arguments[0]);
}

} // namespace VKCL
