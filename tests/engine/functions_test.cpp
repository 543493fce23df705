// Names during evaluation: reserved constants, variables, built-in and user function calls.
#include "engine/functions.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/function_call.h"
#include "tests/engine/engine_test_support.h"

using enginetest::DIVISION_BY_ZERO;
using enginetest::error;
using enginetest::text;
using enginetest::utf8;

namespace {

const std::string RECURSION = "Recursive functions are not allowed.";

class Functions : public enginetest::CEngineTest {
protected:
    // callFunction with a call record of the caller's own, as the dialogs use it.
    std::string call(const std::string& name, std::initializer_list<double> arguments)
    {
        VKCL::CFunctionCall record(text(name));
        for (const double argument : arguments)
            record.addArgument(VKCL::CValue(argument, 0));
        try {
            return utf8(calculator.callFunction(record).toString());
        } catch (const VKCL::CSyntaxException& caught) {
            return "error: " + utf8(caught.toString());
        }
    }
};

} // namespace

TEST_F(Functions, KnowsTheReservedNames)
{
    expectOutputs({
        {"ans", "= 0"},
        {"pi", "= 3.14159265359"},
        {"\u03C0", "= 3.14159265359"},
        {"4*arctan(1)", "= 3.14159265359"},
        {"e", "= 2.718281828459"},
        {"i*i", "= -1"},
        {"Im(3+4i)", "= 4"},
        {"Re(3+4i)", "= 3"},
        // ans is the result of the last expression; errors and assignments leave it.
        {"ans*2", "= 6"},
        {"1/0", error(DIVISION_BY_ZERO)},
        {"x=7", "x = 7"},
        {"ans", "= 6"},
        {"E(1)", error("The reserved name 'E' has an undefined behaviour.")},
        {"E", error("Variable 'E' not defined.")},
        {"pi(2)", error("Function 'pi' not defined.")},
        {"ans(1)", error("Function 'ans' not defined.")},
        {"sin", error("Variable 'sin' not defined.")},
        {"u", error("Variable 'u' not defined.")},
        {"u(1)", error("Function 'u' not defined.")},
        // Names are compared unit by unit.
        {"Pi", error("Variable 'Pi' not defined.")},
        {"SIN(1)", error("Function 'SIN' not defined.")},
        {"re(1)", error("Function 're' not defined.")},
        {"Pi=3", "Pi = 3"},
        {"re(t)=t+1", "re = {1}+1"},
        {"re(1)", "= 2"},
        {"X=1", "X = 1"},
        {"X+x", "= 8"},
        {"e2=5", "e2 = 5"},
        {"2e2", "= 10"},
    });
    // The twenty built-in functions take exactly one argument.
    const char* const builtIns[] = {"sqrt", "ln", "sin", "cos", "tan", "log", "arcsin", "arccos", "arctan", "sinh",
                                    "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "exp", "abs", "arg", "Im", "Re"};
    for (const std::string name : builtIns) {
        expectOutput(name + "(t)=t", error("Could not assign function '" + name + "' (name is reserved)."));
        expectError(name + "()", "Function '" + name + "' takes 1 parameter.");
        expectError(name + "(1,2)", "Function '" + name + "' takes 1 parameter.");
    }
}

TEST_F(Functions, CallsUserFunctions)
{
    expectOutputs({
        {"f(x,y)=x+y", "f = {1}+{2}"},
        {"g(x)=2x", "g = 2*{1}"},
        {"h()=42", "h = 42"},
        {"f(1)", error("Function 'f' takes 2 parameters.")},
        {"g(1,2)", error("Function 'g' takes 1 parameter.")},
        {"h(1)", error("Function 'h' takes 0 parameters.")},
        {"h", error("Variable 'h' not defined.")},
        {"h()", "= 42"},
        {"f(1,2)", "= 3"},
        {"g(g(1))", "= 4"},
        {"g(1)+g(2)", "= 6"},
        {"k(x)=g(x)+g(x+1)", "k = g({1})+g({1}+1)"},
        {"k(1)", "= 6"},
        // Names in a body are looked up at each call.
        {"v(x)=y*x", "v = y*{1}"},
        {"v(2)", error("Variable 'y' not defined.")},
        {"y=3", "y = 3"},
        {"v(2)", "= 6"},
        {"r(x)=r(x-1)", "r = r({1}-1)"},
        {"r(1)", error(RECURSION)},
        {"a(x)=b(x)", "a = b({1})"},
        {"b(x)=c(x)", "b = c({1})"},
        {"c(x)=a(x)", "c = a({1})"},
        {"a(1)", error(RECURSION)},
        {"c(1)", error(RECURSION)},
    });
}

TEST_F(Functions, CallFunctionServesTheDialogs)
{
    run("___g(x)=x^2");
    run("___dummy()=2+3");
    EXPECT_EQ(call("___g", {3}), "9");
    EXPECT_EQ(call("___dummy", {}), "5");
    EXPECT_EQ(call("sqrt", {16}), "4");
    EXPECT_EQ(call("sqrt", {}), "error: Function 'sqrt' takes 1 parameter.");
    EXPECT_EQ(call("___g", {1, 2}), "error: Function '___g' takes 1 parameter.");
    EXPECT_EQ(call("___none", {1}), "error: Function '___none' not defined.");
    EXPECT_EQ(call("E", {1}), "error: The reserved name 'E' has an undefined behaviour.");
    // The answer is a statement's business.
    EXPECT_EQ(calculator.answer().real(), 0);
    EXPECT_EQ(calculator.lookupVariable(text("\u03C0")).real(), 3.141592653589793);
}

TEST_F(Functions, LeavesInterruptedCallsActiveUntilCleared)
{
    run("g(x)=1/x");
    run("f(x)=g(x)");
    EXPECT_EQ(call("f", {0}), "error: Division by zero.");
    EXPECT_EQ(calculator.activeCallCount(), 2);
    // A direct caller that goes on calling must empty the list first.
    EXPECT_EQ(call("f", {1}), "error: " + RECURSION);
    EXPECT_EQ(call("g", {1}), "error: " + RECURSION);
    calculator.clearActiveCalls();
    EXPECT_EQ(call("f", {2}), "0.5");
    EXPECT_EQ(calculator.activeCallCount(), 0);
    // A statement starts with no active calls.
    EXPECT_EQ(call("f", {0}), "error: Division by zero.");
    expectOutput("f(4)", "= 0.25");
}
