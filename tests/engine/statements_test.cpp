// The statement compiler: expressions, assignments, definitions, unassignments and questions.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "engine/function_call.h"
#include "tests/engine/engine_test_support.h"

using enginetest::CEngineTest;
using enginetest::text;
using enginetest::utf8;

namespace {

class Statements : public CEngineTest {};

} // namespace

TEST_F(Statements, ExpressionsSetTheAnswer)
{
    expectOutput("1+2", "= 3");
    EXPECT_EQ(calculator.answer().real(), 3);
    expectOutput("z=3+4i", "z = 3 + i*4");
    expectOutput("z", "= 3 + i*4");
    expectError("1/0", "Division by zero.");
    EXPECT_EQ(calculator.answer().real(), 3);
    EXPECT_EQ(calculator.answer().imaginary(), 4);
}

TEST_F(Statements, EmptyLinesAreEmptyExpressions)
{
    expectError("", "Expression is empty.");
    expectError(" \t ", "Expression is empty.");
}

TEST_F(Statements, OverwritesTheOutputEveryTime)
{
    VKF::CString output = text("old text");
    calculator.executeStatement(text("2*3"), output);
    EXPECT_EQ(utf8(output), "= 6");
    calculator.executeStatement(text("2*"), output);
    EXPECT_EQ(utf8(output), "Illegal syntax:  Unable to parse expression. Please make sure you typed correctly.");
}

TEST_F(Statements, AssignsVariablesWithoutChangingTheAnswer)
{
    expectOutput("x=5", "x = 5");
    EXPECT_TRUE(confirmation.questions().empty());
    EXPECT_EQ(calculator.answer().real(), 0);
    expectOutput("x + 1", "= 6");
    expectOutput("y = 5", "y = 5");
    expectOutput(" \u03B1 = 1 ", "\u03B1 = 1");
    expectOutput("x_2=1", "x_2 = 1");
    expectOutput("X=2", "X = 2");
    expectOutput("x*10+X", "= 52");
    expectOutput("___g_x=x", "___g_x = 5");
}

TEST_F(Statements, AsksBeforeReassigningAVariable)
{
    run("x=5");
    confirmation.willAnswer(false);
    expectOutput("x=6", "Could not reassign the name 'x'.");
    expectOutput("x", "= 5");
    confirmation.willAnswer(true);
    expectOutput("x=6", "x = 6");
    expectOutput("x", "= 6");
    ASSERT_EQ(confirmation.questions().size(), 2u);
    EXPECT_EQ(confirmation.questions()[0], "Are you sure you want to reassign the variable 'x'?");
    EXPECT_EQ(confirmation.questions()[1], "Are you sure you want to reassign the variable 'x'?");
    EXPECT_EQ(calculator.constants().size(), 1);
}

TEST_F(Statements, AsksBeforeTurningAFunctionIntoAVariable)
{
    run("f(x)=x+1");
    confirmation.willAnswer(false);
    expectOutput("f=2", "Could not reassign the name 'f'.");
    expectOutput("f(1)", "= 2");
    confirmation.willAnswer(true);
    expectOutput("f=2", "f = 2");
    expectError("f(1)", "Function 'f' not defined.");
    expectOutput("f", "= 2");
    EXPECT_EQ(confirmation.questions()[0], "Are you sure want to reassign the function 'f' to be a variable?");
    EXPECT_EQ(calculator.functions().size(), 0);
}

TEST_F(Statements, AsksBeforeTurningAVariableIntoAFunction)
{
    run("x=1");
    confirmation.willAnswer(false);
    expectOutput("x(a)=a", "Could not reassign function 'x'.");
    expectOutput("x", "= 1");
    confirmation.willAnswer(true);
    expectOutput("x(a)=a", "x = {1}");
    expectOutput("x(4)", "= 4");
    EXPECT_EQ(confirmation.questions()[0], "Are you sure you want to reassign the variable 'x' to a be function?");
    EXPECT_EQ(calculator.constants().size(), 0);
}

