// A graph's picture drawn by the graph window's drawing routine and written by the image component.
#include <windows.h>

#include "cli/raster_pictures.h"
#include "foundation/exception.h"
#include "graph/windows/graph_export.h"
#include "graph/windows/graph_picture.h"

void writeWindowPicture(const CGraphModel& graph, const VKF::CString& path, bool jpeg)
{
    // The picture is made like the window's back buffer, compatible with the screen.
    HDC screen = GetDC(nullptr);
    CGraphPicture picture;
    const bool drawn = picture.redraw(screen, graph);
    ReleaseDC(nullptr, screen);
    if (!drawn)
        throw VKF::CException(VKF_T("Error initializing when saving image."));
    if (const wchar_t* failure = writeGraphPictureFile(picture.dc(), picture.bitmap(), path,
                                                       jpeg ? ImageFormat::Jpeg : ImageFormat::Bmp))
        throw VKF::CException(failure);
}
