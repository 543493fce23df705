// Graph windows opened from the console: the plot dialogs, the picture, adding plots, zooming,
// the mouse coordinates and the limits.
#include "graph/windows/graph_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "console_harness.h"
#include "tests/imaging/image_files.h"
#include "tests/test_helpers.h"
#include "graph/portable/axis_scale.h"
#include "graph/portable/graph_scene.h"
#include "graph/windows/graph_drawing.h"
#include "resources/resource_ids.h"

namespace {

const wchar_t* const PLOT_EXPRESSION_CAPTION = L"Plot expression...";
const wchar_t* const PLOT_VECTOR_CAPTION = L"Plot parametrized vector...";
const wchar_t* const ZOOM_CAPTION = L"Zoom";
// The colour chooser's red, green and blue fields, in the part that opens fully.
constexpr int RED_EDIT = 706, GREEN_EDIT = 707, BLUE_EDIT = 708;
constexpr std::uint32_t WHITE = 0xFFFFFF;
constexpr std::uint32_t GREY = AXIS_COLOUR;
constexpr std::uint32_t BLACK = 0x000000;

// A field's text, or a click on a "Use default" box when the text is empty.
struct CField {
    int id;
    std::wstring text;
};
using CFields = std::vector<CField>;

CFields expressionPlot(const std::wstring& expression, const std::wstring& from, const std::wstring& to)
{
    return {{IDC_PLOT_EXPRESSION, expression}, {IDC_PLOT_VARIABLE, L"x"}, {IDC_PLOT_VARIABLE_FROM, from},
            {IDC_PLOT_VARIABLE_TO, to}};
}

CFields vectorPlot(const std::wstring& x, const std::wstring& y, const std::wstring& from, const std::wstring& to)
{
    return {{IDC_PLOT_X_EXPRESSION, x}, {IDC_PLOT_Y_EXPRESSION, y}, {IDC_PLOT_VARIABLE, L"t"},
            {IDC_PLOT_VARIABLE_FROM, from}, {IDC_PLOT_VARIABLE_TO, to}};
}

CFields operator+(CFields fields, const CFields& more)
{
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

void fill(HWND dialog, const CFields& fields)
{
    for (const CField& field : fields) {
        if (field.text.empty())
            SendDlgItemMessageW(dialog, field.id, BM_CLICK, 0, 0);
        else
            SetDlgItemTextW(dialog, field.id, field.text.c_str());
    }
}

// Presses a dialog's OK and reports whether a message box answered it (then the dialog is cancelled).
bool pressOk(CDialogWatcher& watcher, HWND dialog, int ok, int cancel)
{
    const size_t before = watcher.dialogs().size();
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ok, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, ok)));
    const bool refused = watcher.dialogs().size() > before;
    if (refused)
        clickButton(dialog, cancel);
    return refused;
}

BOOL CALLBACK collectGraph(HWND window, LPARAM graphs)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"Graph")
        reinterpret_cast<std::vector<HWND>*>(graphs)->push_back(window);
    return TRUE;
}

std::vector<HWND> graphWindows()
{
    std::vector<HWND> graphs;
    EnumThreadWindows(GetCurrentThreadId(), collectGraph, reinterpret_cast<LPARAM>(&graphs));
    return graphs;
}

// The client area of window as the screen shows it, 0xRRGGBB, top row first; the window is put on
// top of the others at the screen's top left corner first, so that all of it shows.
std::vector<std::uint32_t> shownClientArea(HWND window, SIZE& size)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(window, &client);
    size = {client.right, client.bottom};
    HDC windowDC = GetDC(window);
    HDC memoryDC = CreateCompatibleDC(windowDC);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDC, size.cx, size.cy);
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, size.cx, size.cy, windowDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    EXPECT_EQ(GetDIBits(windowDC, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS), size.cy);
    DeleteObject(bitmap);
    DeleteDC(memoryDC);
    ReleaseDC(window, windowDC);
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// The runs of rows from top on that hold a pixel other than the first row's colour, as
// (first, last) pairs.
std::vector<std::pair<int, int>> textBands(const std::vector<std::uint32_t>& pixels, SIZE size, int top)
{
    const std::uint32_t ground = pixels[static_cast<size_t>(top) * static_cast<size_t>(size.cx)];
    std::vector<std::pair<int, int>> bands;
    for (int row = top; row < size.cy; ++row) {
        const auto begin = pixels.begin() + static_cast<std::ptrdiff_t>(row) * size.cx;
        if (std::all_of(begin, begin + size.cx, [&](std::uint32_t pixel) { return pixel == ground; }))
            continue;
        if (!bands.empty() && bands.back().second == row - 1)
            bands.back().second = row;
        else
            bands.emplace_back(row, row);
    }
    return bands;
}

