// The engine object: runs a line, calls a function, reads a variable and the last answer.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/function_call.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CCalculatorState;
class CConfirmation;
class CConstantTable;
class CExpression;
class CFunctionTable;

class CCalculator {
public:
    // The confirmation asks before a name is overwritten; it must outlive the calculator.
    explicit CCalculator(CConfirmation& confirmation);
    ~CCalculator();
    CCalculator(const CCalculator&) = delete;
    CCalculator& operator=(const CCalculator&) = delete;

    // Runs one line: writes "= value", "name = ...", "The name 'x' was unassigned." or
    // "Illegal syntax:  message" into output. Never throws CSyntaxException; running out of
    // memory throws VKF::COutOfMemoryException.
    void executeStatement(const VKF::CString& input, VKF::CString& output);

    // Calls a built-in or user function with evaluated arguments; throws CSyntaxException.
    CValue callFunction(const CFunctionCall& call);

    // Callers that call functions repeatedly empty the active calls after a failed call,
    // which leaves the names of the interrupted calls behind.
    void clearActiveCalls() noexcept;

protected:
    // Views of the engine's state that only checks from outside read (a subclass in
    // tests/engine/engine_test_support.h opens them).

    // The value of a reserved constant or a user variable; throws CSyntaxException.
    CValue lookupVariable(const VKF::CString& name);
    // The value of the last successful expression statement, 0 at first.
    const CValue& answer() const noexcept;
    int32_t activeCallCount() const noexcept;
    // The user's variables and functions.
    const CConstantTable& constants() const noexcept;
    const CFunctionTable& functions() const noexcept;

private:
    // Evaluates an expression against this calculator's names (engine/evaluator.h).
    friend CValue evaluate(CCalculator& calculator, const CExpression& expression, uint32_t start);

    std::unique_ptr<CCalculatorState> m_state;
};

} // namespace VKCL
