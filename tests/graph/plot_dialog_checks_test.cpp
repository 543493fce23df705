// The plot and zoom dialogs' checks, and plots sampled through the engine.
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"
#include "graph/portable/plot_setup_acceptance.h"
#include "graph/portable/zoom_acceptance.h"
#include "tests/engine/engine_test_support.h"
#include "tests/graph/fixed_measure.h"

using enginetest::text;
using enginetest::utf8;

namespace {

const std::string NOT_DEFINED = "Function '___dummy' not defined.";

class PlotDialogTest : public enginetest::CEngineTest {
protected:
    // An expression dialog with both default axes: y = expression over -3 .. 3.
    static CPlotDialogFields expressionFields(const std::string& expression)
    {
        CPlotDialogFields fields;
        fields.expression = text(expression);
        fields.variable = text("x");
        fields.variableFrom = text("-3");
        fields.variableTo = text("3");
        return fields;
    }

    static CPlotDialogFields vectorFields(const std::string& x, const std::string& y)
    {
        CPlotDialogFields fields = expressionFields("");
        fields.kind = PlotKind::Vector;
        fields.variable = text("t");
        fields.xExpression = text(x);
        fields.yExpression = text(y);
        return fields;
    }

    CPlotSetup accepted(const CPlotDialogFields& fields)
    {
        auto result = acceptPlotSetup(calculator, fields);
        if (const CDialogMessage* message = std::get_if<CDialogMessage>(&result)) {
            ADD_FAILURE() << "refused: " << utf8(message->title) << ": " << utf8(message->text);
            return {};
        }
        return std::get<CPlotSetup>(result);
    }

    // "title: text" of the message the dialog shows, or "accepted".
    std::string messageOf(const CPlotDialogFields& fields)
    {
        const auto result = acceptPlotSetup(calculator, fields);
        const CDialogMessage* message = std::get_if<CDialogMessage>(&result);
        return message == nullptr ? "accepted" : utf8(message->title) + ": " + utf8(message->text);
    }

    std::string zoomMessageOf(const CZoomFields& fields)
    {
        const auto result = acceptZoom(calculator, fields);
        const CDialogMessage* message = std::get_if<CDialogMessage>(&result);
        return message == nullptr ? "accepted" : utf8(message->title) + ": " + utf8(message->text);
    }

    // The message the console shows for a failing line, without its "Illegal syntax:  ".
    std::string consoleError(const std::string& line) { return run(line).substr(enginetest::error("").size()); }
};

int validCount(const CPlotSetup& setup)
{
    int count = 0;
    for (const CPlotPoint& point : setup.plot.points)
        count += point.valid ? 1 : 0;
    return count;
}

} // namespace

