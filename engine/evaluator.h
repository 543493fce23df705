// The expression evaluator: reduces names, parameters and calls to values, then parses.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/value.h"
#include "foundation/string.h"

namespace VKCL {

class CCalculator;
class CCalculatorState;
class CExpression;

// The values bound to an expression's parameter tokens: count values of list from first on.
// Kept as a list and an offset because the list may grow (and move) while they are in use.
struct CValueRange {
    const std::vector<CValue>* list = nullptr;
    uint32_t first = 0;
    uint32_t count = 0;

    const CValue& operator[](uint32_t k) const noexcept { return (*list)[first + k]; }
};

// Bounds on what one line may nest, so that the deepest evaluation fits the 2 MB main-thread
// stack of the Windows build with a wide margin. Evaluations nest for every argument list
// inside another and for every user function called from a body; parentheses nest within one
// evaluation. Measured in the Windows build: about 800 bytes per user-function level, 560 per
// argument list and 500 per parenthesis, so the deepest evaluation allowed takes about 650 KB,
// a third of the stack (tests/engine/evaluator_test.cpp checks it stays below half).
// The two messages below name these numbers.
constexpr uint32_t MAX_EVALUATION_DEPTH = 500;
constexpr uint32_t MAX_PARENTHESIS_DEPTH = 500;

// Also the statement compiler's message for a definition without a body.
extern const VKF::UChar* const EMPTY_EXPRESSION_MESSAGE;

// The value of expression from token index start on (0 for an expression, 2 for the right
// side of name = ...); parameter tokens read the expression's own parameter values. Names are
// resolved against calculator. Throws CSyntaxException on every error.
CValue evaluate(CCalculator& calculator, const CExpression& expression, uint32_t start);
CValue evaluate(CCalculatorState& state, const CExpression& expression, uint32_t start);
// The same with the parameter tokens bound to parameters instead.
CValue evaluate(CCalculatorState& state, const CExpression& expression, uint32_t start,
                const CValueRange& parameters);

// left op right for the five arithmetic operator codes.
CValue applyOperator(const CValue& left, uint32_t op, const CValue& right);

// One entry of a reduced token list: an operator code, or Token::Value with its value.
struct CWorkToken {
    uint32_t code;
    CValue value;
};

// Scratch lists shared by all evaluations of one calculator. Nested evaluations use the space
// after their caller's and give it back when they end, so that after the first few lines no
// evaluation allocates.
struct CEvaluationStacks {
    std::vector<CWorkToken> work;
    std::vector<CValue> arguments;
    uint32_t depth = 0;

    // Gives back the memory a very long line took, once no evaluation is in progress.
    void releaseLargeLists() noexcept
    {
        constexpr std::size_t LARGE = 0x10000;
        if (work.capacity() > LARGE)
            std::vector<CWorkToken>().swap(work);
        if (arguments.capacity() > LARGE)
            std::vector<CValue>().swap(arguments);
    }
};

} // namespace VKCL
