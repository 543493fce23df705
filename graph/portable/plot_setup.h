// The records of one plot: its samples, its descriptor and the set-up a plot dialog returns.
#pragma once

#include <array>
#include <cstdint>

#include "graph/portable/graph_axes.h"

// Samples per plot: both ends of the variable range and 399 values between, in equal steps.
inline constexpr int32_t PLOT_POINT_COUNT = 401;

// One sample of a plot in graph coordinates; a point that could not be computed is never drawn.
class CPlotPoint {
public:
    double x = 0;
    double y = 0;
    bool valid = false;
};

using CPlotPoints = std::array<CPlotPoint, PLOT_POINT_COUNT>;

// What a graph keeps of each plot: the descriptor (the variable range, kept but not drawn, the
// pen width in pixels and the colour) and the fixed samples.
class CPlot {
public:
    double variableFrom = 0;
    double variableTo = 0;
    int32_t penWidth = 1;
    // A COLORREF: 0x00BBGGRR.
    uint32_t colour = 0;
    CPlotPoints points{};
};

enum class PlotKind : uint8_t { Expression = 0, Vector = 1 };

// One new plot as a plot dialog accepted it: the plot and the axes to start from (or to widen a
// graph's axes by).
class CPlotSetup {
public:
    CPlot plot;
    CGraphAxes axes;
    PlotKind kind = PlotKind::Expression;
};