TEST_F(Statements, AsksBeforeRedefiningAFunction)
{
    run("f(x)=x");
    run("g(x)=3");
    confirmation.willAnswer(false);
    expectOutput("f(x)=2x", "Could not reassign the name 'f'.");
    expectOutput("f(5)", "= 5");
    confirmation.willAnswer(true);
    expectOutput("f(x,y)=2x+y", "f = 2*{1}+{2}");
    expectOutput("f(5,1)", "= 11");
    EXPECT_EQ(confirmation.questions()[0], "Are you sure you want to reassign the function 'f'?");
    EXPECT_EQ(calculator.functions().indexOf(text("f")), 0);
}

TEST_F(Statements, EvaluatesTheRightSideBeforeCheckingTheName)
{
    expectError("pi=1/0", "Division by zero.");
    run("x=5");
    expectError("x=y", "Variable 'y' not defined.");
    EXPECT_TRUE(confirmation.questions().empty());
    expectOutput("x", "= 5");
    expectError("x=", "Expression is empty.");
}

TEST_F(Statements, RefusesReservedNames)
{
    expectError("pi=3", "Could not assign variable 'pi' (name is reserved).");
    expectError("sin=1", "Could not assign variable 'sin' (name is reserved).");
    expectError("ans=3", "Could not assign variable 'ans' (name is reserved).");
    expectError("E=3", "Could not assign variable 'E' (name is reserved).");
    expectError("\u03C0=3", "Could not assign variable '\u03C0' (name is reserved).");
    expectError("sin(x)=x", "Could not assign function 'sin' (name is reserved).");
    expectError("e()=1", "Could not assign function 'e' (name is reserved).");
    expectError("pi=?", "The name 'pi' is reserved and cannot be unassigned.");
    expectError("sin()=?", "The name 'sin' is reserved and cannot be unassigned.");
    // Parameter checks and the body come first.
    expectError("sin(pi)=1", "Parameter name 'pi' is a reserved name.");
    expectError("sin(x)=", "Expression is empty.");
}

TEST_F(Statements, DefinesFunctions)
{
    expectOutput("f(x,y)=x*y+1", "f = {1}*{2}+1");
    expectOutput("f(2,3)", "= 7");
    expectOutput("g()=2+3", "g = 2+3");
    expectOutput("g()", "= 5");
    expectOutput("h(x,)=x", "h = {1}");
    expectOutput("h(4)", "= 4");
    expectOutput("k ( a , b ) = a - b", "k = {1}-{2}");
    EXPECT_EQ(calculator.answer().real(), 4);
}

TEST_F(Statements, CompilesBodiesWithParametersAndLiteralProducts)
{
    expectOutput("f(x)=2x", "f = 2*{1}");
    expectOutput("f2(x)=2 x", "f2 = 2*{1}");
    expectOutput("f3(x)=2pi", "f3 = 2*pi");
    expectOutput("f4(x)=2(x)", "f4 = 2({1})");
    expectOutput("f5(x)=x2", "f5 = x2");
    expectOutput("f6(x)=(x)x", "f6 = ({1}){1}");
    expectOutput("f7(a,b,c)=c^b^a", "f7 = {3}^{2}^{1}");
    expectOutput("f8(x)=0.5x", "f8 = 0.5*{1}");
    expectOutput("f6(3)", "= 9");
    expectOutput("f7(2,3,2)", "= 64");
}

TEST_F(Statements, StoresMalformedBodiesAndFailsWhenCalled)
{
    expectOutput("f(x)=x+)", "f = {1}+)");
    expectError("f(1)", "Unable to parse expression. Please make sure you typed correctly.");
    expectOutput("g(x)=y*x", "g = y*{1}");
    expectError("g(1)", "Variable 'y' not defined.");
    expectOutput("q(x)=x?", "q = {1}?");
    expectError("q(1)", "Unable to parse expression. Please make sure you typed correctly.");
    expectOutput("a(x)=x=1", "a = {1}=1");
    expectOutput("b(x)=(x", "b = ({1}");
    expectError("b(1)", "Missing right parantheses.");
    expectError("f(x)=", "Expression is empty.");
}

