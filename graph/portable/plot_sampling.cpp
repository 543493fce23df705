// Sampling a plot: a user function of one variable evaluated through the engine at 401 values.
#include "graph/portable/plot_sampling.h"

#include <cmath>

#include "engine/calculator.h"
#include "engine/function_call.h"
#include "foundation/exception.h"

namespace {

constexpr int32_t STEPS = PLOT_POINT_COUNT - 1;

} // namespace

// A range too wide for its span to be a double still gets finite steps.
CSampleValues variableSamples(double from, double to) noexcept
{
    double step = (to - from) / STEPS;
    if (!std::isfinite(step))
        step = to / STEPS - from / STEPS;
    CSampleValues values;
    values[0] = from;
    for (int32_t i = 1; i < PLOT_POINT_COUNT; ++i)
        values[size_t(i)] = from + i * step;
    return values;
}

CSamples sampleFunction(VKCL::CCalculator& calculator, const VKF::CString& name, const CSampleValues& variable,
                        const VKF::UChar* complexMessage)
{
    CSamples samples;
    VKCL::CFunctionCall call(name);
    bool failed = false;
    for (int32_t i = 0; i < PLOT_POINT_COUNT; ++i) {
        try {
            call.clearArguments();
            call.addArgument(VKCL::CValue(variable[size_t(i)], 0));
            const VKCL::CValue value = calculator.callFunction(call);
            if (!value.isReal())
                throw VKF::CException(complexMessage);
            samples.values[size_t(i)] = value.real();
            samples.valid[size_t(i)] = true;
            ++samples.validCount;
        } catch (const VKF::CException& error) {
            if (!failed)
                samples.firstMessage = error.toString();
            failed = true;
            calculator.clearActiveCalls();
        }
    }
    return samples;
}