TEST_F(PlotDialogTest, PlotDialogMessagesInTheirOrder)
{
    using Change = std::function<void(CPlotDialogFields&)>;
    const auto field = [](VKF::CString CPlotDialogFields::*member, const char* value) -> Change {
        return [=](CPlotDialogFields& f) { f.*member = text(value); };
    };
    const auto explicitY = [](const char* from, const char* to) -> Change {
        return [=](CPlotDialogFields& f) { f.yAxisDefault = false; f.yAxisFrom = text(from); f.yAxisTo = text(to); };
    };
    const auto explicitX = [](const char* from, const char* to) -> Change {
        return [=](CPlotDialogFields& f) { f.xAxisDefault = false; f.xAxisFrom = text(from); f.xAxisTo = text(to); };
    };
    const std::string lower = "Error: An error occured while evaluating the lower value:\r\n\"";
    const struct {
        Change change;
        std::string message;
    } cases[] = {
        {field(&CPlotDialogFields::variableFrom, ""),
         "Error: Please enter a value (or an expression) into the 'Variable from' field."},
        {field(&CPlotDialogFields::variableFrom, "2i"), lower + "Cannot use complex values in graph.\""},
        {field(&CPlotDialogFields::variableFrom, "$"), lower + NOT_DEFINED + "\""},
        {field(&CPlotDialogFields::variableTo, " "),
         "Error: An error occured while evaluating the upper value:\r\n\"" + NOT_DEFINED + "\""},
        {field(&CPlotDialogFields::variableTo, "-3"), "Error: Lower value is higher than or equal to upper value."},
        {explicitX("1", ""), "Error: Please enter a value (or an expression) into the 'x axis to' field."},
        {explicitX("", "1"), "Error: Please enter a value (or an expression) into the 'x axis from' field."},
        {explicitX("1", "1i"),
         "Error: An error occured while evaluating the upper x value:\r\n\"Cannot use complex values in graph.\""},
        {explicitX("2", "1"), "Error: Lower x value is higher than or equal to upper x value."},
        {explicitY("1/0", "1"), "Error: An error occured while evaluating the lower y value:\r\n\"Division by zero.\""},
        {explicitY("0", "ln(0)"), "Error: An error occured while evaluating the upper y value:\r\n\""
                                      + consoleError("ln(0)") + "\""},
        {explicitY("1", "1"), "Error: Lower y value is higher than or equal to upper y value."},
        // The range checks come before the expression's own.
        {[](CPlotDialogFields& f) { f.variableTo = text("-4"); f.expression = text(""); },
         "Error: Lower value is higher than or equal to upper value."},
        {field(&CPlotDialogFields::variable, ""),
         "Error: Please enter a name (e.g. 'x') into the expression variable field."},
        {field(&CPlotDialogFields::expression, ""), "Error: Please enter an expression into the expression field."},
        {field(&CPlotDialogFields::expression, "1/0"), "Error computing values: Division by zero."},
        {field(&CPlotDialogFields::expression, "sqrt(x-4)"), "Error computing values: Cannot plot complex value."},
        // A definition the engine refuses leaves ___g undefined; a malformed body fails when called.
        {field(&CPlotDialogFields::expression, "x$"), "Error computing values: Function '___g' not defined."},
        {field(&CPlotDialogFields::expression, "x+*2"), "Error computing values: " + consoleError("1+*2")},
        // Accepted with a gap wherever the value is complex.
        {field(&CPlotDialogFields::expression, "sqrt(x)"), "accepted"},
        // Axis fields are read only when their box is not checked.
        {[](CPlotDialogFields& f) { f.yAxisFrom = text("junk"); f.xAxisTo = text(""); }, "accepted"},
    };
    for (const auto& c : cases) {
        CPlotDialogFields fields = expressionFields("x");
        c.change(fields);
        EXPECT_EQ(messageOf(fields), c.message) << "expression " << utf8(fields.expression) << ", variable "
                                                << utf8(fields.variableFrom) << " .. " << utf8(fields.variableTo);
    }

    const struct {
        const char *variable, *x, *y;
        std::string message;
    } vectorCases[] = {
        {"", "t", "t", "Error: Please enter a name (e.g. 't') into the 'variable' field."},
        {"t", "", "t", "Error: Please enter an expression into the 'x expression' field."},
        {"t", "t", "", "Error: Please enter an expression into the 'y expression' field."},
        {"t", "1/0", "t", "Error computing x values: Division by zero."},
        {"t", "t+i", "t", "Error computing x values: Cannot plot complex x value."},
        // A y expression that fails everywhere gives a plot without a valid point.
        {"t", "t", "1/0", "accepted"},
    };
    for (const auto& c : vectorCases) {
        CPlotDialogFields fields = vectorFields(c.x, c.y);
        fields.variable = text(c.variable);
        EXPECT_EQ(messageOf(fields), c.message) << c.variable << ": " << c.x << ", " << c.y;
    }
    // Every attempt unassigns its helpers first: no question was ever asked.
    EXPECT_TRUE(confirmation.questions().empty());
}