class GraphWindowTest : public ConsoleTest {
protected:
    // Runs a plot command of window with the fields filled in and OK pressed; returns the message
    // boxes that answered OK, as "caption: text".
    std::vector<std::wstring> plot(HWND window, int commandId, const CFields& fields)
    {
        CDialogWatcher watcher;
        for (const wchar_t* caption : {PLOT_EXPRESSION_CAPTION, PLOT_VECTOR_CAPTION}) {
            watcher.on(caption, [&](HWND dialog) {
                fill(dialog, fields);
                pressOk(watcher, dialog, IDC_PLOT_OK, IDC_PLOT_CANCEL);
            });
        }
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
        pump();
        return boxesAfterDialogs(watcher);
    }

    // Opens a graph from the console and returns its window.
    HWND openGraph(const CFields& fields, int commandId = IDM_PLOT_EXPRESSION)
    {
        const size_t before = graphWindows().size();
        EXPECT_TRUE(plot(mainWindow(), commandId, fields).empty());
        const std::vector<HWND> graphs = graphWindows();
        EXPECT_EQ(graphs.size(), before + 1);
        return graphs.empty() ? nullptr : graphs.front();
    }

    // Runs the zoom command of graph with the fields filled in.
    std::vector<std::wstring> zoom(HWND graph, const CFields& fields, bool cancel = false)
    {
        CDialogWatcher watcher;
        watcher.on(ZOOM_CAPTION, [&](HWND dialog) {
            fill(dialog, fields);
            if (cancel)
                clickButton(dialog, IDC_ZOOM_CANCEL);
            else
                pressOk(watcher, dialog, IDC_ZOOM_OK, IDC_ZOOM_CANCEL);
        });
        SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_ZOOM, 0), 0);
        pump();
        return boxesAfterDialogs(watcher);
    }

    static std::vector<std::wstring> boxesAfterDialogs(const CDialogWatcher& watcher)
    {
        std::vector<std::wstring> boxes;
        for (const auto& dialog : watcher.dialogs()) {
            if (dialog.caption != PLOT_EXPRESSION_CAPTION && dialog.caption != PLOT_VECTOR_CAPTION &&
                dialog.caption != ZOOM_CAPTION)
                boxes.push_back(dialog.caption + L": " + dialog.text);
        }
        return boxes;
    }

    static const CGraphModel& model(HWND graph) { return CGraphWindow::find(graph)->graph(); }

    // The bytes of graph's picture saved as a BMP file through "Save as...".
    std::string savedAsBmp(HWND graph, const wchar_t* name)
    {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
        saveAs(graph, file, 2);
        const std::string bytes = bytesOf(file);
        std::filesystem::remove(file);
        return bytes;
    }

    // The picture as the window shows it, after the pending paint.
    static std::vector<std::uint32_t> picture(HWND graph)
    {
        UpdateWindow(graph);
        return bitmapPixels(CGraphWindow::find(graph)->picture());
    }
    // Saves graph's picture as path through the Save As dialog with its filter, as a user does.
    void saveAs(HWND graph, const std::filesystem::path& path, int filter)
    {
        std::filesystem::remove(path);
        CDialogWatcher watcher;
        watcher.on(L"Save As", savingAs(path.wstring(), filter));
        SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_SAVE_AS, 0), 0);
        pump();
    }

    // The 400 x 400 picture of a saved BMP file, as the exports write it.
    static std::vector<std::uint32_t> savedPixels(const std::filesystem::path& file)
    {
        const std::string bytes = bytesOf(file);
        EXPECT_EQ(bytes.size(), 480054u);
        std::vector<std::uint32_t> saved;
        for (int row = 0; bytes.size() == 480054u && row < PICTURE_SIZE; ++row) {
            for (int column = 0; column < PICTURE_SIZE; ++column)
                saved.push_back(bmpColourAt(bytes, column, row));
        }
        return saved;
    }

    // The picture Copy puts on the clipboard.
    static std::vector<std::uint32_t> copiedPixels(HWND graph)
    {
        SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_COPY, 0), 0);
        std::vector<std::uint32_t> pixels;
        if (OpenClipboard(graph)) {
            if (auto copy = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)))
                pixels = bitmapPixels(copy);
            CloseClipboard();
        }
        return pixels;
    }

    // A pixel of a square picture of any side.
    static std::uint32_t at(const std::vector<std::uint32_t>& pixels, int column, int row)
    {
        const auto side = static_cast<size_t>(std::lround(std::sqrt(static_cast<double>(pixels.size()))));
        return pixels[static_cast<size_t>(row) * side + static_cast<size_t>(column)];
    }

    // Every sample of plot k that starts a drawn segment lies on a pixel of the plot's colour, as
    // the mapping onto the shown picture (399 for 400 pixels) puts it.
    static void expectPlotDrawn(HWND graph, size_t k, std::uint32_t colour)
    {
        const std::vector<std::uint32_t> pixels = picture(graph);
        const int last = bitmapSide(CGraphWindow::find(graph)->picture()) - 1;
        const CGraphAxes& axes = model(graph).axes();
        const CPlotPoints& points = model(graph).plots()[k].points;
        int drawn = 0;
        auto pixelOf = [&](const CPlotPoint& point) {
            return std::pair{int((point.x - axes.xFrom) / (axes.xTo - axes.xFrom) * last),
                             int(last - (point.y - axes.yFrom) / (axes.yTo - axes.yFrom) * last)};
        };
        // A segment leaves out its end pixel, so a sample shows as the start of the next segment.
        for (size_t i = 1; i + 1 < points.size(); ++i) {
            const auto [column, row] = pixelOf(points[i]);
            if (!points[i].valid || !points[i + 1].valid || pixelOf(points[i + 1]) == std::pair{column, row} ||
                column < 0 || column > last || row < 0 || row > last)
                continue;
            EXPECT_EQ(at(pixels, column, row), colour) << "sample " << i << " at " << column << ", " << row;
            ++drawn;
        }
        EXPECT_GT(drawn, 100);
    }
};

