// libFuzzer target: the zoom dialog's OK check with arbitrary field texts, through the function
// the dialog calls.
//
// The input is the five fields' texts, one per line: x from, x to, y from, y to and the axis
// values. Axes the check accepts must be usable, and the texts the dialog then opens with must be
// accepted again.
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "engine/calculator.h"
#include "foundation/exception.h"
#include "fuzz_support.h"
#include "graph/portable/zoom_acceptance.h"

namespace {

const char* const TARGET = "zoom dialog fuzzer";

std::variant<CGraphAxes, CDialogMessage> accept(VKCL::CCalculator& calculator, const CZoomFields& fields,
                                                const std::vector<VKF::CString>& texts)
{
    try {
        return acceptZoom(calculator, fields);
    } catch (const VKF::CException&) {
        // Only running out of memory may throw; the fuzzer's memory limit is far below it.
        failWith(TARGET, "an exception escaped the check", texts);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<VKF::CString> texts = lenientLines(data, size);
    texts.resize(5);
    CByteConfirmation confirmation(size > 0 ? data[size - 1] : 0);
    VKCL::CCalculator calculator(confirmation);
    const auto outcome = accept(calculator, CZoomFields{texts[0], texts[1], texts[2], texts[3], texts[4]}, texts);
    if (const auto* message = std::get_if<CDialogMessage>(&outcome)) {
        if (message->text.isEmpty())
            failWith(TARGET, "an empty message", texts);
        return 0;
    }
    const CGraphAxes& axes = std::get<CGraphAxes>(outcome);
    checkAxes(TARGET, axes, texts);
    if (!std::holds_alternative<CGraphAxes>(accept(calculator, zoomFields(axes), texts)))
        failWith(TARGET, "the texts of accepted axes are refused", texts);
    return 0;
}
