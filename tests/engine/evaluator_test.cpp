// The evaluator: precedence, implicit multiplication, its messages and the nesting bounds.
#include "engine/evaluator.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#if defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
#include <pthread.h>
#endif

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/expression.h"
#include "engine/tokenizer.h"
#include "engine/web_site.h"
#include "tests/engine/engine_test_support.h"

using enginetest::CEngineTest;
using enginetest::text;
using enginetest::utf8;

namespace {

const std::string UNPARSABLE = "Unable to parse expression. Please make sure you typed correctly.";
const std::string MISSING_RIGHT = "Missing right parantheses.";
const std::string OPEN_ARGUMENTS = "Encountered end of expression while evaluating function parameters.";
const std::string EMPTY = "Expression is empty.";
const std::string PARENTHESES_TOO_DEEP = "Parentheses are nested too deeply (at most 500 levels).";
const std::string CALLS_TOO_DEEP = "Function calls are nested too deeply (at most 500 levels).";

std::string repeated(const std::string& piece, uint32_t count)
{
    std::string result;
    result.reserve(piece.size() * count);
    for (uint32_t k = 0; k < count; ++k)
        result += piece;
    return result;
}

std::string nestedParentheses(uint32_t depth)
{
    return std::string(depth, '(') + "1" + std::string(depth, ')');
}

// The name fk of the k-th function of a chain.
std::string chained(uint32_t k)
{
    std::string name = "f";
    name += std::to_string(k);
    return name;
}

class Evaluator : public CEngineTest {};

// Runs work on this thread; with the sanitizers, whose frames are several times larger, on a
// thread of its own with a stack large enough for the deepest allowed evaluation.
void runDeep(const std::function<void()>& work)
{
#if defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 64 * 1024 * 1024);
    pthread_t thread;
    auto start = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, start, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
#else
    work();
#endif
}

#if !defined(__SANITIZE_ADDRESS__)
#define TALLIMEX_MEASURES_STACK 1

constexpr std::size_t PAINTED_BYTES = 1536 * 1024;
constexpr unsigned char PAINT = 0xA5;
unsigned char* volatile paintedArea = nullptr;

// Fills PAINTED_BYTES of the stack just below the caller's frame with a pattern.
__attribute__((noinline)) void paintStack()
{
    auto* area = static_cast<unsigned char*>(__builtin_alloca(PAINTED_BYTES));
    std::memset(area, PAINT, PAINTED_BYTES);
    // The stores must happen although the area dies with this frame.
    asm volatile("" : : "r"(area) : "memory");
    paintedArea = area;
}

// How deep work reaches into the stack, measured from where it starts.
__attribute__((noinline)) std::size_t stackBytesUsedBy(const std::function<void()>& work)
{
    paintStack();
    work();
    const unsigned char* area = paintedArea;
    std::size_t untouched = 0;
    while (untouched < PAINTED_BYTES && area[untouched] == PAINT)
        ++untouched;
    return PAINTED_BYTES - untouched;
}
#endif

} // namespace

TEST_F(Evaluator, AppliesPrecedenceAndAssociativity)
{
    expectOutput("1+2", "= 3");
    expectOutput("2^3^2", "= 64");
    expectOutput("-2^2", "= -4");
    expectOutput("2^-1", "= 0.5");
    expectOutput("2^-2", "= 0.25");
    expectOutput("-2^-2", "= -0.25");
    expectOutput("2^3^-1", "= 0.125");
    expectOutput("2*-3", "= -6");
    expectOutput("2+-3", "= -1");
    expectOutput("1-2-3", "= -4");
    expectOutput("8/2/2", "= 2");
    expectOutput("2+3*4", "= 14");
    expectOutput("(2+3)*4", "= 20");
    expectOutput("2*3^2", "= 18");
    expectOutput("-3", "= -3");
    expectOutput("-(2)", "= -2");
    expectOutput("(-2)^2", "= 4");
    expectOutput("1/(1-1)", "Illegal syntax:  Division by zero.");
}

TEST_F(Evaluator, InsertsImplicitMultiplication)
{
    run("x=3");
    expectOutput("2(3+4)", "= 14");
    expectOutput("(3+4)2", "= 14");
    expectOutput("2pi", "= 6.28318530718");
    expectOutput("2x", "= 6");
    expectOutput("(2)x", "= 6");
    expectOutput("2(1+x)^2", "= 32");
    expectOutput("2x^2", "= 18");
    expectOutput("2 i", "= i*2");
}