TEST_F(Statements, ChecksParametersInOrder)
{
    run("x=1");
    run("f(a)=a");
    expectError("g(x)=x^2", "Parameter name 'x' is already taken by a user defined constant.");
    expectError("g(f)=1", "Parameter name 'f' is already taken by a user defined function.");
    expectError("g(pi)=1", "Parameter name 'pi' is a reserved name.");
    expectError("g(a,a)=1", "All parameter names must be unique when assigning function");
    // The first parameter is checked completely before the second.
    expectError("g(x,a,a)=1", "Parameter name 'x' is already taken by a user defined constant.");
    expectError("g(a,pi,a)=1", "Parameter name 'pi' is a reserved name.");
    expectError("g(a,a,pi)=1", "All parameter names must be unique when assigning function");
    // The unassignment form is checked as well.
    expectError("f(x)=?", "Parameter name 'x' is already taken by a user defined constant.");
    expectError("g(a,a)=", "All parameter names must be unique when assigning function");
    EXPECT_EQ(calculator.functions().size(), 1);
}

TEST_F(Statements, ChecksManyParametersLikeFew)
{
    std::string parameters = "p0";
    std::string body = "p0";
    std::string arguments = "0";
    for (int k = 1; k < 40; ++k) {
        std::string name = "p";
        name += std::to_string(k);
        parameters += ',';
        parameters += name;
        body += '+';
        body += name;
        arguments += ',';
        arguments += std::to_string(k);
    }
    run("f(" + parameters + ")=" + body);
    expectOutput("f(" + arguments + ")", "= 780");
    expectError("g(" + parameters + ",p7)=1", "All parameter names must be unique when assigning function");
    expectError("g(" + parameters + ",pi)=1", "Parameter name 'pi' is a reserved name.");
}

TEST_F(Statements, ReadsOtherShapesAsExpressions)
{
    run("f(x)=x+1");
    expectError("f(,x)=x", "Expression is empty.");
    expectError("f(2)=3", "Unable to parse expression. Please make sure you typed correctly.");
    expectError("f(x)(y)=1", "Variable 'x' not defined.");
    expectError("g(2)=3", "Function 'g' not defined.");
    expectOutput("f(1)", "= 2");
    expectError("f(x)", "Variable 'x' not defined.");
    expectError("(x)=1", "Variable 'x' not defined.");
    expectError("2=1", "Unable to parse expression. Please make sure you typed correctly.");
}

TEST_F(Statements, UnassignsNames)
{
    run("x=5");
    expectOutput("x=?", "The name 'x' was unassigned.");
    expectError("x=?", "The name 'x' has no definition or has already been unassigned.");
    expectError("x", "Variable 'x' not defined.");
    run("f(x,y)=x*y+1");
    expectOutput("f(a)=?", "The name 'f' was unassigned.");
    run("f(x,y)=x*y+1");
    expectOutput("f()=?", "The name 'f' was unassigned.");
    run("f(x)=x");
    expectOutput("f = ?", "The name 'f' was unassigned.");
    expectError("f(1)", "Function 'f' not defined.");
    EXPECT_TRUE(confirmation.questions().empty());
    expectError("x=?1", "Unable to parse expression. Please make sure you typed correctly.");
}

