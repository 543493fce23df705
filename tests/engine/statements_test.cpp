// The statement compiler: expressions, assignments, definitions, unassignments and questions.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "engine/function_call.h"
#include "engine/tables.h"
#include "tests/engine/engine_test_support.h"

using enginetest::EMPTY;
using enginetest::error;
using enginetest::text;
using enginetest::UNPARSABLE;
using enginetest::utf8;

namespace {

const std::string DUPLICATE_PARAMETER = "All parameter names must be unique when assigning function";
const std::string NOT_DEFINED = "' has no definition or has already been unassigned.";

class Statements : public enginetest::CEngineTest {};

} // namespace

TEST_F(Statements, AssignsAndDefinesWithoutChangingTheAnswer)
{
    expectOutputs({
        {"f(x,y)=x*y+1", "f = {1}*{2}+1"},
        {"f(2,3)", "= 7"},
        {"g()=2+3", "g = 2+3"},
        {"g()", "= 5"},
        {"h(x,)=x", "h = {1}"},
        {"h(4)", "= 4"},
        {"k ( a , b ) = a - b", "k = {1}-{2}"},
        // Bodies are kept as typed, with parameters as numbers in braces.
        {"f1(x)=2 x", "f1 = 2*{1}"},
        {"f2(x)=2pi", "f2 = 2*pi"},
        {"f3(x)=2(x)", "f3 = 2({1})"},
        {"f4(x)=x2", "f4 = x2"},
        {"f5(x)=(x)x", "f5 = ({1}){1}"},
        {"f6(a,b,c)=c^b^a", "f6 = {3}^{2}^{1}"},
        {"f7(x)=0.5x", "f7 = 0.5*{1}"},
        {"f5(3)", "= 9"},
        {"f6(2,3,2)", "= 64"},
        {"z=3+4i", "z = 3 + i*4"},
        {"x=5", "x = 5"},
        {"x + 1", "= 6"},
        {"y = 5", "y = 5"},
        {" \u03B1 = 1 ", "\u03B1 = 1"},
        {"x_2=1", "x_2 = 1"},
        {"X=2", "X = 2"},
        {"x*10+X", "= 52"},
        {"___g_x=x", "___g_x = 5"},
        // The right side is evaluated before the name is looked at.
        {"pi=1/0", error(enginetest::DIVISION_BY_ZERO)},
        {"x=u", error("Variable 'u' not defined.")},
        {"x=", error(EMPTY)},
        {"x", "= 5"},
        {"w=8", "w = 8"},
        {"d(t)=1", "d = 1"},
    });
    EXPECT_EQ(calculator.answer().real(), 5);
    EXPECT_TRUE(confirmation.questions().empty());
    // A statement replaces whatever the output held.
    VKF::CString output = text("old text");
    calculator.executeStatement(text("2*"), output);
    EXPECT_EQ(utf8(output), error(UNPARSABLE));
}

TEST_F(Statements, AsksBeforeReplacingANameAndTakesBothAnswers)
{
    run("x=5");
    run("f(t)=t+1");
    run("v=1");
    // Each change is refused once and then accepted.
    for (int change = 0; change < 4; ++change) {
        confirmation.willAnswer(false);
        confirmation.willAnswer(true);
    }
    expectOutputs({
        {"x=6", "Could not reassign the name 'x'."},
        {"x", "= 5"},
        {"x=6", "x = 6"},
        {"x", "= 6"},
        {"f=2", "Could not reassign the name 'f'."},
        {"f(1)", "= 2"},
        {"f=2", "f = 2"},
        {"f(1)", error("Function 'f' not defined.")},
        {"f", "= 2"},
        {"v(a)=a", "Could not reassign function 'v'."},
        {"v", "= 1"},
        {"v(a)=a", "v = {1}"},
        {"v(4)", "= 4"},
        {"v(a)=2a", "Could not reassign the name 'v'."},
        {"v(5)", "= 5"},
        {"v(a,b)=2a+b", "v = 2*{1}+{2}"},
        {"v(5,1)", "= 11"},
    });
    const std::vector<std::string> questions = {
        "Are you sure you want to reassign the variable 'x'?", "Are you sure you want to reassign the variable 'x'?",
        "Are you sure want to reassign the function 'f' to be a variable?",
        "Are you sure want to reassign the function 'f' to be a variable?",
        "Are you sure you want to reassign the variable 'v' to a be function?",
        "Are you sure you want to reassign the variable 'v' to a be function?",
        "Are you sure you want to reassign the function 'v'?", "Are you sure you want to reassign the function 'v'?"};
    EXPECT_EQ(confirmation.questions(), questions);
    EXPECT_EQ(calculator.constants().size(), 2);
    EXPECT_EQ(calculator.functions().size(), 1);
}