// Both axes cross at the middle of the picture, with six ticks each at the centres of six equal
// intervals and their labels beside them.
TEST_F(GraphWindowTest, CtrlGWithSinOverMinus3To3OpensARecognisableGraph)
{
    open();
    CDialogWatcher watcher;
    watcher.on(PLOT_EXPRESSION_CAPTION, [&](HWND dialog) {
        fill(dialog, expressionPlot(L"sin(x)", L"-3", L"3"));
        clickButton(dialog, IDC_PLOT_OK);
    });
    holdControl(true);
    pressKey(inputLine(), 'G');
    holdControl(false);
    pump();
    const std::vector<HWND> graphs = graphWindows();
    ASSERT_EQ(graphs.size(), 1u);
    HWND graph = graphs.front();
    EXPECT_EQ(windowText(graph), L"Graph");
    EXPECT_EQ(GetWindow(graph, GW_OWNER), mainWindow());
    EXPECT_EQ(GetMenuItemID(GetSubMenu(GetMenu(graph), 2), 2), static_cast<UINT>(IDM_GRAPH_ZOOM));
    const CGraphAxes& axes = model(graph).axes();
    EXPECT_EQ((std::vector<double>{axes.xFrom, axes.xTo, axes.yFrom, axes.yTo}), (std::vector<double>{-3, 3, -3, 3}));
    EXPECT_EQ(axes.axisValues, 6);

    const std::vector<std::uint32_t> pixels = picture(graph);
    constexpr int AXIS = 199; // trunc(399 / 2) for both axes
    const int ticks[] = {33, 99, 166, 232, 299, 365};
    EXPECT_EQ(at(pixels, 5, AXIS), GREY);
    EXPECT_EQ(at(pixels, AXIS, 395), GREY);
    for (int tick : ticks) {
        EXPECT_EQ(at(pixels, tick, AXIS + 6), GREY) << tick;      // x tick below the axis
        EXPECT_EQ(at(pixels, tick + 2, AXIS + 6), WHITE) << tick;
        EXPECT_EQ(at(pixels, AXIS - 6, tick), GREY) << tick;      // y tick left of the axis
    }
    EXPECT_EQ(at(pixels, 60, 60), WHITE);
    expectPlotDrawn(graph, 0, BLACK);

    enterLine(L"___g(2)");
    EXPECT_EQ(paneText().rfind(L">> ___g(2)\r\n= 0.9092974268257", 0), 0u) << narrow(paneText());
}

// Added plots are drawn against the graph's axes, which widen to a plot that reaches
// further and stay for one that lies inside.
TEST_F(GraphWindowTest, AddedPlotsAreDrawnAndWidenTheAxes)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    const CFields unitAxes = {{IDC_PLOT_X_DEFAULT, L""}, {IDC_PLOT_X_FROM, L"-1"}, {IDC_PLOT_X_TO, L"1"},
                              {IDC_PLOT_Y_DEFAULT, L""}, {IDC_PLOT_Y_FROM, L"-1"}, {IDC_PLOT_Y_TO, L"1"}};
    EXPECT_TRUE(
        plot(graph, IDM_GRAPH_ADD_VECTOR, vectorPlot(L"cos(t)", L"sin(t)", L"0", L"2*pi") + unitAxes).empty());
    EXPECT_EQ(model(graph).axes().xFrom, -3);
    EXPECT_EQ(model(graph).plots().size(), 2u);
    expectPlotDrawn(graph, 1, BLACK);

    // A field longer than 511 characters counts whole.
    std::wstring minusOne = L"-1";
    for (int k = 0; k < 300; ++k)
        minusOne += L"+0";
    EXPECT_TRUE(plot(graph, IDM_GRAPH_ADD_EXPRESSION,
                     expressionPlot(L"x/2", minusOne, L"5") + CFields{{IDC_PLOT_Y_DEFAULT, L""},
                                                               {IDC_PLOT_Y_FROM, L"-1"}, {IDC_PLOT_Y_TO, L"8"}})
                    .empty());
    const CGraphAxes& axes = model(graph).axes();
    EXPECT_EQ((std::vector<double>{axes.xFrom, axes.xTo, axes.yFrom, axes.yTo}), (std::vector<double>{-3, 5, -3, 8}));
    expectPlotDrawn(graph, 2, BLACK);
}

