// Plots from the command line.
#include "cli/plot_command.h"

#include <optional>
#include <ostream>
#include <variant>

#include "cli/label_metrics.h"
#include "cli/raster_pictures.h"
#include "cli/svg_picture.h"
#include "foundation/exception.h"
#include "foundation/file.h"
#include "foundation/utf8.h"
#include "graph/portable/graph_model.h"
#include "graph/portable/graph_scene.h"

namespace {

enum class PictureFormat { Svg, Png, Bmp, Jpeg };

struct CPictureExtension {
    const VKF::UChar* extension;
    PictureFormat format;
};

// The extensions this build writes.
const CPictureExtension PICTURE_EXTENSIONS[] = {
    {VKF_T(".svg"), PictureFormat::Svg},
#if defined(_WIN32)
    {VKF_T(".bmp"), PictureFormat::Bmp},
    {VKF_T(".jpg"), PictureFormat::Jpeg},
#endif
#if defined(TALLIMEX_PNG)
    {VKF_T(".png"), PictureFormat::Png},
#endif
};

std::optional<PictureFormat> formatOf(const VKF::CString& path)
{
    for (const CPictureExtension& entry : PICTURE_EXTENSIONS) {
        if (VKF::hasExtension(path, entry.extension))
            return entry.format;
    }
    return std::nullopt;
}

// The dialog's texts end lines with CR LF; a terminal wants LF.
std::string terminalText(const VKF::CString& text)
{
    std::string lines;
    for (char c : VKF::toUtf8(text)) {
        if (c != '\r')
            lines += c;
    }
    return lines;
}

void writeBytes(const VKF::CString& path, const std::string& bytes)
{
    VKF::replaceFileAfterWriting(path, [&](VKF::CFile& file) { file.writeBytes(bytes.data(), bytes.size()); });
}

} // namespace

std::string pictureFormatError(const std::string& output)
{
    if (formatOf(VKF::fromUtf8(output)))
        return {};
    std::string known;
    for (const CPictureExtension& entry : PICTURE_EXTENSIONS)
        known += (known.empty() ? "" : ", ") + VKF::toUtf8(VKF::CString(entry.extension));
    return "cannot tell the picture format of '" + output + "': its name ends in one of " + known;
}

int runPlots(VKCL::CCalculator& calculator, const std::vector<CPlotDialogFields>& requests,
             const std::string& output, std::ostream& errors)
{
    std::optional<CGraphModel> graph;
    try {
        for (const CPlotDialogFields& request : requests) {
            if (graph && graph->isFull())
                throw VKF::CException(TOO_MANY_PLOTS_MESSAGE);
            auto accepted = acceptPlotSetup(calculator, request);
            if (const CDialogMessage* message = std::get_if<CDialogMessage>(&accepted)) {
                errors << terminalText(message->title) << ": " << terminalText(message->text) << '\n';
                return 1;
            }
            const CPlotSetup& setup = std::get<CPlotSetup>(accepted);
            if (graph)
                graph->addPlot(setup);
            else
                graph.emplace(setup);
        }
    } catch (const VKF::CException& error) {
        errors << terminalText(ERROR_TITLE) << ": " << terminalText(error.toString()) << '\n';
        return 1;
    }
    try {
        writeGraphPicture(*graph, output);
    } catch (const VKF::CException& error) {
        errors << "tallimex-cli: cannot write the picture '" << output << "': " << terminalText(error.toString())
               << '\n';
        return 1;
    }
    return 0;
}

void writeGraphPicture(const CGraphModel& graph, const std::string& output)
{
    const VKF::CString path = VKF::fromUtf8(output);
    switch (*formatOf(path)) {
    case PictureFormat::Svg: {
        CLabelMetrics metrics;
        writeBytes(path, svgPicture(buildGraphScene(graph, metrics)));
        break;
    }
#if defined(TALLIMEX_PNG)
    case PictureFormat::Png: {
        CLabelMetrics metrics;
        writePngPicture(buildGraphScene(graph, metrics), output);
        break;
    }
#endif
#if defined(_WIN32)
    case PictureFormat::Bmp:
    case PictureFormat::Jpeg: writeWindowPicture(graph, path, *formatOf(path) == PictureFormat::Jpeg); break;
#endif
    default: break;
    }
}
