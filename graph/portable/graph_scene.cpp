// Everything the graph picture shows, worked out as drawing primitives in pixels.
#include "graph/portable/graph_scene.h"

#include <cmath>

#include "graph/portable/graph_model.h"

namespace {

// Ticks at an edge of the picture point inwards this far; ticks on an axis inside the picture
// reach this far to both sides, and labels keep this gap (plus one) from the axis.
constexpr int32_t EDGE_TICK = 10;
constexpr int32_t HALF_TICK = 7;
constexpr int32_t LABEL_GAP = HALF_TICK + 1;
// An inner x axis at this row or above has its labels below it; an inner y axis at this column
// or right of it has its labels on its left.
constexpr int32_t MIDDLE = 200;

// Truncates toward zero like the picture's mapping. Clipped segments stay within the margin;
// anything further (or undefined) is held at twice the margin, never converted out of range.
int32_t toPixel(double position) noexcept
{
    constexpr double LIMIT = LAST_PIXEL + 2.0 * SCENE_MARGIN;
    if (!(position >= -LIMIT))
        return int32_t(-LIMIT);
    if (position > LIMIT)
        return int32_t(LIMIT);
    return int32_t(position);
}

// The pixel of an axis that passes through the picture at position.
int32_t crossingPixel(double position) noexcept
{
    if (!(position > 0))
        return 0;
    return position < LAST_PIXEL ? int32_t(position) : LAST_PIXEL;
}

int32_t row(const CAxisScale& yScale, double y) noexcept
{
    return toPixel(LAST_PIXEL - yScale.position(y));
}

CSceneLabel label(double value, CTextMeasure& measure, CTextSize& size)
{
    CSceneLabel result{{}, coordinateText(value)};
    size = measure.measure(result.text);
    return result;
}

// The x axis: at the bottom when 0 lies at or below the bottom edge, at the top when at or above
// the top edge, otherwise through y = 0.
CSceneAxis horizontalAxis(const CAxisScale& xScale, const CAxisScale& yScale, int32_t count, CTextMeasure& measure)
{
    const ZeroPlace place = yScale.zeroPlace();
    const int32_t y0 = place == ZeroPlace::FromEnd ? LAST_PIXEL
                       : place == ZeroPlace::ToEnd ? 0
                                                   : crossingPixel(LAST_PIXEL - yScale.position(0));
    CSceneAxis axis{{{0, y0}, {PICTURE_SIZE, y0}}, {}};
    for (const double value : xScale.ticks(count)) {
        const int32_t px = toPixel(xScale.position(value));
        CTextSize size;
        CSceneTick tick{{}, label(value, measure, size)};
        tick.label.topLeft.column = px - size.width / 2;
        switch (place) {
        case ZeroPlace::FromEnd:
            tick.mark = {{px, y0}, {px, y0 - EDGE_TICK}};
            tick.label.topLeft.row = y0 - EDGE_TICK - size.height;
            break;
        case ZeroPlace::ToEnd:
            tick.mark = {{px, y0}, {px, y0 + EDGE_TICK}};
            tick.label.topLeft.row = y0 + EDGE_TICK;
            break;
        case ZeroPlace::Between:
            tick.mark = {{px, y0 + HALF_TICK}, {px, y0 - HALF_TICK}};
            tick.label.topLeft.row = y0 <= MIDDLE ? y0 + LABEL_GAP : y0 - size.height - LABEL_GAP;
            break;
        }
        axis.ticks.push_back(tick);
    }
    return axis;
}

// The y axis: on the left edge when 0 lies at or left of it, on the right edge when at or right
// of it, otherwise through x = 0.
CSceneAxis verticalAxis(const CAxisScale& xScale, const CAxisScale& yScale, int32_t count, CTextMeasure& measure)
{
    const ZeroPlace place = xScale.zeroPlace();
    const int32_t x0 = place == ZeroPlace::FromEnd ? 0
                       : place == ZeroPlace::ToEnd ? LAST_PIXEL
                                                   : crossingPixel(xScale.position(0));
    CSceneAxis axis{{{x0, 0}, {x0, PICTURE_SIZE}}, {}};
    for (const double value : yScale.ticks(count)) {
        const int32_t py = row(yScale, value);
        CTextSize size;
        CSceneTick tick{{}, label(value, measure, size)};
        tick.label.topLeft.row = py - size.height / 2;
        switch (place) {
        case ZeroPlace::FromEnd:
            tick.mark = {{x0, py}, {x0 + EDGE_TICK, py}};
            tick.label.topLeft.column = x0 + EDGE_TICK + 1;
            break;
        case ZeroPlace::ToEnd:
            tick.mark = {{x0, py}, {x0 - EDGE_TICK, py}};
            tick.label.topLeft.column = x0 - EDGE_TICK - size.width;
            break;
        case ZeroPlace::Between:
            tick.mark = {{x0 - HALF_TICK, py}, {x0 + HALF_TICK, py}};
            tick.label.topLeft.column = x0 >= MIDDLE ? x0 - size.width - LABEL_GAP : x0 + LABEL_GAP;
            break;
        }
        axis.ticks.push_back(tick);
    }
    return axis;
}

// Where a segment is cut: on the bound of one coordinate, at a parameter counted from both ends
// (they add up to 1), so that the other coordinate is computed from the nearer end.
class CCut {
public:
    bool isCut = false;
    bool onX = false;
    double bound = 0;
    double fromStart = 0;
    double fromEnd = 1;
};

// Cuts a segment, in halves of graph coordinates, to a box around the picture: a far end moves
// along the segment to the box, so the segment keeps its slope. The cut coordinate is the bound
// itself, since a segment that passes by far ends (1E200 away) puts the cut in the middle of a
// long run where a parameter has too few digits; the other coordinate changes by less than the
// visible y span over a joined segment, or lies beyond any visible pixel.
class CSegmentClipper {
public:
    CSegmentClipper(const CAxisScale& xScale, const CAxisScale& yScale) noexcept : m_xScale(xScale), m_yScale(yScale)
    {
        xScale.halvedBounds(SCENE_MARGIN, m_left, m_right);
        yScale.halvedBounds(SCENE_MARGIN, m_bottom, m_top);
    }