TEST_F(Evaluator, RefusesAdjacentOperandsWithoutImplicitMultiplication)
{
    run("x=3");
    run("y=4");
    expectError("(1+2)(3+4)", UNPARSABLE);
    expectError("x 2", UNPARSABLE);
    expectError("2 3", UNPARSABLE);
    expectError("x y", UNPARSABLE);
}

TEST_F(Evaluator, TreatsEveryCallAsAParenthesisedOperand)
{
    run("x=3");
    run("g(a)=a+1");
    // After a call as after ')': a value or a name multiplies, a '(' does not.
    expectOutput("g(2)x", "= 9");
    expectOutput("g(2)3", "= 9");
    expectOutput("g(1+2)x", "= 12");
    expectOutput("g(2)g(2)", "= 9");
    expectOutput("2g(2)", "= 6");
    expectOutput("sin(0)cos(0)", "= 0");
    expectOutput("cos(0)cos(0)", "= 1");
    expectError("g(2)(3)", UNPARSABLE);
    expectOutput("g(2)^2", "= 9");
}

TEST_F(Evaluator, RejectsMisplacedTokens)
{
    expectError("+2", UNPARSABLE);
    expectError("--2", UNPARSABLE);
    expectError("2^--1", UNPARSABLE);
    expectError("2*", UNPARSABLE);
    expectError("2-", UNPARSABLE);
    expectError("-", UNPARSABLE);
    expectError("()", UNPARSABLE);
    expectError("1,2", UNPARSABLE);
    expectError("1=2", UNPARSABLE);
    expectError("?", UNPARSABLE);
    expectError("2^", UNPARSABLE);
    expectError("*2", UNPARSABLE);
}

TEST_F(Evaluator, ReportsARightParenthesisWithoutItsLeftOne)
{
    // Each of these once made the outermost loop run for ever.
    expectError(")", UNPARSABLE);
    expectError("1+2)", UNPARSABLE);
    expectError("(1))", UNPARSABLE);
    expectError("2)+(3", UNPARSABLE);
    expectError("1)(", UNPARSABLE);
    expectError("x=1)", UNPARSABLE);
}

TEST_F(Evaluator, ReportsUnclosedParenthesesAndArgumentLists)
{
    expectError("(1+2", MISSING_RIGHT);
    expectError("((1)", MISSING_RIGHT);
    expectError("sin(1", OPEN_ARGUMENTS);
    expectError("sin(", OPEN_ARGUMENTS);
    expectError("sin((1)", OPEN_ARGUMENTS);
    expectError("sin(1,(2", OPEN_ARGUMENTS);
}

TEST_F(Evaluator, ReportsEmptyExpressionsAndArguments)
{
    run("f(a,b)=a+b");
    expectError("", EMPTY);
    expectError("   ", EMPTY);
    expectError("x=", EMPTY);
    expectError("f(1,)", EMPTY);
    expectError("f(,1)", EMPTY);
    expectError("f(1,,2)", EMPTY);
}

TEST_F(Evaluator, EvaluatesArgumentsLeftToRightBeforeFindingTheirEnd)
{
    run("f(a,b)=a+b");
    expectError("f(u,1", "Variable 'u' not defined.");
    expectError("f(1,u", OPEN_ARGUMENTS);
    expectError("f(1/0,u)", "Division by zero.");
}

TEST_F(Evaluator, ResolvesNamesBeforeParsing)
{
    expectError("1+)+u", "Variable 'u' not defined.");
}

TEST_F(Evaluator, BindsParametersAsValuesInsideArgumentLists)
{
    // In a body a parameter followed by '(' stays apart, inside an argument list it multiplies,
    // as the argument holds its value by then.
    run("f(x)=x(2)");
    expectError("f(5)", UNPARSABLE);
    run("g(x)=abs(x(2))");
    expectOutput("g(5)", "= 10");
    run("y=3");
    run("h(x)=x y");
    expectError("h(2)", UNPARSABLE);
    run("k(x)=abs(x y)");
    expectOutput("k(2)", "= 6");
    run("m(x)=(2)x");
    expectOutput("m(3)", "= 6");
}

TEST(EvaluatorDirect, EvaluatesFromAStartIndexAndRejectsCallTokens)
{
    enginetest::CScriptedConfirmation confirmation;
    VKCL::CCalculator calculator(confirmation);
    VKCL::CExpression expression;
    VKCL::tokenize(text("x=2*3"), expression);
    EXPECT_EQ(VKCL::evaluate(calculator, expression, 2).real(), 6);
    try {
        VKCL::evaluate(calculator, expression, 5);
        ADD_FAILURE() << "empty rest was evaluated";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), EMPTY);
    }

    VKCL::CExpression withCall;
    withCall.addValue(VKCL::CValue(1, 0));
    withCall.addToken(VKCL::TOKEN_ADD);
    withCall.addCall(VKCL::CFunctionCall(text("f")));
    withCall.addToken(VKCL::TOKEN_END);
    try {
        VKCL::evaluate(calculator, withCall, 0);
        ADD_FAILURE() << "a call token was evaluated";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), "Internal error 1000. Please visit "
                      + utf8(VKF::CString(VKCL::WEB_SITE_ADDRESS)) + " and report the error.");
    }
}

