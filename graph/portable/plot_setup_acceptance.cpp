// The plot dialogs' OK check: from the texts and choices of the controls to a new plot.
#include "graph/portable/plot_setup_acceptance.h"

#include <optional>
#include <span>
#include <vector>

#include "engine/auxiliary_function.h"
#include "foundation/exception.h"
#include "graph/portable/axis_scale.h"
#include "graph/portable/field_function.h"
#include "graph/portable/plot_sampling.h"

namespace {

class CFieldMessages {
public:
    const VKF::UChar* empty;
    const VKF::UChar* failurePrefix;
};

// In the order of PlotField. "occured" is kept as users know the texts, misspelling and all.
const CFieldMessages FIELD_MESSAGES[] = {
    {VKF_T("Please enter a value (or an expression) into the 'Variable from' field."),
     VKF_T("An error occured while evaluating the lower value:\r\n\"")},
    {VKF_T("Please enter a value (or an expression) into the 'Variable to' field."),
     VKF_T("An error occured while evaluating the upper value:\r\n\"")},
    {VKF_T("Please enter a value (or an expression) into the 'x axis from' field."),
     VKF_T("An error occured while evaluating the lower x value:\r\n\"")},
    {VKF_T("Please enter a value (or an expression) into the 'x axis to' field."),
     VKF_T("An error occured while evaluating the upper x value:\r\n\"")},
    {VKF_T("Please enter a value (or an expression) into the 'y axis from' field."),
     VKF_T("An error occured while evaluating the lower y value:\r\n\"")},
    {VKF_T("Please enter a value (or an expression) into the 'y axis to' field."),
     VKF_T("An error occured while evaluating the upper y value:\r\n\"")},
};

const VKF::UChar* const COMPLEX_FIELD_MESSAGE = VKF_T("Cannot use complex values in graph.");
const VKF::UChar* const VARIABLE_ORDER_MESSAGE = VKF_T("Lower value is higher than or equal to upper value.");
const VKF::UChar* const X_ORDER_MESSAGE = VKF_T("Lower x value is higher than or equal to upper x value.");
const VKF::UChar* const Y_ORDER_MESSAGE = VKF_T("Lower y value is higher than or equal to upper y value.");

// A definition that the engine refuses is reported by its output line, not by an exception: then
// the function stays undefined and each sample says so.
const VKF::UChar* const STORING_EXPRESSION_MESSAGE =
    VKF_T("An error occured while storing the graph expression as a function:\r\n");
const VKF::UChar* const STORING_X_MESSAGE = VKF_T("An error occured while storing the x expression as a function:\r\n");
const VKF::UChar* const STORING_Y_MESSAGE = VKF_T("An error occured while storing the y expression as a function:\r\n");

// A step of the check that may refuse: nothing, or the message the check ends with.
using CRefusal = std::optional<CDialogMessage>;

// A plotted expression: its field, the function it becomes and the messages for an empty field
// and for a definition that fails.
class CPlottedExpression {
public:
    VKF::CString CPlotDialogFields::*text;
    const VKF::UChar* functionName;
    const VKF::UChar* emptyMessage;
    const VKF::UChar* failurePrefix;
};

const CPlottedExpression EXPRESSION_PLOT[] = {
    {&CPlotDialogFields::expression, EXPRESSION_FUNCTION_NAME,
     VKF_T("Please enter an expression into the expression field."), STORING_EXPRESSION_MESSAGE},
};
const CPlottedExpression VECTOR_PLOT[] = {
    {&CPlotDialogFields::xExpression, X_FUNCTION_NAME, VKF_T("Please enter an expression into the 'x expression' field."),
     STORING_X_MESSAGE},
    {&CPlotDialogFields::yExpression, Y_FUNCTION_NAME, VKF_T("Please enter an expression into the 'y expression' field."),
     STORING_Y_MESSAGE},
};

// Unassigns the plot's functions, then defines each as a function of the variable; an empty
// variable (refused with variableMessage) or expression defines no more.
CRefusal defineExpressions(VKCL::CCalculator& calculator, const CPlotDialogFields& fields,
                           const VKF::UChar* variableMessage, std::span<const CPlottedExpression> expressions)
{
    for (const CPlottedExpression& expression : expressions)
        VKCL::CAuxiliaryFunction(calculator, expression.functionName).forget();
    if (fields.variable.isEmpty())
        return CDialogMessage{variableMessage};
    for (const CPlottedExpression& expression : expressions) {
        const VKF::CString& text = fields.*expression.text;
        if (text.isEmpty())
            return CDialogMessage{expression.emptyMessage};
        try {
            VKCL::CAuxiliaryFunction(calculator, expression.functionName).define(fields.variable, text);
        } catch (const VKF::CException& error) {
            return CDialogMessage{expression.failurePrefix + error.toString()};
        }
    }
    return std::nullopt;
}

CRefusal sampleExpression(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, CPlot& plot)
{
    if (CRefusal refusal = defineExpressions(
            calculator, fields, VKF_T("Please enter a name (e.g. 'x') into the expression variable field."),
            EXPRESSION_PLOT))
        return refusal;
    const CSampleValues x = variableSamples(plot.variableFrom, plot.variableTo);
    const CSamples y = sampleFunction(calculator, EXPRESSION_FUNCTION_NAME, x, VKF_T("Cannot plot complex value."));
    if (y.validCount == 0)
        return CDialogMessage{y.firstMessage, VKF_T("Error computing values")};
    for (size_t i = 0; i < plot.points.size(); ++i)
        plot.points[i] = {x[i], y.values[i], y.valid[i]};
    return std::nullopt;
}

// A point is valid when both its coordinates are; a y expression that fails everywhere still
// gives an (empty) plot.
CRefusal sampleVector(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, CPlot& plot)
{
    if (CRefusal refusal = defineExpressions(
            calculator, fields, VKF_T("Please enter a name (e.g. 't') into the 'variable' field."), VECTOR_PLOT))
        return refusal;
    const CSampleValues t = variableSamples(plot.variableFrom, plot.variableTo);
    const CSamples x = sampleFunction(calculator, X_FUNCTION_NAME, t, VKF_T("Cannot plot complex x value."));
    if (x.validCount == 0)
        return CDialogMessage{x.firstMessage, VKF_T("Error computing x values")};
    const CSamples y = sampleFunction(calculator, Y_FUNCTION_NAME, t, VKF_T("Cannot plot complex y value."));
    for (size_t i = 0; i < plot.points.size(); ++i)
        plot.points[i] = {x.values[i], y.values[i], x.valid[i] && y.valid[i]};
    return std::nullopt;
}

// Evaluates the range fields in the dialog's order: the variable's, then each axis's own unless
// its "Use default" box is checked. The default y range is the x range scaled by the picture's
// height over its width.
CRefusal readRanges(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, CPlotSetup& setup)
{
    class CRange {
    public:
        PlotField field;
        const VKF::CString& text;
        double& value;
    };
    CPlot& plot = setup.plot;
    CGraphAxes& axes = setup.axes;
    std::vector<CRange> ranges = {{PlotField::VariableFrom, fields.variableFrom, plot.variableFrom},
                                  {PlotField::VariableTo, fields.variableTo, plot.variableTo}};
    if (!fields.xAxisDefault) {
        ranges.push_back({PlotField::XAxisFrom, fields.xAxisFrom, axes.xFrom});
        ranges.push_back({PlotField::XAxisTo, fields.xAxisTo, axes.xTo});
    }
    if (!fields.yAxisDefault) {
        ranges.push_back({PlotField::YAxisFrom, fields.yAxisFrom, axes.yFrom});
        ranges.push_back({PlotField::YAxisTo, fields.yAxisTo, axes.yTo});
    }
    for (const CRange& range : ranges) {
        CCheckOutcome<double> value = evaluateField(calculator, range.field, range.text);
        if (const CDialogMessage* message = std::get_if<CDialogMessage>(&value))
            return *message;
        range.value = std::get<double>(value);
    }
    if (fields.xAxisDefault) {
        axes.xFrom = plot.variableFrom;
        axes.xTo = plot.variableTo;
    }
    if (fields.yAxisDefault) {
        constexpr double ASPECT = double(PICTURE_SIZE) / PICTURE_SIZE;
        axes.yFrom = axes.xFrom * ASPECT;
        axes.yTo = axes.xTo * ASPECT;
    }
    return std::nullopt;
}

} // namespace