struct CPlotMessageCase {
    int command;
    CFields fields;
    std::wstring box;
};

// Every message of the plot dialogs' OK check, each in a box titled as given; the dialog stays
// open, and the graph count does not change.
TEST_F(GraphWindowTest, ThePlotDialogsSayWhatIsWrong)
{
    const std::wstring ERROR_BOX = L"Error: ";
    const CFields X_AXIS = {{IDC_PLOT_X_DEFAULT, L""}};
    const CFields Y_AXIS = {{IDC_PLOT_Y_DEFAULT, L""}};
    const CPlotMessageCase cases[] = {
        {IDM_PLOT_EXPRESSION, {{IDC_PLOT_VARIABLE_FROM, L" "}},
         ERROR_BOX + L"An error occured while evaluating the lower value:\r\n\"Function '___dummy' not defined.\""},
        {IDM_PLOT_EXPRESSION, {},
         ERROR_BOX + L"Please enter a value (or an expression) into the 'Variable from' field."},
        {IDM_PLOT_EXPRESSION, {{IDC_PLOT_VARIABLE_FROM, L"1"}},
         ERROR_BOX + L"Please enter a value (or an expression) into the 'Variable to' field."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"1", L"2i"),
         ERROR_BOX + L"An error occured while evaluating the upper value:\r\n\"Cannot use complex values in graph.\""},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"1", L"1"),
         ERROR_BOX + L"Lower value is higher than or equal to upper value."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + X_AXIS,
         ERROR_BOX + L"Please enter a value (or an expression) into the 'x axis from' field."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + X_AXIS + CFields{{IDC_PLOT_X_FROM, L"2+*2"}},
         ERROR_BOX + L"An error occured while evaluating the lower x value:\r\n"
                     L"\"Unable to parse expression. Please make sure you typed correctly.\""},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + X_AXIS + CFields{{IDC_PLOT_X_FROM, L"2"},
                                                                                   {IDC_PLOT_X_TO, L"1"}},
         ERROR_BOX + L"Lower x value is higher than or equal to upper x value."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + Y_AXIS + CFields{{IDC_PLOT_Y_FROM, L"1"}},
         ERROR_BOX + L"Please enter a value (or an expression) into the 'y axis to' field."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + Y_AXIS + CFields{{IDC_PLOT_Y_FROM, L"1"},
                                                                                   {IDC_PLOT_Y_TO, L"2i"}},
         ERROR_BOX + L"An error occured while evaluating the upper y value:\r\n"
                     L"\"Cannot use complex values in graph.\""},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"x", L"0", L"1") + Y_AXIS + CFields{{IDC_PLOT_Y_FROM, L"1"},
                                                                                   {IDC_PLOT_Y_TO, L"1"}},
         ERROR_BOX + L"Lower y value is higher than or equal to upper y value."},
        {IDM_PLOT_EXPRESSION, {{IDC_PLOT_VARIABLE_FROM, L"0"}, {IDC_PLOT_VARIABLE_TO, L"1"}},
         ERROR_BOX + L"Please enter a name (e.g. 'x') into the expression variable field."},
        {IDM_PLOT_EXPRESSION, {{IDC_PLOT_VARIABLE, L"x"}, {IDC_PLOT_VARIABLE_FROM, L"0"}, {IDC_PLOT_VARIABLE_TO, L"1"}},
         ERROR_BOX + L"Please enter an expression into the expression field."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"1/0", L"0", L"1"), L"Error computing values: Division by zero."},
        {IDM_PLOT_EXPRESSION, expressionPlot(L"sqrt(x)", L"-2", L"-1"),
         L"Error computing values: Cannot plot complex value."},
        {IDM_PLOT_VECTOR, {{IDC_PLOT_VARIABLE_FROM, L"0"}, {IDC_PLOT_VARIABLE_TO, L"1"}},
         ERROR_BOX + L"Please enter a name (e.g. 't') into the 'variable' field."},
        {IDM_PLOT_VECTOR, {{IDC_PLOT_VARIABLE, L"t"}, {IDC_PLOT_VARIABLE_FROM, L"0"}, {IDC_PLOT_VARIABLE_TO, L"1"}},
         ERROR_BOX + L"Please enter an expression into the 'x expression' field."},
        {IDM_PLOT_VECTOR, vectorPlot(L"sqrt(t)", L"t", L"-2", L"-1"),
         L"Error computing x values: Cannot plot complex x value."},
    };
    open();
    for (const CPlotMessageCase& c : cases)
        EXPECT_EQ(plot(mainWindow(), c.command, c.fields), std::vector<std::wstring>{c.box}) << narrow(c.box);
    EXPECT_TRUE(graphWindows().empty());
}

