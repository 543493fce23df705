// Everything the graph picture shows, worked out as drawing primitives in pixels.
#include "graph/portable/graph_scene.h"

#include <cmath>

#include "graph/portable/graph_model.h"

namespace {

// The lengths of the picture at one display scale; at 96 dpi, those of the 400-pixel picture.
class CSceneGeometry {
public:
    explicit CSceneGeometry(CDisplayScale scale) noexcept
        : size(pictureSize(scale)), lastPixel(size - 1), edgeTick(scale.scaled(10)), halfTick(scale.scaled(7)),
          labelGap(scale.scaled(8)), edgeLabelGap(scale.scaled(11)), middle(size / 2)
    {
    }

    int32_t size;
    int32_t lastPixel;
    // Ticks at an edge of the picture point inwards edgeTick; ticks on an axis inside the picture
    // reach halfTick to both sides. Labels keep labelGap from an inner axis, edgeLabelGap from an
    // edge one.
    int32_t edgeTick;
    int32_t halfTick;
    int32_t labelGap;
    int32_t edgeLabelGap;
    // An inner x axis at this row or above has its labels below it; an inner y axis at this column
    // or right of it has its labels on its left.
    int32_t middle;

    // Truncates toward zero like the picture's mapping. Clipped segments stay within the margin;
    // anything further (or undefined) is held at twice the margin, never converted out of range.
    int32_t toPixel(double position) const noexcept
    {
        const double limit = lastPixel + 2.0 * SCENE_MARGIN;
        if (!(position >= -limit))
            return int32_t(-limit);
        if (position > limit)
            return int32_t(limit);
        return int32_t(position);
    }

    // The pixel of an axis that passes through the picture at position.
    int32_t crossingPixel(double position) const noexcept
    {
        if (!(position > 0))
            return 0;
        return position < lastPixel ? int32_t(position) : lastPixel;
    }

    int32_t row(const CAxisScale& yScale, double y) const noexcept { return toPixel(lastPixel - yScale.position(y)); }
};

CSceneLabel label(double value, CTextMeasure& measure, CTextSize& size)
{
    CSceneLabel result{{}, coordinateText(value)};
    size = measure.measure(result.text);
    return result;
}

// The x axis: at the bottom when 0 lies at or below the bottom edge, at the top when at or above
// the top edge, otherwise through y = 0.
CSceneAxis horizontalAxis(const CSceneGeometry& picture, const CAxisScale& xScale, const CAxisScale& yScale,
                          int32_t count, CTextMeasure& measure)
{
    const ZeroPlace place = yScale.zeroPlace();
    const int32_t y0 = place == ZeroPlace::FromEnd ? picture.lastPixel
                       : place == ZeroPlace::ToEnd ? 0
                                                   : picture.crossingPixel(picture.lastPixel - yScale.position(0));
    CSceneAxis axis{{{0, y0}, {picture.size, y0}}, {}};
    const int32_t edgeTick = picture.edgeTick, halfTick = picture.halfTick, labelGap = picture.labelGap;
    for (const double value : xScale.ticks(count)) {
        const int32_t px = picture.toPixel(xScale.position(value));
        CTextSize size;
        CSceneTick tick{{}, label(value, measure, size)};
        tick.label.topLeft.column = px - size.width / 2;
        switch (place) {
        case ZeroPlace::FromEnd:
            tick.mark = {{px, y0}, {px, y0 - edgeTick}};
            tick.label.topLeft.row = y0 - edgeTick - size.height;
            break;
        case ZeroPlace::ToEnd:
            tick.mark = {{px, y0}, {px, y0 + edgeTick}};
            tick.label.topLeft.row = y0 + edgeTick;
            break;
        case ZeroPlace::Between:
            tick.mark = {{px, y0 + halfTick}, {px, y0 - halfTick}};
            tick.label.topLeft.row = y0 <= picture.middle ? y0 + labelGap : y0 - size.height - labelGap;
            break;
        }
        axis.ticks.push_back(tick);
    }
    return axis;
}

// The y axis: on the left edge when 0 lies at or left of it, on the right edge when at or right
// of it, otherwise through x = 0.
CSceneAxis verticalAxis(const CSceneGeometry& picture, const CAxisScale& xScale, const CAxisScale& yScale,
                        int32_t count, CTextMeasure& measure)
{
    const ZeroPlace place = xScale.zeroPlace();
    const int32_t x0 = place == ZeroPlace::FromEnd ? 0
                       : place == ZeroPlace::ToEnd ? picture.lastPixel
                                                   : picture.crossingPixel(xScale.position(0));
    CSceneAxis axis{{{x0, 0}, {x0, picture.size}}, {}};
    const int32_t edgeTick = picture.edgeTick, halfTick = picture.halfTick, labelGap = picture.labelGap;
    for (const double value : yScale.ticks(count)) {
        const int32_t py = picture.row(yScale, value);
        CTextSize size;
        CSceneTick tick{{}, label(value, measure, size)};
        tick.label.topLeft.row = py - size.height / 2;
        switch (place) {
        case ZeroPlace::FromEnd:
            tick.mark = {{x0, py}, {x0 + edgeTick, py}};
            tick.label.topLeft.column = x0 + picture.edgeLabelGap;
            break;
        case ZeroPlace::ToEnd:
            tick.mark = {{x0, py}, {x0 - edgeTick, py}};
            tick.label.topLeft.column = x0 - edgeTick - size.width;
            break;
        case ZeroPlace::Between:
            tick.mark = {{x0 - halfTick, py}, {x0 + halfTick, py}};
            tick.label.topLeft.column = x0 >= picture.middle ? x0 - size.width - labelGap : x0 + labelGap;
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
    CSegmentClipper(const CSceneGeometry& picture, const CAxisScale& xScale, const CAxisScale& yScale) noexcept
        : m_picture(picture), m_xScale(xScale), m_yScale(yScale)
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
        return {m_picture.toPixel(m_xScale.positionOfHalved(x)),
                m_picture.toPixel(m_picture.lastPixel - m_yScale.positionOfHalved(y))};
    }

    CPixel pixel(const CPlotPoint& point) const noexcept
    {
        return {m_picture.toPixel(m_xScale.position(point.x)), m_picture.row(m_yScale, point.y)};
    }

    const CSceneGeometry& m_picture;
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
CScenePlot scenePlot(const CPlot& plot, CDisplayScale scale, const CAxisScale& yScale, const CSegmentClipper* clipper)
{
    CScenePlot result{scale.scaled(plot.penWidth), plot.colour, {}};
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

CGraphScene buildGraphScene(const CGraphModel& graph, CTextMeasure& measure, CDisplayScale scale)
{
    const CSceneGeometry picture(scale);
    const CGraphAxes& axes = graph.axes();
    const CAxisScale xScale(axes.xFrom, axes.xTo, picture.lastPixel), yScale(axes.yFrom, axes.yTo, picture.lastPixel);
    CGraphScene scene;
    scene.pictureSize = picture.size;
    scene.axisPenWidth = scale.scaled(1);
    scene.xAxis = horizontalAxis(picture, xScale, yScale, axes.axisValues, measure);
    scene.yAxis = verticalAxis(picture, xScale, yScale, axes.axisValues, measure);
    const CSegmentClipper clipper(picture, xScale, yScale);
    const bool drawable = xScale.isDrawable() && yScale.isDrawable();
    scene.plots.reserve(graph.plots().size());
    for (const CPlot& plot : graph.plots())
        scene.plots.push_back(scenePlot(plot, scale, yScale, drawable ? &clipper : nullptr));
    return scene;
}
