// Speed of the graph's portable work: sampling one plot through the engine and building the scene.
#include <benchmark/benchmark.h>

#include "bench/sixteen_plots.h"
#include "engine/calculator.h"
#include "engine/confirmation.h"
#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"
#include "graph/portable/plot_sampling.h"
#include "graph/portable/plot_setup_acceptance.h"

namespace {

class CAlwaysYes : public VKCL::CConfirmation {
public:
    bool confirm(const VKF::CString&) override { return true; }
};

// Labels measured as a 10-pixel font would roughly give them.
class CFixedMeasure : public CTextMeasure {
public:
    CTextSize measure(const VKF::CString& text) override { return {5 * text.length(), 10}; }
};

// The plot dialog's sampling pass: ___g called at the 401 values of -3 .. 3.
void BM_SamplePlot(benchmark::State& state, const VKF::UChar* definition)
{
    CAlwaysYes yes;
    VKCL::CCalculator calculator(yes);
    VKF::CString output;
    calculator.executeStatement(definition, output);
    const CSampleValues x = variableSamples(-3, 3);
    const VKF::CString name(EXPRESSION_FUNCTION_NAME);
    for (auto _ : state)
        benchmark::DoNotOptimize(sampleFunction(calculator, name, x, VKF_T("complex")).validCount);
}
BENCHMARK_CAPTURE(BM_SamplePlot, sin, VKF_T("___g(x)=sin(x)"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SamplePlot, formula, VKF_T("___g(x)=sin(x)^2+cos(3x)/(1+x^2)"))->Unit(benchmark::kMicrosecond);

// A full picture: 16 plots of 401 points, six ticks per axis.
void BM_BuildScene(benchmark::State& state)
{
    const CGraphModel graph = sixteenPlotGraph();
    CFixedMeasure measure;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildGraphScene(graph, measure).plots.size());
}
BENCHMARK(BM_BuildScene)->Unit(benchmark::kMicrosecond);

} // namespace
