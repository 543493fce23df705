// The plot dialogs' OK check: from the texts and choices of the controls to a new plot.
#pragma once

#include <cstdint>

#include "foundation/dialog_message.h"
#include "foundation/string.h"
#include "graph/portable/plot_setup.h"

namespace VKCL {
class CCalculator;
}

// The names under which the plotted expressions stay defined after the dialog, callable at the
// console, until the next plot of the same kind.
inline const VKF::UChar* const EXPRESSION_FUNCTION_NAME = VKF_T("___g");
inline const VKF::UChar* const X_FUNCTION_NAME = VKF_T("___g_x");
inline const VKF::UChar* const Y_FUNCTION_NAME = VKF_T("___g_y");

// What the user typed and chose in a plot dialog, each text whole.
class CPlotDialogFields {
public:
    PlotKind kind = PlotKind::Expression;
    // "Expression:" of an expression plot.
    VKF::CString expression;
    // "x expression:" and "y expression:" of a vector plot.
    VKF::CString xExpression;
    VKF::CString yExpression;
    // "Variable:" and the variable's range.
    VKF::CString variable;
    VKF::CString variableFrom;
    VKF::CString variableTo;
    // The axes' "Use default" boxes and their ranges, read only when the box is not checked.
    bool xAxisDefault = true;
    VKF::CString xAxisFrom;
    VKF::CString xAxisTo;
    bool yAxisDefault = true;
    VKF::CString yAxisFrom;
    VKF::CString yAxisTo;
    // The weight box's selection: 0 "Thin", 1 "Medium", 2 "Thick"; the pen is one wider.
    int32_t weightIndex = 0;
    // The colour chosen with "Choose color...", black unless one was.
    uint32_t colour = 0;
};

// The number fields, each with its own messages.
enum class PlotField : uint8_t { VariableFrom, VariableTo, XAxisFrom, XAxisTo, YAxisFrom, YAxisTo };

// The real value of a number field's text, evaluated as the body of ___dummy(), or the message
// for an empty field or one the engine cannot evaluate to a real number. ___dummy is unassigned
// again after a success and may stay defined after a failure.
CCheckOutcome<double> evaluateField(VKCL::CCalculator& calculator, PlotField field, const VKF::CString& text);

// Runs the dialog's OK check: evaluates the ranges, checks their order, defines the plotted
// expressions as functions of the variable (___g, or ___g_x and ___g_y) and samples them. Returns
// the new plot with its axes (6 ticks), or the first message to show, after which the dialog
// stays open. Throws VKF::CException only when out of memory.
CCheckOutcome<CPlotSetup> acceptPlotSetup(VKCL::CCalculator& calculator, const CPlotDialogFields& fields);