TEST_F(PlotDialogTest, ExpressionPlotsAreSampledThroughTheEngine)
{
    run("a=2");
    CPlotDialogFields fields = expressionFields("sin(x)");
    fields.weightIndex = 1;
    fields.colour = 0x000000FF;
    const CPlotSetup setup = accepted(fields);
    const CGraphAxes& axes = setup.axes;
    EXPECT_EQ(setup.kind, PlotKind::Expression);
    EXPECT_TRUE(axes.xFrom == -3 && axes.xTo == 3 && axes.yFrom == -3 && axes.yTo == 3 && axes.axisValues == 6);
    EXPECT_EQ(setup.plot.penWidth, 2);
    EXPECT_EQ(setup.plot.colour, 0x000000FFu);
    EXPECT_EQ(validCount(setup), PLOT_POINT_COUNT);
    // The variable's values: from exactly, then from + i × step, each computed afresh.
    for (int i = 0; i < PLOT_POINT_COUNT; ++i) {
        const CPlotPoint& point = setup.plot.points[size_t(i)];
        EXPECT_EQ(point.x, i == 0 ? -3.0 : -3 + i * 0.015) << i;
        EXPECT_NEAR(point.y, std::sin(point.x), 1E-15) << i;
    }
    // The plotted expression stays callable at the console; ___dummy does not stay defined.
    expectOutput("___g(2)", "= 0.9092974268257");
    expectError("___dummy()", NOT_DEFINED);

    // Explicit axes, user names in every field, and a field longer than 511 characters read whole.
    fields = expressionFields("1/x");
    fields.variableFrom = text("-" + std::string(600, '0') + "2");
    fields.variableTo = text("a");
    fields.xAxisDefault = fields.yAxisDefault = false;
    fields.xAxisFrom = text("-a");
    fields.xAxisTo = text("a*2");
    fields.yAxisFrom = text("-pi");
    fields.yAxisTo = text("sqrt(a)");
    const CPlotSetup pole = accepted(fields);
    EXPECT_TRUE(pole.plot.variableFrom == -2 && pole.plot.variableTo == 2);
    EXPECT_TRUE(pole.axes.xFrom == -2 && pole.axes.xTo == 4 && pole.axes.yFrom == -std::numbers::pi
                && pole.axes.yTo == std::sqrt(2.0));
    // x = 0 is sample 200 of -2 .. 2: a gap, where the division fails.
    EXPECT_FALSE(pole.plot.points[200].valid);
    EXPECT_EQ(pole.plot.points[200].x, 0);
    EXPECT_EQ(validCount(pole), PLOT_POINT_COUNT - 1);

    // The pole is open at the gap and where neighbours differ by the visible span (6) or more; after
    // zooming out only the gap stays open.
    CGraphModel graph(accepted(expressionFields("1/x")));
    CFixedMeasure measure;
    EXPECT_EQ(buildGraphScene(graph, measure).plots[0].segments.size(), 394u);
    graph.setAxes({-1000, 1000, -3, 3, 6});
    EXPECT_EQ(buildGraphScene(graph, measure).plots[0].segments.size(), 398u);

    const CPlotSetup identity = accepted(expressionFields("x"));
    for (const CPlotPoint& point : identity.plot.points)
        EXPECT_TRUE(point.valid && point.y == point.x) << point.x;

    // sqrt(x) over -1 .. 1: the points below 0 have complex values and are gaps.
    fields = expressionFields("sqrt(x)");
    fields.variableFrom = text("-1");
    fields.variableTo = text("1");
    const CPlotSetup root = accepted(fields);
    EXPECT_EQ(validCount(root), 201);
    EXPECT_FALSE(root.plot.points[199].valid);
    EXPECT_TRUE(root.plot.points[200].valid && root.plot.points[200].y == 0);
}

