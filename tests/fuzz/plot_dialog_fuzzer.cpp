// libFuzzer target: the plot dialogs' OK check with arbitrary field texts and choices, through the
// function the dialog calls.
//
// The first byte holds the choices: bit 0 a vector plot; bits 1 and 2 the x and y axes' own ranges
// instead of "Use default"; bits 3 and 4 the weight's selection plus one (0: nothing selected);
// bits 5 to 7 the answers to the engine's question. The rest is the fields' texts, one per line, in
// the dialog's order: the expression (x and y expressions for a vector), the variable and its
// range, the x axis's range and the y axis's. The check runs twice on one engine, as OK pressed
// again after a refusal does.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "engine/calculator.h"
#include "foundation/exception.h"
#include "fuzz_support.h"
#include "graph/portable/plot_setup_acceptance.h"

namespace {

const char* const TARGET = "plot dialog fuzzer";

CPlotDialogFields fieldsOf(std::uint8_t choices, std::vector<VKF::CString> texts)
{
    texts.resize(10);
    CPlotDialogFields fields;
    fields.kind = (choices & 1) != 0 ? PlotKind::Vector : PlotKind::Expression;
    size_t next = 0;
    if (fields.kind == PlotKind::Expression) {
        fields.expression = texts[next++];
    } else {
        fields.xExpression = texts[next++];
        fields.yExpression = texts[next++];
    }
    fields.variable = texts[next++];
    fields.variableFrom = texts[next++];
    fields.variableTo = texts[next++];
    fields.xAxisDefault = (choices & 2) == 0;
    fields.xAxisFrom = texts[next++];
    fields.xAxisTo = texts[next++];
    fields.yAxisDefault = (choices & 4) == 0;
    fields.yAxisFrom = texts[next++];
    fields.yAxisTo = texts[next++];
    fields.weightIndex = ((choices >> 3) & 3) - 1;
    return fields;
}

void check(VKCL::CCalculator& calculator, const CPlotDialogFields& fields, const std::vector<VKF::CString>& texts)
{
    std::variant<CPlotSetup, CDialogMessage> outcome;
    try {
        outcome = acceptPlotSetup(calculator, fields);
    } catch (const VKF::CException&) {
        // Only running out of memory may throw; the fuzzer's memory limit is far below it.
        failWith(TARGET, "an exception escaped the check", texts);
    }
    if (const auto* message = std::get_if<CDialogMessage>(&outcome)) {
        if (message->text.isEmpty())
            failWith(TARGET, "an empty message", texts);
        return;
    }
    const CPlotSetup& setup = std::get<CPlotSetup>(outcome);
    checkAxes(TARGET, setup.axes, texts);
    if (setup.kind != fields.kind || setup.plot.penWidth != fields.weightIndex + 1)
        failWith(TARGET, "the plot is not the one asked for", texts);
    for (const CPlotPoint& point : setup.plot.points) {
        if (point.valid && (!std::isfinite(point.x) || !std::isfinite(point.y)))
            failWith(TARGET, "a sample to draw is not finite", texts);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::vector<VKF::CString> texts = lenientLines(data + 1, size - 1);
    const CPlotDialogFields fields = fieldsOf(data[0], texts);
    CByteConfirmation confirmation(data[0] >> 5);
    VKCL::CCalculator calculator(confirmation);
    check(calculator, fields, texts);
    check(calculator, fields, texts);
    return 0;
}