TEST(EvaluatorDirect, ReadsTheExpressionsOwnParameterValues)
{
    enginetest::CScriptedConfirmation confirmation;
    VKCL::CCalculator calculator(confirmation);
    VKCL::CExpression body;
    body.addToken(VKCL::TOKEN_PARAMETER + 1);
    body.addToken(VKCL::TOKEN_POWER);
    body.addToken(VKCL::TOKEN_PARAMETER + 0);
    body.addToken(VKCL::TOKEN_END);
    body.addParameter(VKCL::CValue(3, 0));
    body.addParameter(VKCL::CValue(2, 0));
    EXPECT_EQ(VKCL::evaluate(calculator, body, 0).real(), 8);

    VKCL::CExpression unbound;
    unbound.addToken(VKCL::TOKEN_PARAMETER + 0);
    unbound.addToken(VKCL::TOKEN_END);
    EXPECT_THROW(VKCL::evaluate(calculator, unbound, 0), VKCL::CSyntaxException);
}

TEST(EvaluatorDirect, AppliesTheFiveOperators)
{
    const VKCL::CValue six(6, 0);
    const VKCL::CValue two(2, 0);
    EXPECT_EQ(VKCL::applyOperator(six, VKCL::TOKEN_ADD, two).real(), 8);
    EXPECT_EQ(VKCL::applyOperator(six, VKCL::TOKEN_SUBTRACT, two).real(), 4);
    EXPECT_EQ(VKCL::applyOperator(six, VKCL::TOKEN_MULTIPLY, two).real(), 12);
    EXPECT_EQ(VKCL::applyOperator(six, VKCL::TOKEN_DIVIDE, two).real(), 3);
    EXPECT_EQ(VKCL::applyOperator(six, VKCL::TOKEN_POWER, two).real(), 36);
    try {
        VKCL::applyOperator(six, VKCL::TOKEN_LEFT_PAREN, two);
        ADD_FAILURE() << "'(' was applied";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), "Internal error 1001. Please visit "
                      + utf8(VKF::CString(VKCL::WEB_SITE_ADDRESS)) + " and report the error.");
    }
}

TEST_F(Evaluator, EvaluatesLongProductsWithoutDeepRecursion)
{
    // The product step once called itself for every factor.
    run("x=1");
    expectOutput("1" + repeated("*x*1", 50000), "= 1");
    expectOutput("1" + repeated("/x/1", 50000), "= 1");
    expectOutput("2" + repeated("^1", 65535), "= 2");
    run("f(y)=y" + repeated("*1*y", 49999));
    expectOutput("f(1)", "= 1");
    expectOutput("f(-1)", "= 1");
}

TEST_F(Evaluator, BoundsNestedParentheses)
{
    runDeep([&] { expectOutput(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH), "= 1"); });
    expectError(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH + 1), PARENTHESES_TOO_DEEP);
    expectError(nestedParentheses(10000), PARENTHESES_TOO_DEEP);
    expectError(std::string(100000, '('), PARENTHESES_TOO_DEEP);
    // Side by side they do not add up.
    expectOutput(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "+" + nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH), "= 2");
}

TEST_F(Evaluator, BoundsNestedArgumentLists)
{
    // The line is evaluation 1, the argument of the outermost call evaluation 2, and so on.
    const uint32_t allowed = VKCL::MAX_EVALUATION_DEPTH - 1;
    runDeep([&] { expectOutput(repeated("abs(", allowed) + "-1" + std::string(allowed, ')'), "= 1"); });
    expectError(repeated("abs(", allowed + 1) + "-1" + std::string(allowed + 1, ')'), CALLS_TOO_DEEP);
    expectError(repeated("abs(", 10000) + "1" + std::string(10000, ')'), CALLS_TOO_DEEP);
    expectError(repeated("abs(", 10000) + "1", OPEN_ARGUMENTS);
}

