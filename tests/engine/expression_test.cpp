// The compiled expression and the function-call record: side lists, accessors and text forms.
#include "engine/expression.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/function_call.h"
#include "engine/tokenizer.h"
#include "engine/web_site.h"
#include "foundation/exception.h"
#include "tests/engine/engine_test_support.h"

using enginetest::text;
using enginetest::utf8;
using VKCL::CExpression;
using VKCL::CValue;

namespace {

template <typename Action>
void expectMessage(Action action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "expected the error " << message;
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), message);
    }
}

} // namespace

TEST(Expression, StartsEmpty)
{
    const CExpression expression;
    EXPECT_EQ(expression.tokenCount(), 0u);
    EXPECT_EQ(expression.valueCount(), 0u);
    EXPECT_EQ(expression.nameCount(), 0u);
    EXPECT_EQ(expression.callCount(), 0u);
    EXPECT_TRUE(expression.parameterValues().empty());
    EXPECT_EQ(expression.parameterCount(), 0u);
}

TEST(Expression, AppendsEntriesWithTheirIndexes)
{
    CExpression expression;
    expression.addValue(CValue(2, 0));
    expression.addToken(VKCL::TOKEN_ADD);
    expression.addName(text("x"));
    expression.addToken(VKCL::TOKEN_MULTIPLY);
    expression.addValue(CValue(0, 1));
    expression.addName(text("\u03B1"));
    expression.addToken(VKCL::TOKEN_END);
    EXPECT_EQ(expression.getToken(0), VKCL::TOKEN_VALUE + 0);
    EXPECT_EQ(expression.getToken(2), VKCL::TOKEN_NAME + 0);
    EXPECT_EQ(expression.getToken(4), VKCL::TOKEN_VALUE + 1);
    EXPECT_EQ(expression.getToken(5), VKCL::TOKEN_NAME + 1);
    EXPECT_EQ(utf8(expression.getName(1)), "\u03B1");
    EXPECT_EQ(expression.getValue(1).imaginary(), 1);
    EXPECT_EQ(utf8(expression.toString()), "2+x*i\u03B1");
}

TEST(Expression, AccessorsRejectIndexesOutOfRange)
{
    CExpression expression;
    VKCL::tokenize(text("x+1"), expression);
    expectMessage([&] { expression.getToken(4); }, "Bug. getToken() index out of bounds.");
    expectMessage([&] { expression.getValue(1); }, "Bug. getValue() index out of bounds.");
    expectMessage([&] { expression.getName(1); }, "Bug. getName() index out of bounds.");
    expectMessage([&] { expression.getCall(0); }, "Bug. getCall() index out of bounds.");
    // The parameter list reports with the text of the call list.
    expectMessage([&] { expression.getParameter(0); }, "Bug. getCall() index out of bounds.");
}

TEST(Expression, CopiesAreIndependent)
{
    CExpression source;
    VKCL::tokenize(text("a*2"), source);
    source.setParameterCount(1);
    source.addParameter(CValue(5, 0));
    CExpression copy = source;
    EXPECT_EQ(copy.parameterCount(), 1u);
    EXPECT_EQ(copy.getParameter(0).real(), 5);
    copy.addParameter(CValue(7, 0));
    copy.setParameterCount(2);
    copy.addName(text("b"));
    EXPECT_EQ(source.parameterValues().size(), 1u);
    EXPECT_EQ(source.parameterCount(), 1u);
    EXPECT_EQ(source.nameCount(), 1u);
    EXPECT_EQ(utf8(source.toString()), "a*2");

    CExpression assigned;
    assigned = source;
    EXPECT_EQ(utf8(assigned.toString()), "a*2");
    EXPECT_EQ(assigned.getParameter(0).real(), 5);
}

TEST(Expression, ClearEmptiesEveryList)
{
    CExpression expression;
    VKCL::tokenize(text("f(x)=x+1"), expression);
    expression.addParameter(CValue(1, 0));
    expression.setParameterCount(3);
    expression.clear();
    EXPECT_EQ(expression.tokenCount(), 0u);
    EXPECT_EQ(expression.valueCount(), 0u);
    EXPECT_EQ(expression.nameCount(), 0u);
    EXPECT_TRUE(expression.parameterValues().empty());
    EXPECT_EQ(expression.parameterCount(), 0u);
    expression.addName(text("y"));
    EXPECT_EQ(utf8(expression.getName(0)), "y");
}

