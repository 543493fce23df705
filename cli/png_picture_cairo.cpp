// A graph's scene drawn with cairo into a PNG file, step for step as the graph window draws it.
#include <cairo.h>

#include <memory>

#include "cli/label_metrics.h"
#include "cli/raster_pictures.h"
#include "foundation/exception.h"
#include "foundation/utf8.h"
#include "graph/portable/graph_scene.h"

namespace {

struct CSurfaceRelease {
    void operator()(cairo_surface_t* surface) const noexcept { cairo_surface_destroy(surface); }
};
struct CContextRelease {
    void operator()(cairo_t* context) const noexcept { cairo_destroy(context); }
};

void setColour(cairo_t* cairo, uint32_t colour)
{
    cairo_set_source_rgb(cairo, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         ((colour >> 16) & 0xFF) / 255.0);
}

// From pixel centre to pixel centre, as GDI's MoveToEx and LineTo.
void addLine(cairo_t* cairo, const CSceneLine& line)
{
    cairo_move_to(cairo, line.from.column + 0.5, line.from.row + 0.5);
    cairo_line_to(cairo, line.to.column + 0.5, line.to.row + 0.5);
}

void drawAxis(cairo_t* cairo, const CSceneAxis& axis)
{
    CLabelMetrics metrics;
    setColour(cairo, AXIS_COLOUR);
    addLine(cairo, axis.line);
    cairo_stroke(cairo);
    for (const CSceneTick& tick : axis.ticks) {
        setColour(cairo, AXIS_COLOUR);
        addLine(cairo, tick.mark);
        cairo_stroke(cairo);
        // The label's box is opaque, white under grey text.
        const CSceneLabel& label = tick.label;
        const CTextSize size = metrics.measure(label.text);
        setColour(cairo, PICTURE_BACKGROUND);
        cairo_rectangle(cairo, label.topLeft.column, label.topLeft.row, size.width, size.height);
        cairo_fill(cairo);
        setColour(cairo, AXIS_COLOUR);
        cairo_move_to(cairo, label.topLeft.column, label.topLeft.row + LABEL_ASCENT);
        cairo_show_text(cairo, VKF::toUtf8(label.text).c_str());
    }
}

void drawPlot(cairo_t* cairo, const CScenePlot& plot)
{
    setColour(cairo, plot.colour);
    cairo_set_line_width(cairo, plot.penWidth);
    cairo_set_line_cap(cairo, plot.penWidth > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    for (const CSceneLine& segment : plot.segments) {
        addLine(cairo, segment);
        cairo_stroke(cairo);
    }
}

} // namespace

void writePngPicture(const CGraphScene& scene, const std::string& path)
{
    std::unique_ptr<cairo_surface_t, CSurfaceRelease> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, PICTURE_SIZE, PICTURE_SIZE));
    std::unique_ptr<cairo_t, CContextRelease> context(cairo_create(surface.get()));
    cairo_t* cairo = context.get();
    setColour(cairo, PICTURE_BACKGROUND);
    cairo_paint(cairo);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cairo, 1);
    cairo_select_font_face(cairo, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, LABEL_EM);
    drawAxis(cairo, scene.xAxis);
    drawAxis(cairo, scene.yAxis);
    for (const CScenePlot& plot : scene.plots)
        drawPlot(cairo, plot);
    cairo_surface_flush(surface.get());
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS
        || cairo_surface_write_to_png(surface.get(), path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw VKF::CException(VKF::fromUtf8("Cannot write the picture '" + path + "'."));
}