TEST_F(Evaluator, BoundsChainsOfUserFunctions)
{
    // f1(x)=f2(x), f2(x)=f3(x), ..., each body one evaluation deeper than its caller's.
    const uint32_t chain = 10000;
    for (uint32_t k = 1; k < chain; ++k)
        run(chained(k) + "(x)=" + chained(k + 1) + "(x)+1");
    run(chained(chain) + "(x)=x");
    const uint32_t deepestAllowed = chain + 2 - VKCL::MAX_EVALUATION_DEPTH;
    runDeep([&] { expectOutput(chained(deepestAllowed) + "(0)", "= " + std::to_string(chain - deepestAllowed)); });
    expectError(chained(deepestAllowed - 1) + "(0)", CALLS_TOO_DEEP);
    expectError("f1(0)", CALLS_TOO_DEEP);
    // The next statement starts with no active calls.
    expectOutput(chained(chain - 1) + "(5)", "= 6");
}

TEST_F(Evaluator, BoundsParenthesesInTheDeepestCall)
{
    // The deepest allowed chain of calls with the deepest allowed parentheses at its end.
    const uint32_t chain = VKCL::MAX_EVALUATION_DEPTH - 1;
    for (uint32_t k = 1; k < chain; ++k)
        run(chained(k) + "(x)=" + chained(k + 1) + "(x)");
    run(chained(chain) + "(x)=" + nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "x");
    runDeep([&] { expectOutput("f1(3)", "= 3"); });
}

#if defined(TALLIMEX_MEASURES_STACK)
// The bounds must leave most of the Windows build's 2 MB main-thread stack to the window
// procedures and message loops below the engine. Prints the stack taken per level.
TEST_F(Evaluator, DeepestEvaluationTakesLessThanHalfTheStack)
{
    const auto used = [&](const std::string& line) {
        return stackBytesUsedBy([&] { run(line); });
    };
    const auto perLevel = [](std::size_t shallow, std::size_t deep, uint32_t levels) {
        return double(deep > shallow ? deep - shallow : 0) / levels;
    };
    const uint32_t shallow = 50;
    const uint32_t deep = 450;
    const double parenthesis = perLevel(used(nestedParentheses(shallow)), used(nestedParentheses(deep)), deep - shallow);
    const double argument = perLevel(used(repeated("abs(", shallow) + "1" + std::string(shallow, ')')),
                                     used(repeated("abs(", deep) + "1" + std::string(deep, ')')), deep - shallow);
    const uint32_t chain = VKCL::MAX_EVALUATION_DEPTH - 1;
    for (uint32_t k = 1; k < chain; ++k)
        run(chained(k) + "(x)=" + chained(k + 1) + "(x)");
    run(chained(chain) + "(x)=" + nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "x");
    const double call = perLevel(used(chained(chain - shallow) + "(1)"), used(chained(chain - deep) + "(1)"), deep - shallow);
    const std::size_t deepest = used("f1(3)");
    EXPECT_EQ(run("f1(3)"), "= 3");
    std::printf("[ info     ] stack per level: parenthesis %.0f B, argument list %.0f B, user function %.0f B;"
                " deepest evaluation %zu KB\n",
                parenthesis, argument, call, deepest / 1024);
#if defined(NDEBUG)
    EXPECT_LT(deepest, std::size_t(1024 * 1024));
#endif
}
#endif

TEST_F(Evaluator, HandlesLinesOfAMillionCharacters)
{
    const auto started = std::chrono::steady_clock::now();
    // A sum of a million characters holds more numbers than one expression may.
    expectError("1" + repeated("+1", 499999),
                "Expression is too long (it may hold at most 65536 numbers and 65536 names).");
    run("x=1");
    expectError("x" + repeated("+x", 499999),
                "Expression is too long (it may hold at most 65536 numbers and 65536 names).");
    expectError(std::string(1000000, '$'), "Character '$' is illegal.");
    expectError(std::string(1000000, ')'), UNPARSABLE);
    expectError(std::string(1000000, '-'), UNPARSABLE);
    expectError(std::string(1000000, '('), PARENTHESES_TOO_DEEP);
    expectError(std::string(500000, '(') + std::string(500000, ')'), PARENTHESES_TOO_DEEP);
    // Calls nest as deep as the names allow: 60000 names in 360000 characters.
    expectError(repeated("sin(", 60000), OPEN_ARGUMENTS);
    expectError(repeated("sin(", 60000) + std::string(60000, ')'), CALLS_TOO_DEEP);
    // A definition of a million characters: a long parameter name keeps the names few.
    const std::string parameter(20, 'p');
    const std::string header = "f(" + parameter + ")=" + parameter;
    const uint32_t terms = uint32_t((1000000 - header.size()) / (parameter.size() + 1));
    run("f(" + parameter + ")=" + parameter + repeated("+" + parameter, terms));
    expectOutput("f(1)", "= " + std::to_string(terms + 1));
    const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ info     ] eleven long lines (up to a million characters) in %.3f s\n", elapsed);
}
