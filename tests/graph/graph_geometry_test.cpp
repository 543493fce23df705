// The graph picture's geometry: axes, ticks, labels, plot segments, the mouse mapping and widening.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"
#include "tests/graph/fixed_measure.h"
#include "tests/print_string.h"

namespace {

std::string str(const CPixel& p)
{
    std::ostringstream text;
    text << '(' << p.column << ',' << p.row << ')';
    return text.str();
}

std::string str(const CSceneLine& line)
{
    return str(line.from) + "-" + str(line.to);
}

// "line (0,199)-(400,199), 6 ticks, first (33,206)-(33,192) "-2.5" at (23,207)".
std::string describe(const CSceneAxis& axis)
{
    std::string text = "line " + str(axis.line) + ", " + std::to_string(axis.ticks.size()) + " ticks";
    if (!axis.ticks.empty()) {
        const CSceneTick& tick = axis.ticks.front();
        text += ", first " + str(tick.mark) + " \"" + VKF::toUtf8(tick.label.text) + "\" at " + str(tick.label.topLeft);
    }
    return text;
}

CGraphAxes axesOf(double xFrom, double xTo, double yFrom, double yTo, int32_t n = NEW_PLOT_AXIS_VALUES)
{
    return {yFrom, yTo, xFrom, xTo, n};
}

// A plot of f sampled at 401 values of x from..to; f's NaN results are gaps.
CPlotSetup plotOf(double from, double to, const std::function<double(double)>& f)
{
    CPlotSetup setup;
    setup.plot.variableFrom = from;
    setup.plot.variableTo = to;
    for (int32_t i = 0; i < PLOT_POINT_COUNT; ++i) {
        const double x = i == 0 ? from : from + i * ((to - from) / 400);
        const double y = f(x);
        setup.plot.points[size_t(i)] = {x, y, !std::isnan(y)};
    }
    setup.axes = axesOf(from, to, from, to);
    return setup;
}

// A plot whose first points are the given ones and whose others are gaps.
CPlotSetup pointsPlot(std::initializer_list<CPlotPoint> points)
{
    CPlotSetup setup;
    std::copy(points.begin(), points.end(), setup.plot.points.begin());
    return setup;
}

const CPlotSetup IDENTITY = plotOf(-3, 3, [](double x) { return x; });

CGraphScene sceneOf(const CPlotSetup& setup, const CGraphAxes& axes)
{
    CGraphModel graph(setup);
    graph.setAxes(axes);
    CFixedMeasure measure;
    return buildGraphScene(graph, measure);
}

// "400 segments, first (0,399)-(0,398), last (399,1)-(399,0)".
std::string describe(const CScenePlot& plot)
{
    const std::vector<CSceneLine>& segments = plot.segments;
    std::string text = std::to_string(segments.size()) + " segments";
    if (!segments.empty())
        text += ", first " + str(segments.front()) + ", last " + str(segments.back());
    return text;
}

} // namespace

