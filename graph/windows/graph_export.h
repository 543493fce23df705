// A graph's picture leaving its window: "&Save", "Save &as...", "&Copy" and "&Print", with the
// file and format the graph remembers.
#pragma once

#include <windows.h>

#include "foundation/string.h"
#include "imaging/raster_image.h"

// One per graph window. Each command takes the window, which owns the dialogs and message boxes,
// and the picture as the back buffer holds it: pictureDC is the memory DC with the picture bitmap
// selected into it. The picture is read, never drawn into, and is selected into pictureDC again
// when a command returns. Failures are shown to the user; only running out of memory for a text
// throws (VKF::CException), which the window catches around each command as for any action:
//     case IDM_GRAPH_SAVE: m_export.saveGraph(m_window, pictureDC(), picture()); break;
class CGraphExport {
public:
    // Writes the remembered file in the remembered format, without asking; the first time, as
    // saveGraphAs.
    void saveGraph(HWND owner, HDC pictureDC, HBITMAP picture);
    // Asks for a file and a format (JPEG or BMP) and, before replacing an existing file, whether to;
    // then remembers both and writes the file. Cancelled, nothing changes.
    void saveGraphAs(HWND owner, HDC pictureDC, HBITMAP picture);
    // Puts a copy of the picture on the clipboard as CF_BITMAP; the graph keeps its own.
    static void copyGraph(HWND owner, HDC pictureDC, HBITMAP picture);
    // Asks for a printer and the number of copies, then prints one document of a page per copy.
    static void printGraph(HWND owner, HDC pictureDC, HBITMAP picture);

protected:
    // What is remembered, for checks from outside.
    bool hasFile() const noexcept { return m_hasFile; }
    const VKF::CString& fileName() const noexcept { return m_fileName; }
    ImageFormat imageType() const noexcept { return m_imageType; }

private:
    bool m_hasFile = false;
    VKF::CString m_fileName;
    ImageFormat m_imageType = ImageFormat::Jpeg;
};