TEST(Expression, TextFormShowsParametersAsNumbersInBraces)
{
    CExpression body;
    body.addValue(CValue(2, 0));
    body.addToken(VKCL::TOKEN_MULTIPLY);
    body.addToken(VKCL::TOKEN_PARAMETER + 0);
    body.addToken(VKCL::TOKEN_MULTIPLY);
    body.addToken(VKCL::TOKEN_PARAMETER + 1);
    body.addToken(VKCL::TOKEN_ADD);
    body.addValue(CValue(1, 0));
    body.addToken(VKCL::TOKEN_END);
    EXPECT_EQ(utf8(body.toString()), "2*{1}*{2}+1");
}

TEST(Expression, TextFormShowsEveryPunctuationAndStopsAtTheEnd)
{
    CExpression expression;
    VKCL::tokenize(text("(a,b)=-c/d^e?"), expression);
    expression.addName(text("after"));
    EXPECT_EQ(utf8(expression.toString()), "(a,b)=-c/d^e?");
}

TEST(Expression, TextFormOfAQueryInABodyIsTheQuestionMark)
{
    CExpression body;
    body.addToken(VKCL::TOKEN_PARAMETER + 0);
    body.addToken(VKCL::TOKEN_QUERY);
    body.addToken(VKCL::TOKEN_END);
    EXPECT_EQ(utf8(body.toString()), "{1}?");
}

TEST(Expression, TextFormRejectsCallTokensAndMissingEnds)
{
    CExpression withCall;
    withCall.addCall(VKCL::CFunctionCall(text("f")));
    withCall.addToken(VKCL::TOKEN_END);
    expectMessage([&] { withCall.toString(); },
                  "Internal error 1007. Please visit " + utf8(VKF::CString(VKCL::WEB_SITE_ADDRESS))
                      + " and report the error.");
    CExpression withoutEnd;
    withoutEnd.addValue(CValue(1, 0));
    expectMessage([&] { withoutEnd.toString(); }, "Bug. getToken() index out of bounds.");
}

TEST(Expression, RefusesMoreThan65536Names)
{
    CExpression expression;
    for (int k = 0; k < 65536; ++k)
        expression.addName(text("n"));
    EXPECT_EQ(expression.getToken(65535), VKCL::TOKEN_NAME + 0xFFFF);
    expectMessage([&] { expression.addName(text("n")); },
                  "Expression is too long (it may hold at most 65536 numbers and 65536 names).");
    EXPECT_EQ(expression.tokenCount(), 65536u);
}

TEST(Expression, FindsTheClosingParenthesisOfEachOpeningOne)
{
    CExpression expression;
    VKCL::tokenize(text("((1)(2)(3"), expression);
    const std::vector<uint32_t>& closing = expression.closingParentheses();
    ASSERT_EQ(closing.size(), expression.tokenCount());
    EXPECT_EQ(closing[1], 3u);
    EXPECT_EQ(closing[4], 6u);
    EXPECT_EQ(closing[7], 9u); // unclosed: the end
    EXPECT_EQ(closing[0], 9u);
}

TEST(FunctionCall, HoldsANameAndItsArguments)
{
    VKCL::CFunctionCall call;
    EXPECT_TRUE(call.name().isEmpty());
    EXPECT_EQ(call.argumentCount(), 0);
    call.setName(text("f"));
    EXPECT_EQ(utf8(call.toString()), "f()");
    call.addArgument(CValue(1, 0));
    call.addArgument(CValue(2.5, -1));
    EXPECT_EQ(call.argumentCount(), 2);
    EXPECT_EQ(utf8(call.toString()), "f(1,2.5 - i)");
    const VKCL::CFunctionCall copy = call;
    call.clearArguments();
    EXPECT_EQ(copy.argumentCount(), 2);
    EXPECT_EQ(copy.argument(1).real(), 2.5);
}
