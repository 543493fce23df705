// The state of one graph apart from its window: plots, axes and the mouse positions shown below
// the picture.
#include "graph/portable/graph_model.h"

#include <algorithm>

#include "engine/number_format.h"
#include "foundation/exception.h"
#include "graph/portable/axis_scale.h"

namespace {

VKF::CString statusLine(const VKF::UChar* caption, const CGraphPoint& position)
{
    return caption + coordinateText(position.x) + VKF_T(" , ") + coordinateText(position.y) + VKF_T(" )");
}

} // namespace

VKF::CString coordinateText(double value)
{
    return VKCL::formatShortNumber(value);
}

// The lines are a step apart that holds a line of text and a gap; the strip holds both lines
// under a top gap.
CStatusStrip::CStatusStrip(CDisplayScale scale, int32_t lineHeight) noexcept
    : top(pictureSize(scale)), width(pictureSize(scale)), lineLeft(scale.scaled(10))
{
    const int32_t step = std::max(scale.scaled(20), lineHeight + scale.scaled(4));
    height = scale.scaled(10) + 2 * step;
    mouseLineRaise = 2 * step;
    clickLineRaise = step;
}

// Room for every plot at once, so that adding one never allocates.
CGraphModel::CGraphModel(const CPlotSetup& first, CDisplayScale shown)
    : m_axes(first.axes), m_shownSize(pictureSize(shown))
{
    m_plots.reserve(MAX_PLOTS);
    m_plots.push_back(first.plot);
}

void CGraphModel::addPlot(const CPlotSetup& setup)
{
    if (isFull())
        throw VKF::CException(TOO_MANY_PLOTS_MESSAGE);
    m_plots.push_back(setup.plot);
    m_axes.include(setup.axes);
}

CGraphPoint CGraphModel::graphPointAt(int32_t column, int32_t row) const noexcept
{
    const int32_t lastPixel = m_shownSize - 1;
    const CAxisScale xScale(m_axes.xFrom, m_axes.xTo, lastPixel), yScale(m_axes.yFrom, m_axes.yTo, lastPixel);
    return {xScale.valueAt(column), yScale.valueAt(lastPixel - row)};
}

bool CGraphModel::locate(uint16_t column, uint16_t row, CGraphPoint& position) const noexcept
{
    // The row just below the picture is still taken.
    if (row > m_shownSize)
        return false;
    position = graphPointAt(column, row);
    return true;
}

bool CGraphModel::moveMouse(uint16_t column, uint16_t row) noexcept
{
    return locate(column, row, m_mouse);
}

bool CGraphModel::clickMouse(uint16_t column, uint16_t row) noexcept
{
    return locate(column, row, m_click);
}

VKF::CString CGraphModel::mouseStatusLine() const
{
    return statusLine(VKF_T("Current mouse position: ( "), m_mouse);
}

VKF::CString CGraphModel::clickStatusLine() const
{
    return statusLine(VKF_T("Mouse click position: ( "), m_click);
}