TEST(GraphSceneTest, AxesTicksAndLabelsForEveryPlaceOfZero)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        CGraphAxes axes;
        const char* xAxis;
        const char* yAxis;
    } cases[] = {
        // Both axes through 0 (row and column 199), labels below the x axis and right of the y axis.
        {axesOf(-3, 3, -3, 3), "line (0,199)-(400,199), 6 ticks, first (33,206)-(33,192) \"-2.5\" at (23,207)",
         "line (199,0)-(199,400), 6 ticks, first (192,365)-(206,365) \"-2.5\" at (207,360)"},
        // y from >= 0: the x axis on the bottom row, labels above the ticks; x from >= 0: the y axis
        // on the left edge, labels right of the ticks.
        {axesOf(0, 6, 0, 6), "line (0,399)-(400,399), 6 ticks, first (33,399)-(33,389) \"0.5\" at (26,379)",
         "line (0,0)-(0,400), 6 ticks, first (0,365)-(10,365) \"0.5\" at (11,360)"},
        // y to <= 0: the x axis on the top row, labels below; x to <= 0: the y axis on the right.
        {axesOf(-6, 0, -6, 0), "line (0,0)-(400,0), 6 ticks, first (33,0)-(33,10) \"-5.5\" at (23,10)",
         "line (399,0)-(399,400), 6 ticks, first (399,365)-(389,365) \"-5.5\" at (369,360)"},
        // The x axis on row 200 has its labels below (208), on row 201 above (201 - 10 - 8); the y
        // axis on column 200 has them on its left, on column 199 on its right.
        {axesOf(-200, 199, -199, 200, 1),
         "line (0,200)-(400,200), 1 ticks, first (199,207)-(199,193) \"-0.5\" at (189,208)",
         "line (200,0)-(200,400), 1 ticks, first (193,199)-(207,199) \"0.5\" at (177,194)"},
        {axesOf(-199, 200, -198, 201, 1),
         "line (0,201)-(400,201), 1 ticks, first (199,208)-(199,194) \"0.5\" at (192,183)",
         "line (199,0)-(199,400), 1 ticks, first (192,199)-(206,199) \"1.5\" at (207,194)"},
        // N = 1: one tick in the middle of each axis.
        {axesOf(-3, 3, -3, 3, 1), "line (0,199)-(400,199), 1 ticks, first (199,206)-(199,192) \"0\" at (197,207)",
         "line (199,0)-(199,400), 1 ticks, first (192,199)-(206,199) \"0\" at (207,194)"},
        // Reversed ranges are mirrored, with their ticks from the "from" end (left, bottom) on.
        {axesOf(3, -3, 3, -3), "line (0,199)-(400,199), 6 ticks, first (33,206)-(33,192) \"2.5\" at (26,207)",
         "line (199,0)-(199,400), 6 ticks, first (192,365)-(206,365) \"2.5\" at (207,360)"},
        // A reversed all-positive y range has 0 beyond its top edge, a reversed all-positive x range
        // beyond its right edge.
        {axesOf(6, 0, 6, 0), "line (0,0)-(400,0), 6 ticks, first (33,0)-(33,10) \"5.5\" at (26,10)",
         "line (399,0)-(399,400), 6 ticks, first (399,365)-(389,365) \"5.5\" at (374,360)"},
        // A zero span gets its axis line but no ticks.
        {axesOf(2, 2, -1, -1), "line (0,0)-(400,0), 0 ticks", "line (0,0)-(0,400), 0 ticks"},
        // A span beyond the largest double still gets its ticks in place.
        {axesOf(-1E308, 1E308, 0, 1),
         "line (0,399)-(400,399), 6 ticks, first (33,399)-(33,389) \"-8.3333e+307\" at (3,379)",
         "line (199,0)-(199,400), 6 ticks, first (192,365)-(206,365) \"0.083333\" at (207,360)"},
        // Undefined ends draw the lines somewhere sensible and nothing else.
        {axesOf(-inf, inf, std::nan(""), 1), "line (0,0)-(400,0), 0 ticks", "line (0,0)-(0,400), 0 ticks"},
    };
    for (const auto& c : cases) {
        const CGraphScene scene = sceneOf(IDENTITY, c.axes);
        const std::string where = "x " + std::to_string(c.axes.xFrom) + ".." + std::to_string(c.axes.xTo) + ", y "
                                  + std::to_string(c.axes.yFrom) + ".." + std::to_string(c.axes.yTo);
        EXPECT_EQ(describe(scene.xAxis), c.xAxis) << where;
        EXPECT_EQ(describe(scene.yAxis), c.yAxis) << where;
    }
}