// The boxes start checked with their ranges disabled; each click toggles both.
TEST_F(GraphWindowTest, UseDefaultTogglesItsRange)
{
    open();
    std::vector<bool> states;
    auto record = [&](HWND dialog) {
        for (int box : {IDC_PLOT_X_DEFAULT, IDC_PLOT_Y_DEFAULT})
            states.push_back(IsDlgButtonChecked(dialog, box) == BST_CHECKED);
        for (int control : {IDC_PLOT_X_FROM, IDC_PLOT_X_TO, IDC_PLOT_X_FROM_LABEL, IDC_PLOT_X_TO_LABEL,
                            IDC_PLOT_Y_FROM, IDC_PLOT_Y_TO, IDC_PLOT_Y_FROM_LABEL, IDC_PLOT_Y_TO_LABEL})
            states.push_back(IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE);
    };
    CDialogWatcher watcher;
    watcher.on(PLOT_EXPRESSION_CAPTION, [&](HWND dialog) {
        record(dialog);
        fill(dialog, {{IDC_PLOT_X_DEFAULT, L""}});
        record(dialog);
        fill(dialog, {{IDC_PLOT_X_DEFAULT, L""}, {IDC_PLOT_Y_DEFAULT, L""}});
        record(dialog);
        clickButton(dialog, IDC_PLOT_CANCEL);
    });
    command(IDM_PLOT_EXPRESSION);
    const std::vector<bool> expected = {
        true, true, false, false, false, false, false, false, false, false,
        false, true, true, true, true, true, false, false, false, false,
        true, false, false, false, false, false, true, true, true, true,
    };
    EXPECT_EQ(states, expected);
}

// "Choose color..." opens the colour chooser fully; the colour confirmed there draws the plot, and
// a cancelled chooser keeps it.
TEST_F(GraphWindowTest, TheChosenColourDrawsThePlot)
{
    open();
    CDialogWatcher watcher;
    bool fullyOpen = false;
    watcher.on(L"Color", [&](HWND chooser) {
        fullyOpen = IsWindowVisible(GetDlgItem(chooser, RED_EDIT)) != FALSE;
        for (auto [edit, text] : {std::pair{RED_EDIT, L"200"}, {GREEN_EDIT, L"0"}, {BLUE_EDIT, L"50"}})
            SetDlgItemTextW(chooser, edit, text);
        clickButton(chooser, watcher.count(L"Color") == 1 ? IDOK : IDCANCEL);
    });
    watcher.on(PLOT_EXPRESSION_CAPTION, [&](HWND dialog) {
        fill(dialog, expressionPlot(L"x", L"-3", L"3"));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLOT_COLOUR, BN_CLICKED), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLOT_COLOUR, BN_CLICKED), 0);
        clickButton(dialog, IDC_PLOT_OK);
    });
    command(IDM_PLOT_EXPRESSION);
    const std::vector<HWND> graphs = graphWindows();
    ASSERT_EQ(graphs.size(), 1u);
    EXPECT_TRUE(fullyOpen);
    EXPECT_EQ(model(graphs.front()).plots()[0].colour, static_cast<std::uint32_t>(RGB(200, 0, 50)));
    expectPlotDrawn(graphs.front(), 0, 0xC80032);
}

// One plot dialog in the whole program: while the console's is open, a graph window says so instead
// of opening another, and the console, whose own dialog it is, ignores the command; the 17th plot of
// a graph is refused before any dialog.
TEST_F(GraphWindowTest, OnePlotDialogAtATimeAndSixteenPlotsPerGraph)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"0", L"1"));
    ASSERT_NE(graph, nullptr);
    CDialogWatcher watcher;
    watcher.on(PLOT_VECTOR_CAPTION, [&](HWND dialog) {
        SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_ADD_EXPRESSION, 0), 0);
        SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(IDM_PLOT_EXPRESSION, 0), 0);
        clickButton(dialog, IDC_PLOT_CANCEL);
    });
    command(IDM_PLOT_VECTOR);
    const std::wstring refused = L"Error: You cannot open more than one graph setup window at a time.";
    EXPECT_EQ(boxesAfterDialogs(watcher), std::vector<std::wstring>{refused});
    EXPECT_EQ(watcher.dialogs()[1].owner, graph);

    for (int k = 1; k < 16; ++k)
        ASSERT_TRUE(plot(graph, IDM_GRAPH_ADD_EXPRESSION, expressionPlot(L"x", L"0", L"1")).empty()) << k;
    EXPECT_EQ(model(graph).plots().size(), 16u);
    EXPECT_EQ(plot(graph, IDM_GRAPH_ADD_VECTOR, {}),
              std::vector<std::wstring>{L"Error: No more than 16 plots are allowed in a graph."});
    EXPECT_EQ(model(graph).plots().size(), 16u);
}

