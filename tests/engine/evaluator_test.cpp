// The evaluator: precedence, implicit multiplication, its messages and the nesting bounds.
#include "engine/evaluator.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#if defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)
#include <pthread.h>
#endif

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "tests/engine/engine_test_support.h"

using enginetest::DIVISION_BY_ZERO;
using enginetest::EMPTY;
using enginetest::error;
using enginetest::OPEN_ARGUMENTS;
using enginetest::UNPARSABLE;

namespace {

const std::string MISSING_RIGHT = "Missing right parantheses.";
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

class Evaluator : public enginetest::CEngineTest {
protected:
    // Defines f1(x)=f2(x), ..., f<length-1>(x)=f<length>(x)<step>, and f<length>(x)=last.
    void defineChain(uint32_t length, const std::string& step, const std::string& last)
    {
        for (uint32_t k = 1; k < length; ++k)
            run(chained(k) + "(x)=" + chained(k + 1) + "(x)" + step);
        run(chained(length) + "(x)=" + last);
    }
};

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
    expectOutputs({
        {"2^3^2", "= 64"},
        {"-2^2", "= -4"},
        {"2^-1", "= 0.5"},
        {"-2^-2", "= -0.25"},
        {"2^3^-1", "= 0.125"},
        {"2*-3", "= -6"},
        {"2+-3", "= -1"},
        {"1-2-3", "= -4"},
        {"8/2/2", "= 2"},
        {"2+3*4", "= 14"},
        {"(2+3)*4", "= 20"},
        {"2*3^2", "= 18"},
        {"-(2)", "= -2"},
        {"(-2)^2", "= 4"},
        // A line as long as the one before gets parenthesis positions of its own.
        {"(1)+(2)", "= 3"},
        {"((1)+2)", "= 3"},
    });
}

TEST_F(Evaluator, InsertsImplicitMultiplication)
{
    run("x=3");
    run("y=4");
    run("g(a)=a+1");
    expectOutputs({
        {"2(3+4)", "= 14"},
        {"(3+4)2", "= 14"},
        {"2pi", "= 6.28318530718"},
        {"2x", "= 6"},
        {"(2)x", "= 6"},
        {"2(1+x)^2", "= 32"},
        {"2x^2", "= 18"},
        {"2 i", "= i*2"},
        {"(1+2)(3+4)", error(UNPARSABLE)},
        {"x 2", error(UNPARSABLE)},
        {"2 3", error(UNPARSABLE)},
        {"x y", error(UNPARSABLE)},
        // After a call as after ')': a value or a name multiplies, a '(' does not.
        {"g(2)x", "= 9"},
        {"g(2)3", "= 9"},
        {"g(1+2)x", "= 12"},
        {"g(2)g(2)", "= 9"},
        {"2g(2)", "= 6"},
        {"sin(0)cos(0)", "= 0"},
        {"cos(0)cos(0)", "= 1"},
        {"g(2)^2", "= 9"},
        {"g(2)(3)", error(UNPARSABLE)},
    });
    // In a body a parameter followed by '(' stays apart; inside an argument list, where the
    // argument holds its value by then, it multiplies.
    expectOutputs({
        {"f(t)=t(2)", "f = {1}(2)"},
        {"f(5)", error(UNPARSABLE)},
        {"p(t)=abs(t(2))", "p = abs({1}(2))"},
        {"p(5)", "= 10"},
        {"h(t)=t y", "h = {1}y"},
        {"h(2)", error(UNPARSABLE)},
        {"k(t)=abs(t y)", "k = abs({1}y)"},
        {"k(2)", "= 8"},
        {"m(t)=(2)t", "m = (2){1}"},
        {"m(3)", "= 6"},
    });
}

