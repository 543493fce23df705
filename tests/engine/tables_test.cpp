// The constant and function tables and a freshly created calculator.
#include "engine/tables.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/calculator.h"
#include "engine/tokenizer.h"
#include "tests/engine/engine_test_support.h"

using enginetest::text;
using enginetest::utf8;
using VKCL::CConstantTable;
using VKCL::CExpression;
using VKCL::CFunctionTable;
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

CExpression bodyOf(const std::string& formula, uint32_t parameterCount)
{
    CExpression body;
    VKCL::tokenize(text(formula), body);
    body.setParameterCount(parameterCount);
    return body;
}

} // namespace

TEST(ConstantTable, FindsNamesExactly)
{
    CConstantTable table;
    EXPECT_EQ(table.indexOf(text("x")), -1);
    table.add(text("x"), CValue(1, 0));
    table.add(text("y"), CValue(2, 0));
    table.add(text("z"), CValue(3, 0));
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.indexOf(text("z")), 2);
    EXPECT_EQ(table.indexOf(text("Z")), -1);
    EXPECT_EQ(table.indexOf(text("zz")), -1);
    EXPECT_EQ(table.indexOf(VKF::CString()), -1);
}

TEST(ConstantTable, RemovingMovesLaterEntriesDown)
{
    CConstantTable table;
    table.add(text("x"), CValue(1, 0));
    table.add(text("y"), CValue(2, 0));
    table.add(text("z"), CValue(3, 0));
    table.remove(0);
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(table.indexOf(text("y")), 0);
    EXPECT_EQ(table.indexOf(text("z")), 1);
    EXPECT_EQ(table.get(0).real(), 2);
    EXPECT_EQ(table.get(1).real(), 3);
    EXPECT_EQ(table.indexOf(text("x")), -1);
}

TEST(ConstantTable, GetAndReplaceCheckTheIndex)
{
    CConstantTable table;
    table.add(text("x"), CValue(1, 0));
    table.replace(0, CValue(5, 0));
    EXPECT_EQ(table.get(0).real(), 5);
    EXPECT_EQ(utf8(table.nameAt(0)), "x");
    expectMessage([&] { table.get(-1); }, "Bug: CConstantTable::get called with invalid index.");
    expectMessage([&] { table.get(1); }, "Bug: CConstantTable::get called with invalid index.");
    expectMessage([&] { table.replace(-1, CValue()); }, "Bug: CConstantTable::replace called with invalid index.");
    expectMessage([&] { table.replace(1, CValue()); }, "Bug: CConstantTable::replace called with invalid index.");
}

TEST(FunctionTable, FindsRemovesAndReplacesBodies)
{
    CFunctionTable table;
    EXPECT_EQ(table.indexOf(text("f")), -1);
    table.add(text("f"), bodyOf("1", 0));
    table.add(text("g"), bodyOf("2", 1));
    table.add(text("h"), bodyOf("3", 2));
    EXPECT_EQ(table.indexOf(text("h")), 2);
    EXPECT_EQ(table.indexOf(text("H")), -1);
    table.remove(0);
    EXPECT_EQ(table.indexOf(text("g")), 0);
    EXPECT_EQ(utf8(table.get(text("h")).toString()), "3");
    EXPECT_EQ(table.get(text("h")).parameterCount(), 2u);

    table.replace(0, bodyOf("x+1", 3));
    EXPECT_EQ(table.indexOf(text("g")), 0);
    EXPECT_EQ(utf8(table.get(text("g")).toString()), "x+1");
    EXPECT_EQ(table.get(text("g")).parameterCount(), 3u);
}

TEST(FunctionTable, ReportsCallerErrors)
{
    CFunctionTable table;
    table.add(text("f"), bodyOf("1", 0));
    expectMessage([&] { table.get(text("g")); }, "Bug: CFunctionTable::get called with invalid name.");
    expectMessage([&] { table.replace(1, CExpression()); }, "Bug: CFunctionTable::replace called with invalid index.");
    expectMessage([&] { table.replace(-1, CExpression()); }, "Bug: CFunctionTable::replace called with invalid index.");
}

TEST(FunctionTable, KeepsCopiesOfTheBodies)
{
    CFunctionTable table;
    CExpression body = bodyOf("a", 1);
    table.add(text("f"), body);
    body.addParameter(CValue(1, 0));
    EXPECT_TRUE(table.get(text("f")).parameterValues().empty());
    CExpression copy = table.get(text("f"));
    copy.addParameter(CValue(2, 0));
    EXPECT_TRUE(table.get(text("f")).parameterValues().empty());
}

TEST(FindName, ComparesWholeNames)
{
    const VKF::CString names[] = {text("f1"), text("f2"), text("g2"), text("f12"), VKF::CString()};
    EXPECT_EQ(VKCL::findName(names, 5, VKCL::viewOf(text("g2"))), 2);
    EXPECT_EQ(VKCL::findName(names, 5, VKCL::viewOf(text("f12"))), 3);
    EXPECT_EQ(VKCL::findName(names, 5, VKCL::viewOf(text("f3"))), -1);
    EXPECT_EQ(VKCL::findName(names, 5, VKCL::CNameView()), 4);
    EXPECT_EQ(VKCL::findName(names, 4, VKCL::CNameView()), -1);
}

TEST(Calculator, StartsEmpty)
{
    enginetest::CScriptedConfirmation confirmation;
    const VKCL::CCalculator calculator(confirmation);
    EXPECT_EQ(calculator.constants().size(), 0);
    EXPECT_EQ(calculator.functions().size(), 0);
    EXPECT_EQ(calculator.activeCallCount(), 0);
    EXPECT_EQ(calculator.answer().real(), 0);
    EXPECT_EQ(calculator.answer().imaginary(), 0);
    EXPECT_EQ(calculator.reservedNames().size(), 26u);
}