TEST_F(Statements, RefusesReservedNames)
{
    for (const std::string name : {"pi", "e", "i", "\u03C0", "ans", "E"}) {
        expectError(name + "=3", "Could not assign variable '" + name + "' (name is reserved).");
        expectError(name + "()=1", "Could not assign function '" + name + "' (name is reserved).");
        expectError(name + "=?", "The name '" + name + "' is reserved and cannot be unassigned.");
    }
    expectOutputs({
        {"sin=1", error("Could not assign variable 'sin' (name is reserved).")},
        {"sin()=?", error("The name 'sin' is reserved and cannot be unassigned.")},
        // Parameter checks and the body come first.
        {"sin(pi)=1", error("Parameter name 'pi' is a reserved name.")},
        {"sin(x)=", error(EMPTY)},
    });
}

TEST_F(Statements, StoresMalformedBodiesAndFailsWhenCalled)
{
    expectOutputs({
        {"f(x)=x+)", "f = {1}+)"},
        {"f(1)", error(UNPARSABLE)},
        {"q(x)=x?", "q = {1}?"},
        {"q(1)", error(UNPARSABLE)},
        {"a(x)=x=1", "a = {1}=1"},
        {"a(1)", error(UNPARSABLE)},
        {"b(x)=(x", "b = ({1}"},
        {"b(1)", error("Missing right parantheses.")},
        {"c(x)=(a,b)=-c/d^e?", "c = (a,b)=-c/d^e?"},
        {"f(x)=", error(EMPTY)},
        {"f(x)=x#", error("Character '#' is illegal.")},
    });
}

TEST_F(Statements, ChecksParametersInOrder)
{
    run("x=1");
    run("f(a)=a");
    expectOutputs({
        {"g(x)=x^2", error("Parameter name 'x' is already taken by a user defined constant.")},
        {"g(f)=1", error("Parameter name 'f' is already taken by a user defined function.")},
        {"g(pi)=1", error("Parameter name 'pi' is a reserved name.")},
        {"g(a,a)=1", error(DUPLICATE_PARAMETER)},
        // The first parameter is checked completely before the second.
        {"g(x,a,a)=1", error("Parameter name 'x' is already taken by a user defined constant.")},
        {"g(a,pi,a)=1", error("Parameter name 'pi' is a reserved name.")},
        {"g(a,a,pi)=1", error(DUPLICATE_PARAMETER)},
        // The unassignment form and an empty body are checked as well.
        {"f(x)=?", error("Parameter name 'x' is already taken by a user defined constant.")},
        {"g(a,a)=", error(DUPLICATE_PARAMETER)},
        // Other shapes with '=' are read as expressions.
        {"f(,x)=x", error(EMPTY)},
        {"f(2)=3", error(UNPARSABLE)},
        {"f(x)(y)=1", error("Variable 'y' not defined.")},
        {"g(2)=3", error("Function 'g' not defined.")},
        {"(x)=1", error(UNPARSABLE)},
        {"2=1", error(UNPARSABLE)},
    });
    EXPECT_EQ(calculator.functions().size(), 1);
    // Forty parameters are checked like two.
    std::string parameters = "p0", body = "p0", arguments = "0";
    for (int k = 1; k < 40; ++k) {
        const std::string number = std::to_string(k);
        parameters += ",p";
        parameters += number;
        body += "+p";
        body += number;
        arguments += ',';
        arguments += number;
    }
    run("h(" + parameters + ")=" + body);
    expectOutput("h(" + arguments + ")", "= 780");
    expectError("g(" + parameters + ",p7)=1", DUPLICATE_PARAMETER);
    expectError("g(" + parameters + ",pi)=1", "Parameter name 'pi' is a reserved name.");
}

TEST_F(Statements, UnassignsNamesInEveryForm)
{
    expectOutputs({
        {"x=5", "x = 5"},
        {"y=6", "y = 6"},
        {"z=7", "z = 7"},
        {"x=?", "The name 'x' was unassigned."},
        {"x=?", error("The name 'x" + NOT_DEFINED)},
        {"x", error("Variable 'x' not defined.")},
        {"y+z", "= 13"},
        {"f(s,t)=s*t+1", "f = {1}*{2}+1"},
        {"g(t)=t+1", "g = {1}+1"},
        {"f(a)=?", "The name 'f' was unassigned."},
        {"g(2)", "= 3"},
        {"f(s,t)=s*t+1", "f = {1}*{2}+1"},
        {"f()=?", "The name 'f' was unassigned."},
        {"f(x)=x", "f = {1}"},
        {"f = ?", "The name 'f' was unassigned."},
        {"f(1)", error("Function 'f' not defined.")},
        {"x=?1", error(UNPARSABLE)},
        // The dialogs unassign their helper names whether they are defined or not.
        {"___g=?", error("The name '___g" + NOT_DEFINED)},
        {"___g()=?", error("The name '___g" + NOT_DEFINED)},
        {"___g(x)=x^2", "___g = {1}^2"},
        {"___g=?", "The name '___g' was unassigned."},
        {"___g(x)=x^3", "___g = {1}^3"},
    });
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST(StatementsNested, SurviveAQuestionThatRunsAnotherStatement)
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
    enginetest::CInspectedCalculator engine(nested);
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
        } catch (const VKF::CException& caught) {
            ADD_FAILURE() << "input: " << input << " threw " << utf8(caught.toString());
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
