// The engine object: the symbol tables, the reserved names, the active calls and the answer.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/confirmation.h"
#include "engine/evaluator.h"
#include "engine/expression.h"
#include "engine/function_call.h"
#include "engine/tables.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CCalculator {
public:
    // The confirmation asks before a name is overwritten; it must outlive the calculator.
    explicit CCalculator(CConfirmation& confirmation);
    CCalculator(const CCalculator&) = delete;
    CCalculator& operator=(const CCalculator&) = delete;

    // Runs one line: writes "= value", "name = ...", "The name 'x' was unassigned." or
    // "Illegal syntax:  message" into output. Never throws CSyntaxException; running out of
    // memory throws VKF::COutOfMemoryException.
    void executeStatement(const VKF::CString& input, VKF::CString& output);

    // Calls a built-in or user function with evaluated arguments; throws CSyntaxException.
    CValue callFunction(const CFunctionCall& call);
    // The value of a reserved constant or a user variable; throws CSyntaxException.
    CValue lookupVariable(const VKF::CString& name);

    // The value of the last successful expression statement, 0 at first.
    const CValue& answer() const noexcept { return m_answer; }

    // Callers that call functions repeatedly empty the active calls after a failed call,
    // which leaves the names of the interrupted calls behind.
    void clearActiveCalls() noexcept { m_activeCalls.clear(); }
    int32_t activeCallCount() const noexcept { return int32_t(m_activeCalls.size()); }

    // The bindings of executeStatement; each writes its output line and throws
    // CSyntaxException for a reserved (or, for unassign, unknown) name.
    void assignVariable(const VKF::CString& name, const CValue& value, VKF::CString& output);
    void assignFunction(const VKF::CString& name, const CExpression& body, VKF::CString& output);
    void unassign(const VKF::CString& name, VKF::CString& output);

    bool isReserved(CNameView name) const noexcept { return reservedIndex(name, 0) >= 0; }
    const std::vector<VKF::CString>& reservedNames() const noexcept { return m_reservedNames; }
    const CConstantTable& constants() const noexcept { return m_constants; }
    const CFunctionTable& functions() const noexcept { return m_functions; }

private:
    friend class CEvaluator;

    // Position of name in the reserved list from position first on, or -1.
    int32_t reservedIndex(CNameView name, int32_t first) const noexcept;
    CValue variableValue(CNameView name);
    CValue callValue(CNameView name, const CValueRange& arguments);
    CValue callBuiltIn(int32_t position, CNameView name, const CValueRange& arguments);

    class CSpareExpression;
    void executeTokens(const CExpression& tokens, VKF::CString& output);
    bool defineFunction(const CExpression& tokens, VKF::CString& output);
    bool confirm(const VKF::CString& question);
    // Active calls hold function-table indexes, which a change of the table would make stale.
    void functionsChanged() noexcept { m_activeCalls.clear(); }

    CConfirmation& m_confirmation;
    CConstantTable m_constants;
    CFunctionTable m_functions;
    std::vector<VKF::CString> m_reservedNames;
    std::vector<CNameView> m_reservedViews;
    // Bit n is set when a reserved name is n units long (all are shorter than 32).
    uint32_t m_reservedLengths = 0;
    // The user functions whose bodies are being evaluated, as indexes into m_functions, the
    // innermost last. Indexes stand for the names: a name occurs at most once in the table,
    // and the table changes only between statements, when no call is in progress.
    std::vector<int32_t> m_activeCalls;
    CValue m_answer;
    CEvaluationStacks m_evaluation;
    // Token lists of earlier lines, emptied, kept for the next ones (one each for statements
    // that run while a question is open).
    std::vector<std::unique_ptr<CExpression>> m_spareExpressions;
};

} // namespace VKCL