TEST_F(PlotDialogTest, VectorPlotsAreSampledThroughTheEngine)
{
    CPlotDialogFields fields = vectorFields("cos(t)", "sin(t)");
    fields.variableFrom = text("0");
    fields.variableTo = text("2pi");
    const CPlotSetup circle = accepted(fields);
    EXPECT_EQ(circle.kind, PlotKind::Vector);
    EXPECT_EQ(validCount(circle), PLOT_POINT_COUNT);
    for (const CPlotPoint& point : circle.plot.points)
        EXPECT_NEAR(point.x * point.x + point.y * point.y, 1, 1E-14);
    // The default axes are the parameter's range.
    EXPECT_TRUE(circle.axes.xFrom == 0 && circle.axes.xTo == 2 * std::numbers::pi
                && circle.axes.yTo == 2 * std::numbers::pi);
    expectOutput("___g_y(pi/2)", "= 1");

    // A point is valid only when both its coordinates are.
    const CPlotSetup half = accepted(vectorFields("t", "sqrt(t)"));
    EXPECT_EQ(validCount(half), 201);
}

TEST_F(PlotDialogTest, ZoomDialog)
{
    run("k=4");
    const CZoomFields shown = zoomFields({-2.5, 1E20, -3, 1.0 / 3, 6});
    EXPECT_EQ(utf8(shown.xFrom) + " " + utf8(shown.xTo) + " " + utf8(shown.yFrom) + " " + utf8(shown.yTo) + " "
                  + utf8(shown.axisValues),
              "-3 0.3333333333333 -2.5 1e+020 6");

    using Change = std::function<void(CZoomFields&)>;
    const auto set = [](VKF::CString CZoomFields::*member, const char* value) -> Change {
        return [=](CZoomFields& f) { f.*member = text(value); };
    };
    const struct {
        Change change;
        std::string message;
    } cases[] = {
        {set(&CZoomFields::xFrom, ""), "Error: Error computing lower x value:\r\n" + NOT_DEFINED},
        {set(&CZoomFields::xTo, "1+"), "Error: Error computing upper x value:\r\n" + consoleError("1+")},
        {set(&CZoomFields::yFrom, "2i"), "Error: Error computing lower y value:\r\nComplex value."},
        {set(&CZoomFields::yTo, "1/0"), "Error: Error computing upper y value:\r\nDivision by zero."},
        {set(&CZoomFields::axisValues, ""), "Error: Error parsing value from 'Axis values' field."},
        {set(&CZoomFields::axisValues, "7a"), "Error: Error parsing value from 'Axis values' field."},
        {set(&CZoomFields::axisValues, "-1"), "Error: Error parsing value from 'Axis values' field."},
        {set(&CZoomFields::axisValues, "4294967296"), "Error: Error parsing value from 'Axis values' field."},
        {set(&CZoomFields::axisValues, "0"),
         "Error: The 'Axis value' field must be an integer in the range of 1 through 15"},
        {set(&CZoomFields::axisValues, "16"),
         "Error: The 'Axis value' field must be an integer in the range of 1 through 15"},
        {set(&CZoomFields::axisValues, " 15 "), "accepted"},
        // No order is required of the bounds.
        {[](CZoomFields& f) { f.xFrom = text("5"); f.xTo = text("5"); f.yFrom = text("1"); f.yTo = text("-1"); },
         "accepted"},
    };
    for (const auto& c : cases) {
        CZoomFields fields = shown;
        c.change(fields);
        EXPECT_EQ(zoomMessageOf(fields), c.message) << utf8(fields.xFrom) << " " << utf8(fields.xTo) << " "
                                                    << utf8(fields.yFrom) << " " << utf8(fields.yTo) << " N "
                                                    << utf8(fields.axisValues);
    }

    const CZoomFields typed{text("k+1"), text("pi"), text("-" + std::string(600, '0') + "7"), text("sqrt(k)"),
                            text("15")};
    const auto result = acceptZoom(calculator, typed);
    ASSERT_TRUE(std::holds_alternative<CGraphAxes>(result));
    const CGraphAxes& axes = std::get<CGraphAxes>(result);
    EXPECT_TRUE(axes.xFrom == 5 && axes.xTo == std::numbers::pi && axes.yFrom == -7 && axes.yTo == 2
                && axes.axisValues == 15);
    expectError("___dummy()", NOT_DEFINED);
    EXPECT_TRUE(confirmation.questions().empty());
}
