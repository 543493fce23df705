// One axis of the graph picture: the linear map between graph values and pixel positions.
#include "graph/portable/axis_scale.h"

#include <algorithm>
#include <cmath>

CAxisScale::CAxisScale(double from, double to, int32_t lastPixel) noexcept
    : m_from(from), m_to(to), m_span(to - from), m_lastPixel(lastPixel), m_halfSpan(to / 2 - from / 2)
{
}

bool CAxisScale::isDrawable() const noexcept
{
    return std::isfinite(m_from) && std::isfinite(m_to) && m_from != m_to;
}

// Halving is exact for all but the smallest numbers, so the halved quotient equals the plain
// one wherever the plain one overflows.
double CAxisScale::position(double value) const noexcept
{
    const double offset = value - m_from;
    if (std::isfinite(offset) && std::isfinite(m_span))
        return offset / m_span * m_lastPixel;
    return positionOfHalved(value / 2);
}

double CAxisScale::positionOfHalved(double halfValue) const noexcept
{
    return (halfValue - m_from / 2) / m_halfSpan * m_lastPixel;
}

// std::lerp is exact at both ends and does not overflow between ends of opposite signs.
double CAxisScale::valueAt(double position) const noexcept
{
    return std::lerp(m_from, m_to, position / m_lastPixel);
}

std::vector<double> CAxisScale::ticks(int32_t count) const
{
    std::vector<double> values;
    if (!isDrawable() || count < 1)
        return values;
    const bool ascending = m_from < m_to;
    const double step = m_span / count;
    for (int32_t k = 0; k < count; ++k) {
        const double centre = k + 0.5;
        const double value = std::isfinite(step) ? m_from + centre * step
                                                 : 2 * (m_from / 2 + centre * (m_halfSpan / count));
        // Rounding can put the last centre of a range narrow for its magnitude on the end.
        if (ascending ? !(value < m_to) : !(value > m_to))
            break;
        values.push_back(value);
    }
    return values;
}

bool CAxisScale::isWithinSpan(double a, double b) const noexcept
{
    const double jump = std::fabs(a - b);
    if (std::isfinite(jump) && std::isfinite(m_span))
        return jump < std::fabs(m_span);
    return std::fabs(a / 2 - b / 2) < std::fabs(m_halfSpan);
}

ZeroPlace CAxisScale::zeroPlace() const noexcept
{
    const bool ascending = m_from <= m_to;
    if (std::min(m_from, m_to) >= 0)
        return ascending ? ZeroPlace::FromEnd : ZeroPlace::ToEnd;
    if (std::max(m_from, m_to) <= 0)
        return ascending ? ZeroPlace::ToEnd : ZeroPlace::FromEnd;
    return ZeroPlace::Between;
}

void CAxisScale::halvedBounds(double margin, double& low, double& high) const noexcept
{
    const double extra = margin / m_lastPixel * std::fabs(m_halfSpan);
    low = std::min(m_from, m_to) / 2 - extra;
    high = std::max(m_from, m_to) / 2 + extra;
}
