// Speed of tallimex-cli's pictures: the busiest graph written as an SVG file, scene and all.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/sixteen_plots.h"
#include "cli/plot_command.h"
#include "graph/portable/graph_model.h"

namespace {

void BM_WriteSixteenPlotSvg(benchmark::State& state)
{
    const CGraphModel graph = sixteenPlotGraph();
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "tallimex-bench-16-plots.svg";
    for (auto _ : state)
        writeGraphPicture(graph, file.string());
    state.counters["bytes"] = double(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteSixteenPlotSvg)->Unit(benchmark::kMillisecond);

} // namespace