// The dialog shows the axes in the engine's notation; OK redraws against new ranges (a reversed
// one mirrored, with its ticks), Cancel and every refused check leave the graph as it was.
TEST_F(GraphWindowTest, ZoomChangesTheAxesOnlyOnOk)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    std::vector<std::wstring> shown;
    {
        CDialogWatcher watcher;
        watcher.on(ZOOM_CAPTION, [&](HWND dialog) {
            for (int id : {IDC_ZOOM_X_FROM, IDC_ZOOM_X_TO, IDC_ZOOM_Y_FROM, IDC_ZOOM_Y_TO, IDC_ZOOM_AXIS_VALUES})
                shown.push_back(itemText(dialog, id));
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        });
        SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_ZOOM, 0), 0);
        pump();
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"-3", L"3", L"-3", L"3", L"6"}));

    const CGraphAxes before = model(graph).axes();
    const struct {
        CFields fields;
        std::wstring box;
    } refused[] = {
        {{{IDC_ZOOM_X_FROM, L"2i"}}, L"Error: Error computing lower x value:\r\nComplex value."},
        {{{IDC_ZOOM_Y_TO, L" "}}, L"Error: Error computing upper y value:\r\nFunction '___dummy' not defined."},
        {{{IDC_ZOOM_AXIS_VALUES, L" "}}, L"Error: Error parsing value from 'Axis values' field."},
        {{{IDC_ZOOM_AXIS_VALUES, L"16"}},
         L"Error: The 'Axis value' field must be an integer in the range of 1 through 15"},
        {{{IDC_ZOOM_AXIS_VALUES, L"0"}},
         L"Error: The 'Axis value' field must be an integer in the range of 1 through 15"},
    };
    for (const auto& c : refused)
        EXPECT_EQ(zoom(graph, c.fields), std::vector<std::wstring>{c.box}) << narrow(c.box);
    EXPECT_TRUE(zoom(graph, {{IDC_ZOOM_X_FROM, L"-1"}}, true).empty());
    EXPECT_EQ(model(graph).axes().xFrom, before.xFrom);

    enterLine(L"w=2");
    EXPECT_TRUE(zoom(graph, {{IDC_ZOOM_X_FROM, L"3"}, {IDC_ZOOM_X_TO, L"-3"}, {IDC_ZOOM_Y_FROM, L"0"},
                             {IDC_ZOOM_Y_TO, L"w+1"}, {IDC_ZOOM_AXIS_VALUES, L"1"}})
                    .empty());
    const CGraphAxes& axes = model(graph).axes();
    EXPECT_EQ((std::vector<double>{axes.xFrom, axes.xTo, axes.yFrom, axes.yTo}), (std::vector<double>{3, -3, 0, 3}));
    EXPECT_EQ(axes.axisValues, 1);
    // y from 0 puts the x axis on the bottom row with one tick in the middle; x = 2 lies left of
    // the middle on the mirrored axis, at the height of y = 2.
    const std::vector<std::uint32_t> pixels = picture(graph);
    EXPECT_EQ(at(pixels, 20, 399), GREY);
    EXPECT_EQ(at(pixels, 199, 392), GREY);
    EXPECT_EQ(at(pixels, int(1.0 / 6 * 399), int(399 - 2.0 / 3 * 399)), BLACK);
    expectPlotDrawn(graph, 0, BLACK);
}

// A range of no width draws the axis line without ticks and no plot, and painting goes on.
TEST_F(GraphWindowTest, AZeroSpanStillPaints)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    CDialogWatcher watcher;
    EXPECT_TRUE(zoom(graph, {{IDC_ZOOM_Y_FROM, L"1"}, {IDC_ZOOM_Y_TO, L"1"}}).empty());
    const std::vector<std::uint32_t> pixels = picture(graph);
    EXPECT_EQ(at(pixels, 50, 399), GREY);
    EXPECT_EQ(at(pixels, 33, 392), GREY);
    EXPECT_EQ(at(pixels, 199, 300), GREY);
    EXPECT_EQ(at(pixels, 205, 232), WHITE);
    EXPECT_TRUE(watcher.dialogs().empty());
}

