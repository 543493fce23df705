// Cost of a graph window's drawing under Wine: rebuilding the picture of a graph with 16 plots, and
// the repaint after a mouse move.
#include <benchmark/benchmark.h>

#include "bench/sixteen_plots.h"
#include "console/console_window.h"
#include "graph/portable/axis_scale.h"
#include "graph/windows/graph_picture.h"
#include "graph/windows/graph_window.h"

namespace {

// The rebuild that a paint after a change does: the old picture given back, a new memory DC and a
// bitmap compatible with the display, and the whole picture drawn into them.
void BM_RebuildSixteenPlots(benchmark::State& state)
{
    const CGraphModel graph = sixteenPlotGraph();
    HDC screen = GetDC(nullptr);
    CGraphPicture picture;
    for (auto _ : state) {
        picture.redraw(screen, graph);
        GdiFlush();
    }
    ReleaseDC(nullptr, screen);
}
BENCHMARK(BM_RebuildSixteenPlots)->UseRealTime()->Unit(benchmark::kMillisecond);

// A real graph window: each mouse move over the picture, then the paint of the status strip.
void BM_MouseMoveRepaint(benchmark::State& state)
{
    // The benchmark runs this more than once; the classes stay registered.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = CConsoleWindow::registerClass(instance) && CGraphWindow::registerClass(instance);
    CConsoleWindow console;
    if (!registered || console.create(instance) == nullptr) {
        state.SkipWithError("the windows could not be created");
        return;
    }
    CPlotSetup setup;
    setup.axes = {-3, 3, -3, 3, NEW_PLOT_AXIS_VALUES};
    HWND graph = CGraphWindow::openGraph(console, setup, console.handle());
    UpdateWindow(graph);
    WORD column = 0;
    for (auto _ : state) {
        column = static_cast<WORD>((column + 7) % PICTURE_SIZE);
        SendMessageW(graph, WM_MOUSEMOVE, 0, MAKELPARAM(column, 200));
        UpdateWindow(graph);
        GdiFlush();
    }
    DestroyWindow(console.handle());
}
BENCHMARK(BM_MouseMoveRepaint)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
