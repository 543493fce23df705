// What the engine object holds, as its evaluator and statement compiler see it: the symbol
// tables, the reserved names, the active calls, the answer and the evaluation's scratch lists.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/evaluator.h"
#include "engine/expression.h"
#include "engine/name_view.h"
#include "engine/tables.h"
#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CConfirmation;

class CCalculatorState {
public:
    explicit CCalculatorState(CConfirmation& confirmation);
    CCalculatorState(const CCalculatorState&) = delete;
    CCalculatorState& operator=(const CCalculatorState&) = delete;

    bool isReserved(CNameView name) const noexcept { return reservedIndex(name, 0) >= 0; }
    // Reserved constants come before user variables; throws CSyntaxException.
    CValue variableValue(CNameView name);
    // A built-in or user function called with evaluated arguments; throws CSyntaxException.
    CValue callValue(CNameView name, const CValueRange& arguments);
    // Asks the user before a name is overwritten.
    bool confirm(const VKF::CString& question);
    // Active calls hold function-table indexes, which a change of the table would make stale.
    void functionsChanged() noexcept { activeCalls.clear(); }

    CConstantTable constants;
    CFunctionTable functions;
    // The user functions whose bodies are being evaluated, as indexes into functions, the
    // innermost last. Indexes stand for the names: a name occurs at most once in the table,
    // and the table changes only between statements, when no call is in progress.
    std::vector<int32_t> activeCalls;
    CValue answer;
    CEvaluationStacks evaluation;
    // Token lists of earlier lines, emptied, kept for the next ones (one each for statements
    // that run while a question is open).
    std::vector<std::unique_ptr<CExpression>> spareExpressions;

private:
    // Position of name in the reserved list from position first on, or -1.
    int32_t reservedIndex(CNameView name, int32_t first) const noexcept;
    CValue callBuiltIn(int32_t position, CNameView name, const CValueRange& arguments);

    CConfirmation& m_confirmation;
    std::vector<VKF::CString> m_reservedNames;
    std::vector<CNameView> m_reservedViews;
    // Bit n is set when a reserved name is n units long (all are shorter than 32).
    uint32_t m_reservedLengths = 0;
};

} // namespace VKCL