// Moves update the first status line and clicks the second, in graph coordinates; rows below the
// picture's last mapped row are ignored; the picture itself is not drawn again.
TEST_F(GraphWindowTest, TheStatusLinesFollowTheMouse)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(toWide(model(graph).mouseStatusLine()), L"Current mouse position: ( 0 , 0 )");
    UpdateWindow(graph);
    HBITMAP picture = CGraphWindow::find(graph)->picture();

    SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(399, 0));
    SendMessageW(graph, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 399));
    SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(10, 401));
    RECT invalid{};
    EXPECT_TRUE(GetUpdateRect(graph, &invalid, FALSE));
    EXPECT_EQ(invalid.top, 400);
    UpdateWindow(graph);
    EXPECT_EQ(toWide(model(graph).mouseStatusLine()), L"Current mouse position: ( 3 , 3 )");
    EXPECT_EQ(toWide(model(graph).clickStatusLine()), L"Mouse click position: ( -3 , -3 )");
    EXPECT_EQ(CGraphWindow::find(graph)->picture(), picture);
}

// Save as and Copy take the picture as the window shows it.
TEST_F(GraphWindowTest, SaveAsAndCopyTakeTheWindowsPicture)
{
    open();
    HWND graph = openGraph(expressionPlot(L"sin(x)", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    const std::vector<std::uint32_t> shown = picture(graph);
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tallimex-graph-window.bmp";
    saveAs(graph, file, 2);
    EXPECT_TRUE(savedPixels(file) == shown);
    std::filesystem::remove(file);
    EXPECT_TRUE(copiedPixels(graph) == shown);
}

// tallimex-cli.exe draws the same plot with the window's drawing routine and writes the same file.
TEST_F(GraphWindowTest, TheTerminalConsolesBmpEqualsTheWindowsExport)
{
    open();
    HWND graph = openGraph(expressionPlot(L"sin(x)", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    const std::string window = savedAsBmp(graph, L"tallimex-graph-window.bmp");
    ASSERT_EQ(window.size(), 480054u);
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tallimex-cli-plot.bmp";
    std::filesystem::remove(file);
    // The build names the program by its path on this machine, which Wine shows as drive Z:.
    std::wstring program = std::filesystem::path(TALLIMEX_CLI_EXE).make_preferred().wstring();
    if (!program.empty() && program[0] == L'\\')
        program = L"Z:" + program;
    std::wstring commandLine =
        L"\"" + program + L"\" --plot sin(x) --from -3 --to 3 --output \"" + file.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << narrow(commandLine);
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(status, 0u);
    const std::string cli = bytesOf(file);
    std::filesystem::remove(file);
    ASSERT_EQ(cli.size(), window.size());
    EXPECT_TRUE(cli == window) << "the pictures differ";
}

// "Save as..." posted again under the graph's own Save As dialog, with a box between them, nested
// file dialogs of one window until an ended one called through its freed state.
TEST_F(GraphWindowTest, CommandsPostedUnderTheGraphsOwnDialogAreIgnored)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"0", L"1"));
    ASSERT_NE(graph, nullptr);
    CDialogWatcher watcher;
    bool othersEnabled = true;
    watcher.on(L"Save As", [&](HWND dialog) {
        othersEnabled = IsWindowEnabled(mainWindow()) || IsWindowEnabled(toolWindow(ToolWindow::CubicSolver));
        if (watcher.count(L"Save As") == 1)
            PostMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_ADD_EXPRESSION, 0), 0);
        clickButton(dialog, IDCANCEL);
    });
    watcher.on(PLOT_EXPRESSION_CAPTION, [&](HWND dialog) {
        PostMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_SAVE_AS, 0), 0);
        clickButton(dialog, IDC_PLOT_CANCEL);
    });
    SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_SAVE_AS, 0), 0);
    pump();
    EXPECT_EQ(watcher.count(L"Save As"), 1u);
    EXPECT_EQ(watcher.count(PLOT_EXPRESSION_CAPTION), 0u);
    // Nothing else opens a loop above the file dialog either.
    EXPECT_FALSE(othersEnabled);
    EXPECT_TRUE(IsWindowEnabled(graph) && IsWindowEnabled(mainWindow()));
}

// The main window stays usable under a graph's dialog; closing it then ends the dialog, the graph
// and the program, and the graph's handler returns to a graph that is gone.
TEST_F(GraphWindowTest, ClosingTheMainWindowUnderAGraphsDialogEndsBoth)
{
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    CDialogWatcher watcher;
    watcher.on(ZOOM_CAPTION, [&](HWND) { SendMessageW(mainWindow(), WM_CLOSE, 0, 0); });
    SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_ZOOM, 0), 0);
    pump();
    EXPECT_FALSE(IsWindow(graph));
    EXPECT_EQ(CGraphWindow::find(graph), nullptr);
    EXPECT_TRUE(m_quitSeen);
}

