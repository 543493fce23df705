// Names during evaluation: reserved constants, variables, built-in and user function calls.
#include "engine/functions.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/function_call.h"
#include "tests/engine/engine_test_support.h"

using enginetest::CEngineTest;
using enginetest::text;
using enginetest::utf8;
using VKCL::CFunctionCall;
using VKCL::CValue;

namespace {

class Functions : public CEngineTest {
protected:
    // callFunction with a call record of the caller's own, as the dialogs use it.
    std::string call(const std::string& name, std::initializer_list<double> arguments)
    {
        CFunctionCall record(text(name));
        for (const double argument : arguments)
            record.addArgument(CValue(argument, 0));
        try {
            return utf8(calculator.callFunction(record).toString());
        } catch (const VKCL::CSyntaxException& error) {
            return "error: " + utf8(error.toString());
        }
    }
};

} // namespace

TEST_F(Functions, KnowsTheReservedConstants)
{
    expectOutput("pi", "= 3.14159265359");
    expectOutput("\u03C0", "= 3.14159265359");
    expectOutput("4*arctan(1)", "= 3.14159265359");
    expectOutput("e", "= 2.718281828459");
    expectOutput("i*i", "= -1");
    expectOutput("i", "= i");
}

TEST_F(Functions, AnsIsTheLastResult)
{
    expectOutput("ans", "= 0");
    expectOutput("2+3", "= 5");
    expectOutput("ans", "= 5");
    expectOutput("ans*2", "= 10");
    expectError("1/0", "Division by zero.");
    expectOutput("ans", "= 10");
    run("x=7");
    expectOutput("ans", "= 10");
    EXPECT_EQ(calculator.answer().real(), 10);
}

TEST_F(Functions, KnowsTheTwentyBuiltInFunctions)
{
    expectOutput("sqrt(-4)", "= i*2");
    expectOutput("ln(e)", "= 1");
    expectOutput("sin(0)", "= 0");
    expectOutput("cos(0)", "= 1");
    expectOutput("tan(0)", "= 0");
    expectOutput("log(1000)", "= 3");
    expectOutput("arcsin(1)", "= 1.570796326795");
    expectOutput("arccos(1)", "= 0");
    expectOutput("arctan(0)", "= 0");
    expectOutput("sinh(0)", "= 0");
    expectOutput("cosh(0)", "= 1");
    expectOutput("tanh(0)", "= 0");
    expectOutput("arcsinh(0)", "= 0");
    expectOutput("arccosh(1)", "= 0");
    expectOutput("arctanh(0)", "= 0");
    expectOutput("exp(0)", "= 1");
    expectOutput("abs(3+4i)", "= 5");
    expectOutput("arg(i)", "= 1.570796326795");
    expectOutput("Im(3+4i)", "= 4");
    expectOutput("Re(3+4i)", "= 3");
    expectError("ln(0)", "Cannot compute the natural logarithm (ln) of zero.");
}

TEST_F(Functions, BuiltInFunctionsTakeExactlyOneArgument)
{
    const char* const names[] = {"sqrt", "ln", "sin", "cos", "tan", "log", "arcsin", "arccos", "arctan", "sinh",
                                 "cosh", "tanh", "arcsinh", "arccosh", "arctanh", "exp", "abs", "arg", "Im", "Re"};
    for (const char* name : names) {
        const std::string message = std::string("Function '") + name + "' takes 1 parameter.";
        expectError(std::string(name) + "()", message);
        expectError(std::string(name) + "(1,2)", message);
    }
}

TEST_F(Functions, ReportsUnknownAndReservedNames)
{
    expectError("E(1)", "The reserved name 'E' has an undefined behaviour.");
    expectError("E", "Variable 'E' not defined.");
    expectError("pi(2)", "Function 'pi' not defined.");
    expectError("ans(1)", "Function 'ans' not defined.");
    expectError("sin", "Variable 'sin' not defined.");
    expectError("u", "Variable 'u' not defined.");
    expectError("u(1)", "Function 'u' not defined.");
}

TEST_F(Functions, ComparesNamesByExactCodeUnits)
{
    expectError("Pi", "Variable 'Pi' not defined.");
    expectError("SIN(1)", "Function 'SIN' not defined.");
    expectError("re(1)", "Function 're' not defined.");
    expectOutput("Pi=3", "Pi = 3");
    expectOutput("re(x)=x+1", "re = {1}+1");
    expectOutput("re(1)", "= 2");
    expectOutput("X=1", "X = 1");
    expectOutput("x=2", "x = 2");
    expectOutput("X+x", "= 3");
    expectOutput("e2=5", "e2 = 5");
    expectOutput("2e2", "= 10");
}

