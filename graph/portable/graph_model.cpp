// The state of one graph apart from its window: plots, axes and the mouse positions shown below
// the picture.
#include "graph/portable/graph_model.h"

#include "engine/number_format.h"
#include "foundation/exception.h"
#include "graph/portable/axis_scale.h"

namespace {

// Rows 0..399 are the picture; the row below it is still taken.
constexpr uint16_t LAST_MOUSE_ROW = PICTURE_SIZE;

VKF::CString statusLine(const VKF::UChar* caption, const CGraphPoint& position)
{
    return caption + coordinateText(position.x) + VKF_T(" , ") + coordinateText(position.y) + VKF_T(" )");
}

} // namespace

VKF::CString coordinateText(double value)
{
    return VKCL::formatShortNumber(value);
}

// Room for every plot at once, so that adding one never allocates.
CGraphModel::CGraphModel(const CPlotSetup& first) : m_axes(first.axes)
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
    const CAxisScale xScale(m_axes.xFrom, m_axes.xTo), yScale(m_axes.yFrom, m_axes.yTo);
    return {xScale.valueAt(column), yScale.valueAt(LAST_PIXEL - row)};
}

bool CGraphModel::locate(uint16_t column, uint16_t row, CGraphPoint& position) const noexcept
{
    if (row > LAST_MOUSE_ROW)
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
