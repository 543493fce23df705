// The axis settings of a graph: the visible ranges and the number of ticks per axis.
#pragma once

#include <cstdint>

// Ticks per axis of a new plot; the zoom dialog accepts 1 through MAX_AXIS_VALUES.
inline constexpr int32_t NEW_PLOT_AXIS_VALUES = 6;
inline constexpr int32_t MAX_AXIS_VALUES = 15;

class CGraphAxes {
public:
    // Values at the bottom and top edge of the picture.
    double yFrom = 0;
    double yTo = 0;
    // Values at the left and right edge.
    double xFrom = 0;
    double xTo = 0;
    // Ticks (and labels) per axis, at least 1.
    int32_t axisValues = NEW_PLOT_AXIS_VALUES;

    // Widens both ranges so that they also cover other's, keeping each range's direction (a
    // reversed range stays reversed); the ranges never shrink. The tick count stays.
    void include(const CGraphAxes& other) noexcept;
};
