// Plots from the command line: the plot dialog's messages, and the SVG and PNG pictures against the
// graph window's scene.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "cli/confirmations.h"
#include "cli/label_metrics.h"
#include "cli/options.h"
#include "cli/plot_command.h"
#include "engine/calculator.h"
#include "foundation/utf8.h"
#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"

#if defined(TALLIMEX_PNG)
#include <cairo.h>
#endif

namespace {

namespace fs = std::filesystem;

// The fields as the command line fills them in.
CPlotDialogFields plotOf(const std::string& expression, const std::string& from, const std::string& to)
{
    const COptions options = parseOptions(
        9, std::vector<const char*>{"tallimex-cli", "--plot", expression.c_str(), "--from", from.c_str(), "--to",
                                    to.c_str(), "--output", "a.svg"}
               .data());
    return options.plots.at(0);
}

CPlotDialogFields vectorOf(const std::string& x, const std::string& y, const std::string& from, const std::string& to)
{
    CPlotDialogFields fields = plotOf("", from, to);
    fields.kind = PlotKind::Vector;
    fields.variable = VKF::fromUtf8("t");
    fields.xExpression = VKF::fromUtf8(x);
    fields.yExpression = VKF::fromUtf8(y);
    return fields;
}

class PlotCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() /
                   (std::string("tallimex-plot-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // What runPlots wrote to its error stream, or "written" for a picture written without a word.
    std::string run(const std::vector<CPlotDialogFields>& requests, const std::string& name = "plot.svg")
    {
        std::ostringstream errors;
        const int status = runPlots(m_calculator, requests, (m_folder / name).string(), errors);
        EXPECT_EQ(status, errors.str().empty() ? 0 : 1);
        return status == 0 && fs::exists(m_folder / name) ? "written" : errors.str();
    }

    // The graph of requests as the command builds it.
    CGraphModel graphOf(const std::vector<CPlotDialogFields>& requests)
    {
        std::optional<CGraphModel> graph;
        for (const CPlotDialogFields& request : requests) {
            const auto accepted = acceptPlotSetup(m_calculator, request);
            const CPlotSetup& setup = std::get<CPlotSetup>(accepted);
            graph ? graph->addPlot(setup) : static_cast<void>(graph.emplace(setup));
        }
        return *graph;
    }

    std::string read(const std::string& name) const
    {
        std::ifstream file(m_folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    fs::path m_folder;
    CFixedConfirmation m_no{false};
    VKCL::CCalculator m_calculator{m_no};
};

// The points of a run of scene segments, as the SVG's polylines list them.
std::vector<std::vector<CPixel>> runsOf(const CScenePlot& plot)
{
    std::vector<std::vector<CPixel>> runs;
    for (std::size_t k = 0; k < plot.segments.size(); ++k) {
        const CSceneLine& segment = plot.segments[k];
        if (k == 0 || plot.segments[k - 1].to.column != segment.from.column ||
            plot.segments[k - 1].to.row != segment.from.row)
            runs.push_back({segment.from});
        runs.back().push_back(segment.to);
    }
    return runs;
}

std::vector<std::vector<CPixel>> svgPolylines(const std::string& svg)
{
    std::vector<std::vector<CPixel>> polylines;
    const std::regex polyline("<polyline points=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), polyline); it != std::sregex_iterator(); ++it) {
        std::istringstream points((*it)[1].str());
        std::vector<CPixel> line;
        CPixel pixel;
        char comma = 0;
        while (points >> pixel.column >> comma >> pixel.row)
            line.push_back(pixel);
        polylines.push_back(line);
    }
    return polylines;
}

// The pixels GDI's LineTo paints for a one-pixel pen: from "from" up to, not including, "to".
std::vector<std::pair<int, int>> gdiLinePixels(const CSceneLine& line)
{
    std::vector<std::pair<int, int>> pixels;
    const int dx = std::abs(line.to.column - line.from.column), dy = std::abs(line.to.row - line.from.row);
    const int steps = std::max(dx, dy);
    for (int k = 0; k < steps; ++k) {
        const double t = double(k) / steps;
        pixels.emplace_back(int(std::lround(line.from.column + t * (line.to.column - line.from.column))),
                            int(std::lround(line.from.row + t * (line.to.row - line.from.row))));
    }
    return pixels;
}

} // namespace

// The same texts the plot dialog shows in its boxes, as "title: text".
TEST_F(PlotCommandTest, RefusedPlotsSayWhatTheDialogSays)
{
    CPlotDialogFields xAxis = plotOf("x", "0", "1");
    xAxis.xAxisDefault = false;
    xAxis.xAxisFrom = VKF::fromUtf8("2+*2");
    CPlotDialogFields yAxis = plotOf("x", "0", "1");
    yAxis.yAxisDefault = false;
    yAxis.yAxisFrom = VKF::fromUtf8("1");
    CPlotDialogFields noVariable = plotOf("x", "0", "1");
    noVariable.variable = VKF::CString();
    const std::pair<std::vector<CPlotDialogFields>, std::string> cases[] = {
        {{plotOf("x", "", "")}, "Error: Please enter a value (or an expression) into the 'Variable from' field.\n"},
        {{plotOf("x", "1", "")}, "Error: Please enter a value (or an expression) into the 'Variable to' field.\n"},
        {{plotOf("x", " ", "1")},
         "Error: An error occured while evaluating the lower value:\n\"Function '___dummy' not defined.\"\n"},
        {{plotOf("x", "1", "2i")},
         "Error: An error occured while evaluating the upper value:\n\"Cannot use complex values in graph.\"\n"},
        {{plotOf("x", "1", "1")}, "Error: Lower value is higher than or equal to upper value.\n"},
        {{xAxis},
         "Error: An error occured while evaluating the lower x value:\n"
         "\"Unable to parse expression. Please make sure you typed correctly.\"\n"},
        {{yAxis}, "Error: Please enter a value (or an expression) into the 'y axis to' field.\n"},
        {{plotOf("", "0", "1")}, "Error: Please enter an expression into the expression field.\n"},
        {{plotOf("1/0", "0", "1")}, "Error computing values: Division by zero.\n"},
        {{plotOf("sqrt(x)", "-2", "-1")}, "Error computing values: Cannot plot complex value.\n"},
        {{vectorOf("", "t", "0", "1")}, "Error: Please enter an expression into the 'x expression' field.\n"},
        {{vectorOf("sqrt(t)", "t", "-2", "-1")}, "Error computing x values: Cannot plot complex x value.\n"},
        {{plotOf("x", "0", "1"), plotOf("x", "1", "0")},
         "Error: Lower value is higher than or equal to upper value.\n"},
        {std::vector<CPlotDialogFields>(17, plotOf("x", "0", "1")),
         "Error: No more than 16 plots are allowed in a graph.\n"},
        {std::vector<CPlotDialogFields>(16, plotOf("x", "0", "1")), "written"},
        {{noVariable}, "Error: Please enter a name (e.g. 'x') into the expression variable field.\n"},
    };
    for (const auto& [requests, expected] : cases)
        EXPECT_EQ(run(requests), expected) << expected;
    EXPECT_EQ(run({plotOf("x", "0", "1")}, "no-folder/plot.svg").rfind("tallimex-cli: cannot write the picture '", 0),
              0u);
    // A refused plot writes no file.
    run({plotOf("x", "1", "0")}, "refused.svg");
    EXPECT_FALSE(fs::exists(m_folder / "refused.svg"));
}

// Both axes cross in the middle with six ticks each; the curve's points are the scene's, and lie on
// sin(x) in pixels.
TEST_F(PlotCommandTest, TheSvgOfSinOverMinus3To3HasTheScenesAxesAndPoints)
{
    const std::vector<CPlotDialogFields> requests{plotOf("sin(x)", "-3", "3")};
    ASSERT_EQ(run(requests), "written");
    const std::string svg = read("plot.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"400\""), std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"0\" y1=\"199\" x2=\"400\" y2=\"199\"/>"), std::string::npos) << "x axis";
    EXPECT_NE(svg.find("<line x1=\"199\" y1=\"0\" x2=\"199\" y2=\"400\"/>"), std::string::npos) << "y axis";
    for (int tick : {33, 99, 166, 232, 299, 365}) {
        const std::string at = std::to_string(tick);
        EXPECT_NE(svg.find("<line x1=\"" + at + "\" y1=\"206\" x2=\"" + at + "\" y2=\"192\"/>"), std::string::npos)
            << "x tick " << tick;
        EXPECT_NE(svg.find("<line x1=\"192\" y1=\"" + at + "\" x2=\"206\" y2=\"" + at + "\"/>"), std::string::npos)
            << "y tick " << tick;
    }
    EXPECT_NE(svg.find(">-2.5</text>"), std::string::npos);

    CLabelMetrics metrics;
    const CGraphScene scene = buildGraphScene(graphOf(requests), metrics);
    const std::vector<std::vector<CPixel>> polylines = svgPolylines(svg);
    const std::vector<std::vector<CPixel>> runs = runsOf(scene.plots.at(0));
    ASSERT_EQ(polylines.size(), runs.size());
    ASSERT_EQ(polylines.size(), 1u) << "sin(x) is one unbroken line";
    ASSERT_EQ(polylines[0].size(), runs[0].size());
    for (std::size_t k = 0; k < runs[0].size(); ++k) {
        EXPECT_EQ(polylines[0][k].column, runs[0][k].column) << k;
        EXPECT_EQ(polylines[0][k].row, runs[0][k].row) << k;
        const double x = -3 + 6.0 * polylines[0][k].column / 399;
        EXPECT_NEAR(polylines[0][k].row, 399 - (std::sin(x) + 3) / 6 * 399, 2.0) << k;
    }
}

#if defined(TALLIMEX_PNG)
// The PNG's black pixels and the pixels GDI's lines of the scene paint lie within one pixel of each
// other; the axes are the window's grey.
TEST_F(PlotCommandTest, ThePngCurveLiesWithinOnePixelOfTheWindows)
{
    const std::vector<CPlotDialogFields> requests{plotOf("sin(x)", "-3", "3")};
    ASSERT_EQ(run(requests, "plot.png"), "written");
    cairo_surface_t* png = cairo_image_surface_create_from_png((m_folder / "plot.png").string().c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(png), 400);
    ASSERT_EQ(cairo_image_surface_get_height(png), 400);
    const unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    auto colourAt = [&](int column, int row) {
        return *reinterpret_cast<const uint32_t*>(data + row * stride + column * 4) & 0xFFFFFF;
    };
    std::set<std::pair<int, int>> curve;
    for (int row = 0; row < 400; ++row) {
        for (int column = 0; column < 400; ++column) {
            if (colourAt(column, row) == 0)
                curve.emplace(column, row);
        }
    }
    EXPECT_EQ(colourAt(5, 199), 0x969696u) << "x axis";
    EXPECT_EQ(colourAt(199, 395), 0x969696u) << "y axis";
    EXPECT_EQ(colourAt(60, 60), 0xFFFFFFu);
    cairo_surface_destroy(png);

    CLabelMetrics metrics;
    const CGraphScene scene = buildGraphScene(graphOf(requests), metrics);
    std::set<std::pair<int, int>> window;
    for (const CSceneLine& segment : scene.plots.at(0).segments) {
        for (const auto& pixel : gdiLinePixels(segment))
            window.insert(pixel);
    }
    auto near = [](const std::set<std::pair<int, int>>& pixels, std::pair<int, int> pixel) {
        for (int dc = -1; dc <= 1; ++dc) {
            for (int dr = -1; dr <= 1; ++dr) {
                if (pixels.count({pixel.first + dc, pixel.second + dr}) != 0)
                    return true;
            }
        }
        return false;
    };
    ASSERT_GT(curve.size(), 300u);
    for (const auto& pixel : curve)
        EXPECT_TRUE(near(window, pixel)) << "PNG pixel " << pixel.first << ", " << pixel.second;
    for (const auto& pixel : window)
        EXPECT_TRUE(near(curve, pixel)) << "window pixel " << pixel.first << ", " << pixel.second;
}
#endif
