// The state of one graph apart from its window: plots, axes and the mouse positions shown below
// the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/string.h"
#include "foundation/display_scale.h"
#include "graph/portable/graph_axes.h"
#include "graph/portable/plot_setup.h"

inline constexpr int32_t MAX_PLOTS = 16;
inline const VKF::UChar* const TOO_MANY_PLOTS_MESSAGE = VKF_T("No more than 16 plots are allowed in a graph.");

// The strip below the picture that holds the two status lines, the only part a mouse message
// repaints: from column 0 to width, rows top to top + height. The lines start lineLeft from the
// left with their tops mouseLineRaise and clickLineRaise above the client area's bottom, one
// line step apart: the status font's line height plus a gap, at least the 20 pixels of 96 dpi.
// At 96 dpi, with a system font of 16 pixels or less, the strip is 400 wide, 50 high from row
// 400, with its lines 40 and 20 pixels above the bottom, 10 from the left.
class CStatusStrip {
public:
    CStatusStrip(CDisplayScale scale, int32_t lineHeight) noexcept;

    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t lineLeft = 0;
    int32_t mouseLineRaise = 0;
    int32_t clickLineRaise = 0;
};

// A position in graph coordinates.
class CGraphPoint {
public:
    double x = 0;
    double y = 0;
};

class CGraphModel {
public:
    // A graph of the first plot, with the set-up's axes; both positions at (0, 0). The mouse
    // moves over the picture as drawn at shown.
    explicit CGraphModel(const CPlotSetup& first, CDisplayScale shown = {});

    const std::vector<CPlot>& plots() const noexcept { return m_plots; }
    const CGraphAxes& axes() const noexcept { return m_axes; }
    // A zoom: the plots keep their samples and are drawn against the new ranges.
    void setAxes(const CGraphAxes& axes) noexcept { m_axes = axes; }

    bool isFull() const noexcept { return int32_t(m_plots.size()) >= MAX_PLOTS; }
    // Adds the set-up's plot over the others and widens the axes to its ranges. Throws
    // VKF::CException with TOO_MANY_PLOTS_MESSAGE when the graph is full.
    void addPlot(const CPlotSetup& setup);

    // The graph coordinates of a pixel of the shown picture; its last column (399 at 96 dpi) gives
    // x to, row 0 y to, the last row y from.
    CGraphPoint graphPointAt(int32_t column, int32_t row) const noexcept;

    // Mouse messages give the pixel as two unsigned 16-bit numbers. Each stores its position
    // and returns true (repaint the status strip), or returns false for a row below the row
    // just under the picture (400 at 96 dpi).
    bool moveMouse(uint16_t column, uint16_t row) noexcept;
    bool clickMouse(uint16_t column, uint16_t row) noexcept;

    // "Current mouse position: ( x , y )" and "Mouse click position: ( x , y )".
    VKF::CString mouseStatusLine() const;
    VKF::CString clickStatusLine() const;

private:
    bool locate(uint16_t column, uint16_t row, CGraphPoint& position) const noexcept;

    std::vector<CPlot> m_plots;
    CGraphAxes m_axes;
    int32_t m_shownSize;
    CGraphPoint m_mouse;
    CGraphPoint m_click;
};

// A tick value or coordinate as the graph writes it: 5 significant digits in the engine's number
// notation; an infinite or undefined number reads "inf", "-inf" or "nan".
VKF::CString coordinateText(double value);
