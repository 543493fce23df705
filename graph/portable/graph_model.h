// The state of one graph apart from its window: plots, axes and the mouse positions shown below
// the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/string.h"
#include "graph/portable/graph_axes.h"
#include "graph/portable/plot_setup.h"

inline constexpr int32_t MAX_PLOTS = 16;
inline const VKF::UChar* const TOO_MANY_PLOTS_MESSAGE = VKF_T("No more than 16 plots are allowed in a graph.");

// The strip below the picture that holds the two status lines (left, top, right, bottom), the
// only part a mouse message repaints. The lines start at STATUS_LINE_LEFT with their tops
// MOUSE_LINE_RAISE and CLICK_LINE_RAISE above the client area's bottom.
inline constexpr int32_t STATUS_STRIP[4] = {0, 400, 400, 450};
inline constexpr int32_t STATUS_LINE_LEFT = 10;
inline constexpr int32_t MOUSE_LINE_RAISE = 40;
inline constexpr int32_t CLICK_LINE_RAISE = 20;

// A position in graph coordinates.
class CGraphPoint {
public:
    double x = 0;
    double y = 0;
};

class CGraphModel {
public:
    // A graph of the first plot, with the set-up's axes; both positions at (0, 0).
    explicit CGraphModel(const CPlotSetup& first);

    const std::vector<CPlot>& plots() const noexcept { return m_plots; }
    const CGraphAxes& axes() const noexcept { return m_axes; }
    // A zoom: the plots keep their samples and are drawn against the new ranges.
    void setAxes(const CGraphAxes& axes) noexcept { m_axes = axes; }

    bool isFull() const noexcept { return int32_t(m_plots.size()) >= MAX_PLOTS; }
    // Adds the set-up's plot over the others and widens the axes to its ranges. Throws
    // VKF::CException with TOO_MANY_PLOTS_MESSAGE when the graph is full.
    void addPlot(const CPlotSetup& setup);

    // The graph coordinates of a pixel; column 399 gives x to, row 0 y to, row 399 y from.
    CGraphPoint graphPointAt(int32_t column, int32_t row) const noexcept;

    // Mouse messages give the pixel as two unsigned 16-bit numbers. Each stores its position
    // and returns true (repaint the status strip), or returns false for a row below 400.
    bool moveMouse(uint16_t column, uint16_t row) noexcept;
    bool clickMouse(uint16_t column, uint16_t row) noexcept;

    // "Current mouse position: ( x , y )" and "Mouse click position: ( x , y )".
    VKF::CString mouseStatusLine() const;
    VKF::CString clickStatusLine() const;

private:
    bool locate(uint16_t column, uint16_t row, CGraphPoint& position) const noexcept;

    std::vector<CPlot> m_plots;
    CGraphAxes m_axes;
    CGraphPoint m_mouse;
    CGraphPoint m_click;
};

// A tick value or coordinate as the graph writes it: 5 significant digits in the engine's number
// notation; an infinite or undefined number reads "inf", "-inf" or "nan".
VKF::CString coordinateText(double value);
