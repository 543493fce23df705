// A graph's scene as an SVG picture.
#include "cli/svg_picture.h"

#include <charconv>
#include <cstdint>

#include "cli/label_metrics.h"
#include "foundation/utf8.h"
#include "graph/portable/graph_scene.h"

namespace {

class CSvgText {
public:
    CSvgText& operator<<(const char* text)
    {
        m_text += text;
        return *this;
    }
    CSvgText& operator<<(const std::string& text)
    {
        m_text += text;
        return *this;
    }
    CSvgText& operator<<(int32_t number)
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        m_text.append(digits, end);
        return *this;
    }
    const std::string& text() const noexcept { return m_text; }

private:
    std::string m_text;
};

// "#RRGGBB" of a COLORREF.
std::string colourText(uint32_t colour)
{
    const char* const HEX = "0123456789abcdef";
    std::string text = "#";
    for (int shift : {0, 8, 16}) {
        const uint32_t channel = (colour >> shift) & 0xFF;
        text += HEX[channel >> 4];
        text += HEX[channel & 0xF];
    }
    return text;
}

std::string escaped(const VKF::CString& text)
{
    std::string escapedText;
    for (char c : VKF::toUtf8(text)) {
        switch (c) {
        case '&': escapedText += "&amp;"; break;
        case '<': escapedText += "&lt;"; break;
        case '>': escapedText += "&gt;"; break;
        default: escapedText += c;
        }
    }
    return escapedText;
}

void writeLine(CSvgText& svg, const CSceneLine& line)
{
    svg << "<line x1=\"" << line.from.column << "\" y1=\"" << line.from.row << "\" x2=\"" << line.to.column
        << "\" y2=\"" << line.to.row << "\"/>\n";
}

void writeAxis(CSvgText& svg, const CSceneAxis& axis)
{
    svg << "<g transform=\"translate(0.5 0.5)\" stroke=\"" << colourText(AXIS_COLOUR) << "\" stroke-width=\"1\">\n";
    writeLine(svg, axis.line);
    for (const CSceneTick& tick : axis.ticks)
        writeLine(svg, tick.mark);
    svg << "</g>\n";
    CLabelMetrics metrics;
    for (const CSceneTick& tick : axis.ticks) {
        const CSceneLabel& label = tick.label;
        const CTextSize size = metrics.measure(label.text);
        svg << "<rect x=\"" << label.topLeft.column << "\" y=\"" << label.topLeft.row << "\" width=\"" << size.width
            << "\" height=\"" << size.height << "\" fill=\"#ffffff\"/>\n";
        svg << "<text x=\"" << label.topLeft.column << "\" y=\"" << label.topLeft.row + LABEL_ASCENT << "\">"
            << escaped(label.text) << "</text>\n";
    }
}

void writePlot(CSvgText& svg, const CScenePlot& plot)
{
    svg << "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke=\"" << colourText(plot.colour)
        << "\" stroke-width=\"" << plot.penWidth << "\" stroke-linejoin=\"round\" stroke-linecap=\""
        << (plot.penWidth > 1 ? "round" : "butt") << "\">\n";
    const std::vector<CSceneLine>& segments = plot.segments;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const bool joined = k > 0 && segments[k - 1].to.column == segments[k].from.column &&
                            segments[k - 1].to.row == segments[k].from.row;
        if (!joined) {
            if (k > 0)
                svg << "\"/>\n";
            svg << "<polyline points=\"" << segments[k].from.column << "," << segments[k].from.row;
        }
        svg << " " << segments[k].to.column << "," << segments[k].to.row;
    }
    if (!segments.empty())
        svg << "\"/>\n";
    svg << "</g>\n";
}

} // namespace

std::string svgPicture(const CGraphScene& scene)
{
    CSvgText svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << PICTURE_SIZE << "\" height=\"" << PICTURE_SIZE
        << "\" viewBox=\"0 0 " << PICTURE_SIZE << " " << PICTURE_SIZE << "\" font-family=\"Arial, 'Liberation Sans', "
        << "Helvetica, sans-serif\" font-size=\"" << LABEL_EM << "\" font-weight=\"" << LABEL_FONT_WEIGHT
        << "\" fill=\"" << colourText(AXIS_COLOUR) << "\">\n"
        << "<rect width=\"" << PICTURE_SIZE << "\" height=\"" << PICTURE_SIZE << "\" fill=\"#ffffff\"/>\n";
    writeAxis(svg, scene.xAxis);
    writeAxis(svg, scene.yAxis);
    for (const CScenePlot& plot : scene.plots)
        writePlot(svg, plot);
    svg << "</svg>\n";
    return svg.text();
}
