// The busiest graph there can be: 16 plots of 401 valid points over -3 .. 3, six ticks per axis.
#pragma once

#include <cmath>

#include "graph/portable/graph_model.h"
#include "graph/portable/plot_sampling.h"

inline CGraphModel sixteenPlotGraph()
{
    CPlotSetup setup;
    setup.axes = {-3, 3, -3, 3, NEW_PLOT_AXIS_VALUES};
    const CSampleValues x = variableSamples(-3, 3);
    for (size_t i = 0; i < x.size(); ++i)
        setup.plot.points[i] = {x[i], std::sin(x[i]), true};
    CGraphModel graph(setup);
    for (int k = 1; k < MAX_PLOTS; ++k) {
        for (CPlotPoint& point : setup.plot.points)
            point.y = std::sin(point.x + k) * (1 + k / 8.0);
        graph.addPlot(setup);
    }
    return graph;
}