// Close destroys the window and forgets the graph; the main window stays.
TEST_F(GraphWindowTest, CloseEndsTheGraphOnly)
{
    open();
    HWND graph = openGraph(vectorPlot(L"t", L"t^2", L"-1", L"1"), IDM_PLOT_VECTOR);
    ASSERT_NE(graph, nullptr);
    SendMessageW(graph, WM_COMMAND, MAKEWPARAM(IDM_GRAPH_CLOSE, 0), 0);
    pump();
    EXPECT_FALSE(IsWindow(graph));
    EXPECT_EQ(CGraphWindow::find(graph), nullptr);
    EXPECT_TRUE(IsWindow(mainWindow()));
}

// At the display's scale (the scaled runs of display_scaling_test.sh set 144 and 192 dpi) the
// picture is 400 × dpi / 96 pixels square, the axes of −3..3 cross at its centre, the curve lies
// where the scaled mapping puts it, and the mouse maps over the whole of it.
TEST_F(GraphWindowTest, ThePictureGrowsWithTheDisplayScale)
{
    const int side = pictureSize(displayScaleUnderTest());
    open();
    HWND graph = openGraph(expressionPlot(L"sin(x)", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    const std::vector<std::uint32_t> pixels = picture(graph);
    ASSERT_EQ(bitmapSide(CGraphWindow::find(graph)->picture()), side);
    RECT client{};
    GetClientRect(graph, &client);
    EXPECT_EQ(client.right, side + 1);
    const int centre = (side - 1) / 2;
    EXPECT_EQ(at(pixels, 5, centre), GREY);
    EXPECT_EQ(at(pixels, centre, side - 5), GREY);
    EXPECT_EQ(at(pixels, side / 6, side / 6), WHITE);
    expectPlotDrawn(graph, 0, BLACK);

    SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(side - 1, 0));
    SendMessageW(graph, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, side - 1));
    RECT invalid{};
    EXPECT_TRUE(GetUpdateRect(graph, &invalid, FALSE));
    EXPECT_EQ(invalid.top, side);
    SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(centre, side + 1));
    EXPECT_EQ(toWide(model(graph).mouseStatusLine()), L"Current mouse position: ( 3 , 3 )");
    EXPECT_EQ(toWide(model(graph).clickStatusLine()), L"Mouse click position: ( -3 , -3 )");
}

// The two status lines are two bands of text below the picture, apart from each other and whole
// inside the client area, whatever the height of the system font.
TEST_F(GraphWindowTest, TheStatusLinesAreTwoWholeBands)
{
    const int side = pictureSize(displayScaleUnderTest());
    open();
    HWND graph = openGraph(expressionPlot(L"x", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    SIZE size{};
    const std::vector<std::uint32_t> pixels = shownClientArea(graph, size);
    const std::vector<std::pair<int, int>> bands = textBands(pixels, size, side + 1);
    ASSERT_EQ(bands.size(), 2u) << "client area " << size.cx << " x " << size.cy;
    EXPECT_GT(bands[1].first, bands[0].second + 1);
    EXPECT_LT(bands[1].second, size.cy - 1);
    EXPECT_EQ(bands[0].second - bands[0].first, bands[1].second - bands[1].first);
}

// Save and Copy take the 400-pixel picture at every display scale: the same scene drawn once more
// at 96 dpi. display_scaling_test.sh compares the files of a scaled run with those at 96 dpi.
TEST_F(GraphWindowTest, ExportsAreThe400PixelPictureAtEveryDisplayScale)
{
    displayScaleUnderTest();
    open();
    HWND graph = openGraph(expressionPlot(L"sin(x)", L"-3", L"3"));
    ASSERT_NE(graph, nullptr);
    HDC screen = GetDC(nullptr);
    HDC drawingDC = CreateCompatibleDC(screen);
    HBITMAP drawn = CreateCompatibleBitmap(screen, PICTURE_SIZE, PICTURE_SIZE);
    HGDIOBJ previous = SelectObject(drawingDC, drawn);
    drawGraphPicture(drawingDC, model(graph));
    SelectObject(drawingDC, previous);
    DeleteDC(drawingDC);
    ReleaseDC(nullptr, screen);
    const std::vector<std::uint32_t> expected = bitmapPixels(drawn);
    DeleteObject(drawn);

    const char* folder = std::getenv("TALLIMEX_EXPORT_DIR");
    const std::filesystem::path directory = folder != nullptr ? std::filesystem::path(folder)
                                                              : std::filesystem::temp_directory_path();
    saveAs(graph, directory / L"graph.bmp", 2);
    saveAs(graph, directory / L"graph.jpg", 1);
    EXPECT_TRUE(savedPixels(directory / L"graph.bmp") == expected);
    EXPECT_TRUE(std::filesystem::exists(directory / L"graph.jpg"));
    if (folder == nullptr) {
        std::filesystem::remove(directory / L"graph.bmp");
        std::filesystem::remove(directory / L"graph.jpg");
    }
    EXPECT_TRUE(copiedPixels(graph) == expected);
}

} // namespace
