// The compiled expression and the symbol tables: parenthesis matching and the checks against the engine's own bugs.
#include "engine/expression.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/evaluator.h"
#include "engine/function_call.h"
#include "engine/tables.h"
#include "engine/tokenizer.h"
#include "tests/engine/engine_test_support.h"

using enginetest::internalError;
using enginetest::text;
using VKCL::CExpression;
using VKCL::CValue;

namespace {

// Where each '(' of the expression closes, in token positions.
std::string closingPositions(const CExpression& expression)
{
    std::string result;
    const std::vector<uint32_t>& closing = expression.closingParentheses();
    EXPECT_EQ(closing.size(), expression.tokenCount());
    for (uint32_t i = 0; i < expression.tokenCount() && i < closing.size(); ++i) {
        if (expression.getToken(i) == VKCL::Token::LeftParen) {
            result += result.empty() ? "" : " ";
            result += std::to_string(closing[i]);
        }
    }
    return result;
}

} // namespace

TEST(Expression, FindsTheClosingParenthesisOfEachOpeningOne)
{
    CExpression expression;
    VKCL::tokenize(text("((1)(2)(3"), expression);
    EXPECT_EQ(closingPositions(expression), "9 3 6 9") << "unclosed ones close at the end";
    // A cleared and refilled list of the same length must not keep the old positions.
    expression.clear();
    VKCL::tokenize(text("(1)+((2))"), expression);
    EXPECT_EQ(closingPositions(expression), "2 8 7");
}

// Checks against misuse by the engine's own code: each reports with its message.
TEST(InternalChecks, ReportMisuseWithTheirMessages)
{
    enginetest::CScriptedConfirmation confirmation;
    VKCL::CCalculator calculator(confirmation);
    CExpression expression;
    VKCL::tokenize(text("x+1"), expression);
    CExpression withCall;
    withCall.addValue(CValue(1, 0));
    withCall.addToken(VKCL::Token::Add);
    withCall.addCall(VKCL::CFunctionCall(text("f")));
    withCall.addToken(VKCL::Token::End);
    CExpression withoutEnd;
    withoutEnd.addValue(CValue(1, 0));
    VKCL::CConstantTable constants;
    constants.add(text("x"), CValue(1, 0));
    VKCL::CFunctionTable functions;
    functions.add(text("f"), expression);
    const struct { const char* what; std::function<void()> action; std::string message; } cases[] = {
        {"getToken past the end", [&] { expression.getToken(4); }, "Bug. getToken() index out of bounds."},
        {"getValue", [&] { expression.getValue(1); }, "Bug. getValue() index out of bounds."},
        {"getName", [&] { expression.getName(1); }, "Bug. getName() index out of bounds."},
        {"getCall", [&] { expression.getCall(0); }, "Bug. getCall() index out of bounds."},
        // The parameter list reports with the text of the call list.
        {"getParameter", [&] { expression.getParameter(0); }, "Bug. getCall() index out of bounds."},
        {"text of a call token", [&] { withCall.toString(); }, internalError(1007)},
        {"text without an end", [&] { withoutEnd.toString(); }, "Bug. getToken() index out of bounds."},
        {"evaluating a call token", [&] { VKCL::evaluate(calculator, withCall, 0); }, internalError(1000)},
        {"applying '('", [] { VKCL::applyOperator(CValue(6, 0), VKCL::Token::LeftParen, CValue(2, 0)); },
         internalError(1001)},
        {"token of '%'", [] { VKCL::operatorToken(VKF::UChar('%')); }, internalError(1006)},
        {"character of a name", [] { VKCL::operatorCharacter(VKCL::Token::Name); }, internalError(1005)},
        {"constant -1", [&] { constants.get(-1); }, "Bug: CConstantTable::get called with invalid index."},
        {"constant 1", [&] { constants.get(1); }, "Bug: CConstantTable::get called with invalid index."},
        {"replacing constant 1", [&] { constants.replace(1, CValue()); },
         "Bug: CConstantTable::replace called with invalid index."},
        {"function g", [&] { functions.get(text("g")); }, "Bug: CFunctionTable::get called with invalid name."},
        {"replacing function -1", [&] { functions.replace(-1, CExpression()); },
         "Bug: CFunctionTable::replace called with invalid index."},
    };
    for (const auto& c : cases)
        enginetest::expectSyntaxError(c.action, c.message, c.what);
}