CCheckOutcome<double> evaluateField(VKCL::CCalculator& calculator, PlotField field, const VKF::CString& text)
{
    const CFieldMessages& messages = FIELD_MESSAGES[size_t(field)];
    if (text.isEmpty())
        return CDialogMessage{messages.empty};
    try {
        VKCL::CAuxiliaryFunction function(calculator, FIELD_FUNCTION_NAME);
        const VKCL::CValue value = function.evaluate(text);
        if (!value.isReal())
            throw VKF::CException(COMPLEX_FIELD_MESSAGE);
        function.forget();
        return value.real();
    } catch (const VKF::CException& error) {
        return CDialogMessage{messages.failurePrefix + error.toString() + VKF_T("\"")};
    }
}

CCheckOutcome<CPlotSetup> acceptPlotSetup(VKCL::CCalculator& calculator, const CPlotDialogFields& fields)
{
    VKCL::CAuxiliaryFunction(calculator, FIELD_FUNCTION_NAME).forget();
    CPlotSetup setup;
    setup.kind = fields.kind;
    setup.plot.colour = fields.colour;
    CPlot& plot = setup.plot;
    const CGraphAxes& axes = setup.axes;
    if (CRefusal refusal = readRanges(calculator, fields, setup))
        return *refusal;
    if (plot.variableFrom >= plot.variableTo)
        return CDialogMessage{VARIABLE_ORDER_MESSAGE};
    if (axes.xFrom >= axes.xTo)
        return CDialogMessage{X_ORDER_MESSAGE};
    if (axes.yFrom >= axes.yTo)
        return CDialogMessage{Y_ORDER_MESSAGE};

    setup.axes.axisValues = NEW_PLOT_AXIS_VALUES;
    CRefusal refusal = fields.kind == PlotKind::Expression ? sampleExpression(calculator, fields, plot)
                                                           : sampleVector(calculator, fields, plot);
    if (refusal)
        return *refusal;
    plot.penWidth = fields.weightIndex + 1;
    return setup;
}
