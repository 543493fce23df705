// A graph's picture kept in memory: a square bitmap of the picture at a display scale, selected
// into a memory DC.
#include "graph/windows/graph_picture.h"

#include "graph/portable/axis_scale.h"
#include "graph/windows/graph_drawing.h"

CGraphPicture::~CGraphPicture()
{
    release();
}

bool CGraphPicture::redraw(HDC like, const CGraphModel& graph, CDisplayScale scale)
{
    release();
    const int side = pictureSize(scale);
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(like, side, side);
    if (m_dc == nullptr || m_bitmap == nullptr) {
        release();
        return false;
    }
    m_dcBitmap = SelectObject(m_dc, m_bitmap);
    drawGraphPicture(m_dc, graph, scale);
    return true;
}

void CGraphPicture::release() noexcept
{
    if (m_dc != nullptr) {
        SelectObject(m_dc, m_dcBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_dcBitmap = nullptr;
}