    // The segment in pixels, or false when it misses the box.
    bool clip(const CPlotPoint& start, const CPlotPoint& end, CSceneLine& line) const noexcept
    {
        const CHalfPoint a{start.x / 2, start.y / 2}, b{end.x / 2, end.y / 2};
        CCut enter, leave;
        if (!cutAlong(true, a.x, b.x, m_left, m_right, enter, leave)
            || !cutAlong(false, a.y, b.y, m_bottom, m_top, enter, leave))
            return false;
        if (enter.isCut && leave.isCut && enter.fromStart > leave.fromStart)
            return false;
        line.from = enter.isCut ? cutPixel(a, b, enter) : pixel(start);
        line.to = leave.isCut ? cutPixel(a, b, leave) : pixel(end);
        return true;
    }

private:
    class CHalfPoint {
    public:
        double x, y;
    };

    // The cuts of one coordinate running from a to b against low..high.
    static bool cutAlong(bool onX, double a, double b, double low, double high, CCut& enter, CCut& leave) noexcept
    {
        if ((a < low && b < low) || (a > high && b > high))
            return false;
        const auto cutAt = [=](double bound) {
            return CCut{true, onX, bound, (bound - a) / (b - a), (b - bound) / (b - a)};
        };
        if (a < low || a > high) {
            const CCut cut = cutAt(a < low ? low : high);
            if (!enter.isCut || cut.fromStart > enter.fromStart)
                enter = cut;
        }
        if (b < low || b > high) {
            const CCut cut = cutAt(b < low ? low : high);
            if (!leave.isCut || cut.fromStart < leave.fromStart)
                leave = cut;
        }
        return true;
    }

    static double along(double a, double b, const CCut& cut) noexcept
    {
        return cut.fromStart <= 0.5 ? a + cut.fromStart * (b - a) : b - cut.fromEnd * (b - a);
    }

    CPixel cutPixel(const CHalfPoint& a, const CHalfPoint& b, const CCut& cut) const noexcept
    {
        const double x = cut.onX ? cut.bound : along(a.x, b.x, cut);
        const double y = cut.onX ? along(a.y, b.y, cut) : cut.bound;
        return {toPixel(m_xScale.positionOfHalved(x)), toPixel(LAST_PIXEL - m_yScale.positionOfHalved(y))};
    }

    CPixel pixel(const CPlotPoint& point) const noexcept
    {
        return {toPixel(m_xScale.position(point.x)), row(m_yScale, point.y)};
    }

    const CAxisScale& m_xScale;
    const CAxisScale& m_yScale;
    double m_left = 0, m_right = 0, m_bottom = 0, m_top = 0;
};

bool isDrawn(const CPlotPoint& point) noexcept
{
    return point.valid && std::isfinite(point.x) && std::isfinite(point.y);
}

// Neighbours are joined when both are valid and their y values differ by less than the visible
// y span; the x distance is never tested.
CScenePlot scenePlot(const CPlot& plot, const CAxisScale& yScale, const CSegmentClipper* clipper)
{
    CScenePlot result{plot.penWidth, plot.colour, {}};
    if (clipper == nullptr)
        return result;
    result.segments.reserve(PLOT_POINT_COUNT - 1);
    CSceneLine line;
    for (int32_t i = 1; i < PLOT_POINT_COUNT; ++i) {
        const CPlotPoint& previous = plot.points[size_t(i - 1)];
        const CPlotPoint& point = plot.points[size_t(i)];
        if (isDrawn(previous) && isDrawn(point) && yScale.isWithinSpan(previous.y, point.y)
            && clipper->clip(previous, point, line))
            result.segments.push_back(line);
    }
    return result;
}

} // namespace

CGraphScene buildGraphScene(const CGraphModel& graph, CTextMeasure& measure)
{
    const CGraphAxes& axes = graph.axes();
    const CAxisScale xScale(axes.xFrom, axes.xTo), yScale(axes.yFrom, axes.yTo);
    CGraphScene scene;
    scene.xAxis = horizontalAxis(xScale, yScale, axes.axisValues, measure);
    scene.yAxis = verticalAxis(xScale, yScale, axes.axisValues, measure);
    const CSegmentClipper clipper(xScale, yScale);
    const bool drawable = xScale.isDrawable() && yScale.isDrawable();
    scene.plots.reserve(graph.plots().size());
    for (const CPlot& plot : graph.plots())
        scene.plots.push_back(scenePlot(plot, yScale, drawable ? &clipper : nullptr));
    return scene;
}