TEST_F(Evaluator, ReportsMisplacedAndMissingTokens)
{
    run("f(a,b)=a+b");
    expectOutputs({
        {"+2", error(UNPARSABLE)},
        {"--2", error(UNPARSABLE)},
        {"2^--1", error(UNPARSABLE)},
        {"2*", error(UNPARSABLE)},
        {"2-", error(UNPARSABLE)},
        {"-", error(UNPARSABLE)},
        {"()", error(UNPARSABLE)},
        {"1,2", error(UNPARSABLE)},
        {"1=2", error(UNPARSABLE)},
        {"?", error(UNPARSABLE)},
        {"2^", error(UNPARSABLE)},
        {"*2", error(UNPARSABLE)},
        // A ')' without its '(' once made the outermost loop run for ever.
        {")", error(UNPARSABLE)},
        {"1+2)", error(UNPARSABLE)},
        {"(1))", error(UNPARSABLE)},
        {"2)+(3", error(UNPARSABLE)},
        {"1)(", error(UNPARSABLE)},
        {"x=1)", error(UNPARSABLE)},
        {"(1+2", error(MISSING_RIGHT)},
        {"((1)", error(MISSING_RIGHT)},
        {"sin(1", error(OPEN_ARGUMENTS)},
        {"sin(", error(OPEN_ARGUMENTS)},
        {"sin((1)", error(OPEN_ARGUMENTS)},
        {"sin(1,(2", error(OPEN_ARGUMENTS)},
        {"", error(EMPTY)},
        {"   ", error(EMPTY)},
        {"x=", error(EMPTY)},
        {"f(1,)", error(EMPTY)},
        {"f(,1)", error(EMPTY)},
        {"f(1,,2)", error(EMPTY)},
        // Names are resolved before parsing; arguments are evaluated left to right before their end is found.
        {"1+)+u", error("Variable 'u' not defined.")},
        {"f(u,1", error("Variable 'u' not defined.")},
        {"f(1,u", error(OPEN_ARGUMENTS)},
        {"f(1/0,u)", error(DIVISION_BY_ZERO)},
    });
}

TEST_F(Evaluator, EvaluatesLongProductsWithoutDeepRecursion)
{
    // The product step once called itself for every factor.
    run("x=1");
    expectOutput(repeated("1*x*", 50000) + "1", "= 1");
    expectOutput(repeated("1/x/", 50000) + "1", "= 1");
    expectOutput(std::string("2") + repeated("^1", 65535), "= 2");
    run("f(y)=y" + repeated("*1*y", 49999));
    expectOutput("f(1)", "= 1");
    expectOutput("f(-1)", "= 1");
}

TEST_F(Evaluator, BoundsNestedParenthesesAndArgumentLists)
{
    runDeep([&] { expectOutput(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH), "= 1"); });
    expectError(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH + 1), PARENTHESES_TOO_DEEP);
    expectError(nestedParentheses(10000), PARENTHESES_TOO_DEEP);
    // Side by side they do not add up.
    expectOutput(nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "+" + nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH),
                 "= 2");
    // Argument lists: the line is evaluation 1, the argument of the outermost call evaluation 2, and so on.
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
    defineChain(chain, "+1", "x");
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
    defineChain(chain, "", nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "x");
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
    const double parenthesis =
        perLevel(used(nestedParentheses(shallow)), used(nestedParentheses(deep)), deep - shallow);
    const double argument = perLevel(used(repeated("abs(", shallow) + "1" + std::string(shallow, ')')),
                                     used(repeated("abs(", deep) + "1" + std::string(deep, ')')), deep - shallow);
    const uint32_t chain = VKCL::MAX_EVALUATION_DEPTH - 1;
    defineChain(chain, "", nestedParentheses(VKCL::MAX_PARENTHESIS_DEPTH) + "x");
    const double call =
        perLevel(used(chained(chain - shallow) + "(1)"), used(chained(chain - deep) + "(1)"), deep - shallow);
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
    // A sum of a million characters holds more numbers than one expression may.
    expectError(std::string("1") + repeated("+1", 499999), enginetest::TOO_LONG);
    run("x=1");
    expectError(std::string("x") + repeated("+x", 499999), enginetest::TOO_LONG);
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
}
