// Sampling a plot: a user function of one variable evaluated through the engine at 401 values.
#pragma once

#include <array>
#include <cstdint>

#include "foundation/string.h"
#include "graph/portable/plot_setup.h"

namespace VKCL {
class CCalculator;
}

using CSampleValues = std::array<double, PLOT_POINT_COUNT>;

// The values of the plot variable: from exactly, then from + i × (to − from) / 400, each computed
// afresh; i = 400 is to up to rounding.
CSampleValues variableSamples(double from, double to) noexcept;

// The results of one user function at the sample values.
class CSamples {
public:
    CSampleValues values{};
    std::array<bool, PLOT_POINT_COUNT> valid{};
    int32_t validCount = 0;
    // The engine's message for the first sample that failed.
    VKF::CString firstMessage;
};

// Calls the user function name with each value of the variable. A sample whose call fails or
// whose value has an imaginary part (reported as complexMessage) is not valid, and the engine's
// active calls are emptied after it.
CSamples sampleFunction(VKCL::CCalculator& calculator, const VKF::CString& name, const CSampleValues& variable,
                        const VKF::UChar* complexMessage);
