// Draws a graph's picture into a device context by replaying its scene with GDI.
#include "graph/windows/graph_drawing.h"

#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"
#include "graph/windows/selected_gdi_object.h"

namespace {

// Label sizes as the DC's selected font gives them.
class CDeviceTextMeasure : public CTextMeasure {
public:
    explicit CDeviceTextMeasure(HDC dc) noexcept : m_dc(dc) {}

    CTextSize measure(const VKF::CString& text) override
    {
        SIZE size{};
        GetTextExtentPoint32W(m_dc, text.characters(), text.length(), &size);
        return {size.cx, size.cy};
    }

private:
    HDC m_dc;
};

HFONT createLabelFont(CDisplayScale scale) noexcept
{
    return CreateFontW(scale.scaled(LABEL_FONT_HEIGHT), 0, 0, 0, LABEL_FONT_WEIGHT, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       LABEL_FONT_FACE);
}

void drawLine(HDC dc, const CSceneLine& line) noexcept
{
    MoveToEx(dc, line.from.column, line.from.row, nullptr);
    LineTo(dc, line.to.column, line.to.row);
}

void drawAxis(HDC dc, const CSceneAxis& axis) noexcept
{
    drawLine(dc, axis.line);
    for (const CSceneTick& tick : axis.ticks) {
        drawLine(dc, tick.mark);
        const CSceneLabel& label = tick.label;
        TextOutW(dc, label.topLeft.column, label.topLeft.row, label.text.characters(), label.text.length());
    }
}

void drawPlot(HDC dc, const CScenePlot& plot) noexcept
{
    CSelectedGdiObject pen(dc, CreatePen(PS_SOLID, plot.penWidth, plot.colour));
    for (const CSceneLine& segment : plot.segments)
        drawLine(dc, segment);
}

} // namespace

void drawGraphPicture(HDC dc, const CGraphModel& graph, CDisplayScale scale)
{
    CSelectedGdiObject font(dc, createLabelFont(scale));
    CDeviceTextMeasure measure(dc);
    const CGraphScene scene = buildGraphScene(graph, measure, scale);

    const RECT picture{0, 0, scene.pictureSize, scene.pictureSize};
    FillRect(dc, &picture, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        CSelectedGdiObject axisPen(dc, CreatePen(PS_SOLID, scene.axisPenWidth, AXIS_COLOUR));
        const COLORREF textColour = SetTextColor(dc, AXIS_COLOUR);
        drawAxis(dc, scene.xAxis);
        drawAxis(dc, scene.yAxis);
        SetTextColor(dc, textColour);
    }
    for (const CScenePlot& plot : scene.plots)
        drawPlot(dc, plot);
}