TEST_F(Statements, AuxiliaryNamesCanBeUnassignedHarmlessly)
{
    expectError("___g=?", "The name '___g' has no definition or has already been unassigned.");
    expectError("___g()=?", "The name '___g' has no definition or has already been unassigned.");
    EXPECT_EQ(calculator.constants().size(), 0);
    EXPECT_EQ(calculator.functions().size(), 0);
    expectOutput("___g(x)=x^2", "___g = {1}^2");
    run("___g=?");
    expectOutput("___g(x)=x^3", "___g = {1}^3");
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST_F(Statements, ReportsTokenizerErrors)
{
    expectError("x=3 % 2", "Character '%' is illegal.");
    expectError("f(x)=x#", "Character '#' is illegal.");
    expectError("1.2.3", "Error parsing value (illegal '.').");
    expectError("1E999", "Numeric overflow occured while calculating.");
}

TEST_F(Statements, SurvivesAQuestionThatRunsAnotherStatement)
{
    // A message loop runs while the question is open; other windows may use the engine.
    class CNestedConfirmation : public VKCL::CConfirmation {
    public:
        VKCL::CCalculator* calculator = nullptr;
        std::string nestedOutput;
        bool confirm(const VKF::CString&) override
        {
            VKF::CString output;
            calculator->executeStatement(text("f=?"), output);
            nestedOutput = utf8(output);
            return true;
        }
    };
    CNestedConfirmation nested;
    VKCL::CCalculator engine(nested);
    nested.calculator = &engine;
    VKF::CString output;
    engine.executeStatement(text("f(x)=x"), output);
    engine.executeStatement(text("f(x)=2x"), output);
    EXPECT_EQ(nested.nestedOutput, "The name 'f' was unassigned.");
    EXPECT_EQ(utf8(output), "f = 2*{1}");
    engine.executeStatement(text("f=3"), output);
    EXPECT_EQ(utf8(output), "f = 3");
    EXPECT_EQ(engine.functions().size(), 0);
    EXPECT_EQ(engine.constants().size(), 1);
}

TEST(StatementsFuzz, NeverThrowsForTypedText)
{
    class CAlternatingConfirmation : public VKCL::CConfirmation {
    public:
        bool confirm(const VKF::CString&) override { return (++m_count & 1) != 0; }

    private:
        int m_count = 0;
    };
    CAlternatingConfirmation confirmation;
    VKCL::CCalculator calculator(confirmation);
    const char* const pieces[] = {"x", "y", "f", "g", "(", ")", ",", "=", "?", "+", "-", "*", "/", "^",
                                  "1", "2", "0", ".", "E", "e", "i", "pi", "sin", "ans", " ", "E-", "%"};
    std::mt19937 random(20240101);
    for (int line = 0; line < 20000; ++line) {
        std::string input;
        const int length = int(random() % 16);
        for (int k = 0; k < length; ++k)
            input += pieces[random() % std::size(pieces)];
        VKF::CString output;
        try {
            calculator.executeStatement(text(input), output);
        } catch (const VKF::CException& error) {
            ADD_FAILURE() << "input: " << input << " threw " << utf8(error.toString());
        }
        EXPECT_FALSE(output.isEmpty()) << "input: " << input;
        // A direct caller after a failed call, as the plot dialogs do.
        if (line % 7 == 0) {
            VKCL::CFunctionCall call(text(line % 2 == 0 ? "f" : "g"));
            call.addArgument(VKCL::CValue(1, 0));
            try {
                calculator.callFunction(call);
            } catch (const VKCL::CSyntaxException&) {
                calculator.clearActiveCalls();
            }
        }
    }
}

TEST(StatementsTiming, ReportsTheCostOfTypicalLines)
{
    enginetest::CScriptedConfirmation confirmation;
    VKCL::CCalculator calculator(confirmation);
    VKF::CString output;
    calculator.executeStatement(text("f(x)=sin(x)^2+cos(3x)/(1+x^2)"), output);
    calculator.executeStatement(text("x=0.7"), output);
    const VKF::CString lines[] = {text("1+2"), text("sin(x)^2+cos(3x)/(1+x^2)")};
    for (const VKF::CString& line : lines) {
        constexpr int repetitions = 20000;
        const auto started = std::chrono::steady_clock::now();
        for (int k = 0; k < repetitions; ++k)
            calculator.executeStatement(line, output);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("[ info     ] %s: %.3f us per statement\n", utf8(line).c_str(), seconds / repetitions * 1e6);
    }
    constexpr int plots = 100;
    double sum = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int plot = 0; plot < plots; ++plot) {
        for (int sample = 0; sample <= 400; ++sample) {
            VKCL::CFunctionCall sampleCall(text("f"));
            sampleCall.addArgument(VKCL::CValue(-5 + sample * 0.025, 0));
            sum += calculator.callFunction(sampleCall).real();
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ info     ] 401 calls of f through callFunction: %.3f ms (checksum %.6f)\n", seconds / plots * 1e3, sum);
    VKCL::CFunctionCall atX(text("f"));
    atX.addArgument(VKCL::CValue(0.7, 0));
    EXPECT_EQ(calculator.callFunction(atX).real(), calculator.answer().real());
}
