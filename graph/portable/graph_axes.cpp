// The axis settings of a graph: the visible ranges and the number of ticks per axis.
#include "graph/portable/graph_axes.h"

#include <algorithm>

namespace {

// Widens from..to to cover otherFrom..otherTo in from..to's direction.
void widen(double& from, double& to, double otherFrom, double otherTo) noexcept
{
    const double low = std::min({from, to, otherFrom, otherTo});
    const double high = std::max({from, to, otherFrom, otherTo});
    if (from <= to) {
        from = low;
        to = high;
    } else {
        from = high;
        to = low;
    }
}

} // namespace

void CGraphAxes::include(const CGraphAxes& other) noexcept
{
    widen(xFrom, xTo, other.xFrom, other.xTo);
    widen(yFrom, yTo, other.yFrom, other.yTo);
}
