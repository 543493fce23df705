// The plot dialogs' OK check: from the texts and choices of the controls to a new plot.
#include "graph/portable/plot_setup_acceptance.h"

#include "engine/calculator.h"
#include "foundation/exception.h"
#include "graph/portable/auxiliary_function.h"
#include "graph/portable/axis_scale.h"
#include "graph/portable/plot_sampling.h"

namespace {

class CFieldMessages {
public:
    const VKF::UChar* empty;
    const VKF::UChar* failurePrefix;
};

// In the order of PlotField.
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

// Ends the check with a message box.
class CRefusal {
public:
    CDialogMessage message;
};

[[noreturn]] void refuse(const VKF::CString& text, const VKF::UChar* title = MESSAGE_BOX_ERROR_TITLE)
{
    throw CRefusal{{text, title}};
}

double fieldValue(VKCL::CCalculator& calculator, PlotField field, const VKF::CString& text)
{
    std::variant<double, CDialogMessage> result = evaluateField(calculator, field, text);
    if (CDialogMessage* message = std::get_if<CDialogMessage>(&result))
        throw CRefusal{*message};
    return std::get<double>(result);
}

// The text, or a refusal with emptyMessage when it is empty.
const VKF::CString& required(const VKF::CString& text, const VKF::UChar* emptyMessage)
{
    if (text.isEmpty())
        refuse(emptyMessage);
    return text;
}

// Defines name(variable) = expression; an empty expression is refused with emptyMessage.
void defineFunction(VKCL::CCalculator& calculator, const VKF::UChar* name, const VKF::CString& variable,
                    const VKF::CString& expression, const VKF::UChar* emptyMessage, const VKF::UChar* failurePrefix)
{
    required(expression, emptyMessage);
    try {
        runStatement(calculator, VKF::CString(name) + VKF_T("(") + variable + VKF_T(")=") + expression);
    } catch (const VKF::CException& error) {
        refuse(failurePrefix + error.toString());
    }
}

void unassignQuietly(VKCL::CCalculator& calculator, const VKF::UChar* name)
{
    runStatementQuietly(calculator, VKF::CString(name) + VKF_T("=?"));
}

void sampleExpression(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, CPlot& plot)
{
    unassignQuietly(calculator, EXPRESSION_FUNCTION_NAME);
    const VKF::CString& variable =
        required(fields.variable, VKF_T("Please enter a name (e.g. 'x') into the expression variable field."));
    defineFunction(calculator, EXPRESSION_FUNCTION_NAME, variable, fields.expression,
                   VKF_T("Please enter an expression into the expression field."), STORING_EXPRESSION_MESSAGE);

    const CSampleValues x = variableSamples(plot.variableFrom, plot.variableTo);
    const CSamples y = sampleFunction(calculator, EXPRESSION_FUNCTION_NAME, x, VKF_T("Cannot plot complex value."));
    if (y.validCount == 0)
        refuse(y.firstMessage, VKF_T("Error computing values"));
    for (size_t i = 0; i < plot.points.size(); ++i)
        plot.points[i] = {x[i], y.values[i], y.valid[i]};
}

// A point is valid when both its coordinates are; a y expression that fails everywhere still
// gives an (empty) plot.
void sampleVector(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, CPlot& plot)
{
    unassignQuietly(calculator, X_FUNCTION_NAME);
    unassignQuietly(calculator, Y_FUNCTION_NAME);
    const VKF::CString& variable =
        required(fields.variable, VKF_T("Please enter a name (e.g. 't') into the 'variable' field."));
    defineFunction(calculator, X_FUNCTION_NAME, variable, fields.xExpression,
                   VKF_T("Please enter an expression into the 'x expression' field."), STORING_X_MESSAGE);
    defineFunction(calculator, Y_FUNCTION_NAME, variable, fields.yExpression,
                   VKF_T("Please enter an expression into the 'y expression' field."), STORING_Y_MESSAGE);

    const CSampleValues t = variableSamples(plot.variableFrom, plot.variableTo);
    const CSamples x = sampleFunction(calculator, X_FUNCTION_NAME, t, VKF_T("Cannot plot complex x value."));
    if (x.validCount == 0)
        refuse(x.firstMessage, VKF_T("Error computing x values"));
    const CSamples y = sampleFunction(calculator, Y_FUNCTION_NAME, t, VKF_T("Cannot plot complex y value."));
    for (size_t i = 0; i < plot.points.size(); ++i)
        plot.points[i] = {x.values[i], y.values[i], x.valid[i] && y.valid[i]};
}

CPlotSetup checkedSetup(VKCL::CCalculator& calculator, const CPlotDialogFields& fields)
{
    runStatementQuietly(calculator, VKF::CString(FIELD_FUNCTION_NAME) + VKF_T("()=?"));
    CPlotSetup setup;
    setup.kind = fields.kind;
    setup.plot.colour = fields.colour;
    CPlot& plot = setup.plot;
    CGraphAxes& axes = setup.axes;
    plot.variableFrom = fieldValue(calculator, PlotField::VariableFrom, fields.variableFrom);
    plot.variableTo = fieldValue(calculator, PlotField::VariableTo, fields.variableTo);
    if (fields.xAxisDefault) {
        axes.xFrom = plot.variableFrom;
        axes.xTo = plot.variableTo;
    } else {
        axes.xFrom = fieldValue(calculator, PlotField::XAxisFrom, fields.xAxisFrom);
        axes.xTo = fieldValue(calculator, PlotField::XAxisTo, fields.xAxisTo);
    }
    if (fields.yAxisDefault) {
        // The picture's height over its width, applied to the x range.
        constexpr double ASPECT = double(PICTURE_SIZE) / PICTURE_SIZE;
        axes.yFrom = axes.xFrom * ASPECT;
        axes.yTo = axes.xTo * ASPECT;
    } else {
        axes.yFrom = fieldValue(calculator, PlotField::YAxisFrom, fields.yAxisFrom);
        axes.yTo = fieldValue(calculator, PlotField::YAxisTo, fields.yAxisTo);
    }
    if (plot.variableFrom >= plot.variableTo)
        refuse(VARIABLE_ORDER_MESSAGE);
    if (axes.xFrom >= axes.xTo)
        refuse(X_ORDER_MESSAGE);
    if (axes.yFrom >= axes.yTo)
        refuse(Y_ORDER_MESSAGE);

    axes.axisValues = NEW_PLOT_AXIS_VALUES;
    if (fields.kind == PlotKind::Expression)
        sampleExpression(calculator, fields, plot);
    else
        sampleVector(calculator, fields, plot);
    plot.penWidth = fields.weightIndex + 1;
    return setup;
}

} // namespace

std::variant<double, CDialogMessage> evaluateField(VKCL::CCalculator& calculator, PlotField field,
                                                   const VKF::CString& text)
{
    const CFieldMessages& messages = FIELD_MESSAGES[size_t(field)];
    if (text.isEmpty())
        return CDialogMessage{messages.empty};
    try {
        const VKCL::CValue value = evaluateAsFunction(calculator, FIELD_FUNCTION_NAME, text);
        if (!value.isReal())
            throw VKF::CException(COMPLEX_FIELD_MESSAGE);
        runStatement(calculator, VKF::CString(FIELD_FUNCTION_NAME) + VKF_T("()=?"));
        return value.real();
    } catch (const VKF::CException& error) {
        return CDialogMessage{messages.failurePrefix + error.toString() + VKF_T("\"")};
    }
}

std::variant<CPlotSetup, CDialogMessage> acceptPlotSetup(VKCL::CCalculator& calculator, const CPlotDialogFields& fields)
{
    try {
        return checkedSetup(calculator, fields);
    } catch (const CRefusal& refusal) {
        return refusal.message;
    }
}