TEST_F(Functions, ReservedConstantsComeBeforeUserVariables)
{
    // No statement can bind a reserved name, so the order shows only in the answer.
    expectOutput("7", "= 7");
    expectOutput("ans+1", "= 8");
}

TEST_F(Functions, ChecksTheArityOfUserFunctions)
{
    run("f(x,y)=x+y");
    run("g(x)=x");
    run("h()=42");
    expectError("f(1)", "Function 'f' takes 2 parameters.");
    expectError("g(1,2)", "Function 'g' takes 1 parameter.");
    expectError("h(1)", "Function 'h' takes 0 parameters.");
    expectOutput("h()", "= 42");
    expectOutput("f(1,2)", "= 3");
    expectError("h", "Variable 'h' not defined.");
}

TEST_F(Functions, CallsUserFunctionsWithoutRecursion)
{
    run("g(x)=2x");
    run("h(x)=g(x)+g(x+1)");
    expectOutput("h(1)", "= 6");
    expectOutput("g(g(1))", "= 4");
    expectOutput("g(1)+g(2)", "= 6");
    run("r(x)=r(x-1)");
    expectError("r(1)", "Recursive functions are not allowed.");
    run("a(x)=b(x)");
    run("b(x)=c(x)");
    run("c(x)=a(x)");
    expectError("a(1)", "Recursive functions are not allowed.");
    expectError("c(1)", "Recursive functions are not allowed.");
}

TEST_F(Functions, LooksNamesInBodiesUpAtEachCall)
{
    expectOutput("f(x)=y*x", "f = y*{1}");
    expectError("f(2)", "Variable 'y' not defined.");
    run("y=3");
    expectOutput("f(2)", "= 6");
    confirmation.willAnswer(true);
    run("y=4");
    expectOutput("f(2)", "= 8");
}

TEST_F(Functions, LeavesInterruptedCallsActiveUntilCleared)
{
    run("g(x)=1/x");
    run("f(x)=g(x)");
    EXPECT_EQ(call("f", {0}), "error: Division by zero.");
    EXPECT_EQ(calculator.activeCallCount(), 2);
    // A direct caller that goes on calling must empty the list first.
    EXPECT_EQ(call("f", {1}), "error: Recursive functions are not allowed.");
    EXPECT_EQ(call("g", {1}), "error: Recursive functions are not allowed.");
    calculator.clearActiveCalls();
    EXPECT_EQ(call("f", {2}), "0.5");
    EXPECT_EQ(calculator.activeCallCount(), 0);
    // A statement starts with no active calls.
    EXPECT_EQ(call("f", {0}), "error: Division by zero.");
    expectOutput("f(4)", "= 0.25");
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
}

TEST_F(Functions, LookupVariableFindsConstantsAndVariables)
{
    run("x=2.5");
    EXPECT_EQ(calculator.lookupVariable(text("x")).real(), 2.5);
    EXPECT_EQ(calculator.lookupVariable(text("i")).imaginary(), 1);
    EXPECT_EQ(calculator.lookupVariable(text("\u03C0")).real(), 3.141592653589793);
    try {
        calculator.lookupVariable(text("y"));
        ADD_FAILURE() << "y was found";
    } catch (const VKCL::CSyntaxException& error) {
        EXPECT_EQ(utf8(error.toString()), "Variable 'y' not defined.");
    }
}

TEST(ReservedNames, HaveTheirFixedOrder)
{
    enginetest::CScriptedConfirmation confirmation;
    const VKCL::CCalculator calculator(confirmation);
    const std::vector<VKF::CString>& names = calculator.reservedNames();
    ASSERT_EQ(names.size(), 26u);
    const char* const expected[] = {"pi", "e", "i", "\u03C0", "ans", "sqrt", "ln", "sin", "cos",
                                    "tan", "log", "arcsin", "arccos", "arctan", "sinh", "cosh", "tanh",
                                    "arcsinh", "arccosh", "arctanh", "exp", "abs", "arg", "Im", "Re", "E"};
    for (std::size_t k = 0; k < names.size(); ++k)
        EXPECT_EQ(utf8(names[k]), expected[k]) << "position " << k;
    EXPECT_TRUE(calculator.isReserved(VKCL::viewOf(text("E"))));
    EXPECT_FALSE(calculator.isReserved(VKCL::viewOf(text("e2"))));
}

TEST(ArityMessage, UsesTheSingularForOneParameter)
{
    EXPECT_EQ(utf8(VKCL::arityMessage(VKCL::viewOf(text("f")), 1)), "Function 'f' takes 1 parameter.");
    EXPECT_EQ(utf8(VKCL::arityMessage(VKCL::viewOf(text("f")), 0)), "Function 'f' takes 0 parameters.");
    EXPECT_EQ(utf8(VKCL::arityMessage(VKCL::viewOf(text("g")), 12)), "Function 'g' takes 12 parameters.");
}