TEST(GraphSceneTest, PlotSegments)
{
    const auto step = [](double height) {
        return plotOf(-3, 3, [height](double x) { return x < 0 ? height : -height; });
    };
    const auto gaps = plotOf(-3, 3, [](double x) { return x == -3 + 0.015 || x == -3 + 3 * 0.015 ? std::nan("") : x; });
    const CPlotSetup hyperbola = plotOf(-3, 3, [](double x) { return 1E300 * x; });
    const struct {
        const char* what;
        CPlotSetup plot;
        CGraphAxes axes;
        const char* segments;
    } cases[] = {
        {"y = x", IDENTITY, IDENTITY.axes, "400 segments, first (0,399)-(0,398), last (398,0)-(399,0)"},
        {"points 1 and 3 invalid: no joins to them, a lone valid point 2 draws nothing", gaps, IDENTITY.axes,
         "396 segments, first (3,395)-(4,394), last (398,0)-(399,0)"},
        {"a jump of the whole y span stays open", step(3), IDENTITY.axes,
         "399 segments, first (0,0)-(0,0), last (398,399)-(399,399)"},
        {"and is joined after zooming out", step(3), axesOf(-3, 3, -6, 6),
         "400 segments, first (0,99)-(0,99), last (398,299)-(399,299)"},
        {"a smaller jump is joined", step(2.9), IDENTITY.axes,
         "400 segments, first (0,6)-(0,6), last (398,392)-(399,392)"},
        {"a reversed y span counts by its size", step(3), axesOf(-3, 3, 3, -3),
         "399 segments, first (0,399)-(0,399), last (398,0)-(399,0)"},
        {"reversed y: mirrored top to bottom", IDENTITY, axesOf(-3, 3, 3, -3),
         "400 segments, first (0,0)-(0,0), last (398,398)-(399,399)"},
        {"reversed x: mirrored left to right", IDENTITY, axesOf(3, -3, -3, 3),
         "400 segments, first (399,399)-(398,398), last (0,0)-(0,0)"},
        {"zero x span", IDENTITY, axesOf(1, 1, -3, 3), "0 segments"},
        {"zero y span", IDENTITY, axesOf(-3, 3, 2, 2), "0 segments"},
        // Neighbours of y = 1E300 x differ by far more than the span: nothing is joined, nothing
        // overflows; zoomed out far enough, every neighbour is joined.
        {"y = 1E300 x", hyperbola, IDENTITY.axes, "0 segments"},
        {"y = 1E300 x zoomed out", hyperbola, axesOf(-3, 3, -1E301, 1E301),
         "400 segments, first (0,259)-(0,259), last (398,139)-(399,139)"},
        // Zoomed into a tiny x range, the two segments through 0 cross the whole picture, cut at
        // the margin, level with y = 0; the others lie wholly outside.
        {"y = x in a tiny x range", IDENTITY, axesOf(-1E-300, 1E-300, -3, 3),
         "2 segments, first (-4000,199)-(199,199), last (199,199)-(4399,199)"},
        // A segment to a far point is cut where it leaves the margin, with its slope:
        // (199.5, 199.5) to (7980, 39.9) passes column 4399 at row 113.36.
        {"far point", pointsPlot({{0.5, 0.5, true}, {20, 0.9, true}}), axesOf(0, 1, 0, 1),
         "1 segments, first (199,199)-(4399,113), last (199,199)-(4399,113)"},
        {"far point, backwards", pointsPlot({{20, 0.9, true}, {0.5, 0.5, true}}), axesOf(0, 1, 0, 1),
         "1 segments, first (4399,113)-(199,199), last (4399,113)-(199,199)"},
        // The segment through (0, 0.55) whose ends lie 1E200 away on either side.
        {"both ends beyond the margin", pointsPlot({{-1E200, 0.5, true}, {1E200, 0.6, true}}), axesOf(0, 1, 0, 1),
         "1 segments, first (-4000,179)-(4399,179), last (-4000,179)-(4399,179)"},
        {"wholly beyond the margin", pointsPlot({{20, 50, true}, {21, 50.5, true}}), axesOf(0, 1, 0, 1), "0 segments"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(sceneOf(c.plot, c.axes).plots.at(0)), c.segments) << c.what;
}

TEST(GraphSceneTest, PlotsKeepTheirOrderPenAndColour)
{
    CGraphModel graph(IDENTITY);
    CPlotSetup second = plotOf(-1, 1, [](double x) { return x * x; });
    second.plot.penWidth = 3;
    second.plot.colour = 0x00FF8000;
    graph.addPlot(second);
    CFixedMeasure measure;
    const CGraphScene scene = buildGraphScene(graph, measure);
    ASSERT_EQ(scene.plots.size(), 2u);
    EXPECT_EQ(scene.plots[0].penWidth, 1);
    EXPECT_EQ(scene.plots[1].penWidth, 3);
    EXPECT_EQ(scene.plots[1].colour, 0x00FF8000u);
    EXPECT_EQ(describe(scene.plots[1]), "400 segments, first (133,133)-(133,133), last (265,133)-(266,133)");
}

// At 150 % and 200 % the scene is the same picture drawn larger: 600 and 800 pixels square, its
// ticks, label offsets and pens scaled alike; the mouse maps over the larger picture.
TEST(GraphSceneTest, TheSceneAtADisplayScale)
{
    const struct {
        int32_t dpi;
        int32_t pen;
        const char* xAxis;
        const char* yAxis;
        const char* plot;
    } cases[] = {
        // Ticks reach 11 to both sides, labels 12 from the axis; the pens are 1.5 wide, rounded up.
        {144, 2, "line (0,299)-(600,299), 6 ticks, first (49,310)-(49,288) \"-2.5\" at (39,311)",
         "line (299,0)-(299,600), 6 ticks, first (288,549)-(310,549) \"-2.5\" at (311,544)",
         "400 segments, first (0,599)-(1,597), last (597,1)-(599,0)"},
        {192, 2, "line (0,399)-(800,399), 6 ticks, first (66,413)-(66,385) \"-2.5\" at (56,415)",
         "line (399,0)-(399,800), 6 ticks, first (385,732)-(413,732) \"-2.5\" at (415,727)",
         "400 segments, first (0,799)-(1,797), last (797,1)-(799,0)"},
    };
    for (const auto& c : cases) {
        const CDisplayScale scale(c.dpi);
        CGraphModel graph(IDENTITY, scale);
        CFixedMeasure measure;
        const CGraphScene scene = buildGraphScene(graph, measure, scale);
        const int32_t last = scene.pictureSize - 1;
        EXPECT_EQ(scene.pictureSize, 400 * c.dpi / 96) << c.dpi;
        EXPECT_EQ(scene.axisPenWidth, c.pen) << c.dpi;
        EXPECT_EQ(scene.plots[0].penWidth, c.pen) << c.dpi;
        EXPECT_EQ(describe(scene.xAxis), c.xAxis) << c.dpi;
        EXPECT_EQ(describe(scene.yAxis), c.yAxis) << c.dpi;
        EXPECT_EQ(describe(scene.plots[0]), c.plot) << c.dpi;
        EXPECT_EQ(graph.graphPointAt(last, 0).x, 3) << c.dpi;
        EXPECT_EQ(graph.graphPointAt(0, last).y, -3) << c.dpi;
        EXPECT_TRUE(graph.clickMouse(0, uint16_t(last + 1))) << c.dpi;
        EXPECT_FALSE(graph.moveMouse(0, uint16_t(last + 2))) << c.dpi;
    }
}

// The status lines stand a step apart that holds a line of the font: 20 pixels at 96 dpi for the
// 16-pixel system font, more for a taller font or a larger scale. Scales stay within 96..480 dpi.
TEST(GraphModelTest, TheStatusStripFitsItsFont)
{
    const struct {
        int32_t dpi;
        int32_t lineHeight;
        std::vector<int32_t> strip; // top, width, height, lineLeft, mouseLineRaise, clickLineRaise
    } cases[] = {
        {96, 16, {400, 400, 50, 10, 40, 20}},  {96, 19, {400, 400, 56, 10, 46, 23}},
        {144, 24, {600, 600, 75, 15, 60, 30}}, {192, 32, {800, 800, 100, 20, 80, 40}},
        {192, 40, {800, 800, 116, 20, 96, 48}}, {50, 16, {400, 400, 50, 10, 40, 20}},
        {10000, 16, {2000, 2000, 250, 50, 200, 100}},
    };
    for (const auto& c : cases) {
        const CStatusStrip strip(CDisplayScale(c.dpi), c.lineHeight);
        EXPECT_EQ((std::vector<int32_t>{strip.top, strip.width, strip.height, strip.lineLeft, strip.mouseLineRaise,
                                        strip.clickLineRaise}),
                  c.strip)
            << c.dpi << " dpi, line height " << c.lineHeight;
    }
}

TEST(GraphModelTest, MousePositionsAndStatusLines)
{
    CPlotSetup setup = IDENTITY;
    setup.axes = axesOf(0.1, 0.3, -0.7, 0.2);
    CGraphModel graph(setup);
    // The picture's last column and row 0 give the ends exactly.
    const CGraphPoint corner = graph.graphPointAt(399, 0), origin = graph.graphPointAt(0, 399);
    EXPECT_EQ(corner.x, 0.3);
    EXPECT_EQ(corner.y, 0.2);
    EXPECT_EQ(origin.x, 0.1);
    EXPECT_EQ(origin.y, -0.7);
    EXPECT_DOUBLE_EQ(graph.graphPointAt(0, 400).y, -0.7 - 0.9 / 399);

    const std::string atStart = "( 0 , 0 )";
    EXPECT_EQ(VKF::toUtf8(graph.mouseStatusLine()), "Current mouse position: " + atStart);
    EXPECT_EQ(VKF::toUtf8(graph.clickStatusLine()), "Mouse click position: " + atStart);
    EXPECT_TRUE(graph.moveMouse(399, 0));
    EXPECT_EQ(VKF::toUtf8(graph.mouseStatusLine()), "Current mouse position: ( 0.3 , 0.2 )");
    EXPECT_EQ(VKF::toUtf8(graph.clickStatusLine()), "Mouse click position: " + atStart);
    // Below row 400 nothing changes.
    EXPECT_FALSE(graph.moveMouse(10, 401));
    EXPECT_FALSE(graph.clickMouse(10, 65535));
    EXPECT_EQ(VKF::toUtf8(graph.mouseStatusLine()), "Current mouse position: ( 0.3 , 0.2 )");
    EXPECT_TRUE(graph.clickMouse(0, 400));
    EXPECT_EQ(VKF::toUtf8(graph.clickStatusLine()), "Mouse click position: ( 0.1 , -0.70226 )");

    // A zero span shows its one value everywhere; an overflowing span still maps.
    graph.setAxes(axesOf(2, 2, -1E308, 1E308));
    EXPECT_TRUE(graph.moveMouse(123, 100));
    EXPECT_EQ(VKF::toUtf8(graph.mouseStatusLine()), "Current mouse position: ( 2 , 4.9875e+307 )");
    EXPECT_EQ(VKF::toUtf8(coordinateText(std::numeric_limits<double>::infinity())), "inf");
}

TEST(GraphModelTest, AddingPlotsWidensTheAxesUpToSixteenPlots)
{
    const struct {
        CGraphAxes current, added;
        CGraphAxes widened;
    } cases[] = {
        {axesOf(-3, 3, -3, 3), axesOf(-1, 1, -2, 2), axesOf(-3, 3, -3, 3)},
        {axesOf(-3, 3, -3, 3), axesOf(-5, 1, 0, 7), axesOf(-5, 3, -3, 7)},
        // After a zoom to reversed ranges the graph stays mirrored and covers both ranges.
        {axesOf(3, -3, 1, -1), axesOf(0, 5, -4, 0), axesOf(5, -3, 1, -4)},
        // The tick count stays the graph's.
        {axesOf(0, 1, 0, 1, 11), axesOf(0, 2, 0, 2), axesOf(0, 2, 0, 2, 11)},
    };
    for (const auto& c : cases) {
        CGraphAxes axes = c.current;
        axes.include(c.added);
        EXPECT_TRUE(axes.xFrom == c.widened.xFrom && axes.xTo == c.widened.xTo && axes.yFrom == c.widened.yFrom
                    && axes.yTo == c.widened.yTo && axes.axisValues == c.widened.axisValues)
            << axes.xFrom << ".." << axes.xTo << ", " << axes.yFrom << ".." << axes.yTo << " N " << axes.axisValues;
    }

    CGraphModel graph(IDENTITY);
    while (!graph.isFull())
        graph.addPlot(IDENTITY);
    EXPECT_EQ(graph.plots().size(), size_t(MAX_PLOTS));
    try {
        graph.addPlot(IDENTITY);
        ADD_FAILURE() << "a 17th plot was added";
    } catch (const VKF::CException& error) {
        EXPECT_EQ(VKF::toUtf8(error.toString()), "No more than 16 plots are allowed in a graph.");
    }
    EXPECT_EQ(graph.plots().size(), size_t(MAX_PLOTS));
}
