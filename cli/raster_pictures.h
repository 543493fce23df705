// The picture formats that depend on the build: the Windows builds draw with GDI and write with the
// image component, the native build draws PNG files with cairo.
#pragma once

#include <string>

#include "foundation/string.h"

class CGraphModel;
class CGraphScene;

#if defined(_WIN32)
// Draws graph with the graph window's own drawing routine into a picture as the window keeps it and
// writes it as the window's "Save as..." does. Throws VKF::CException when that fails.
void writeWindowPicture(const CGraphModel& graph, const VKF::CString& path, bool jpeg);
#endif

#if defined(TALLIMEX_PNG)
// Replays scene with cairo, lines without anti-aliasing as GDI draws them, into a PNG file. Throws
// VKF::CException when the file cannot be written.
void writePngPicture(const CGraphScene& scene, const std::string& path);
#endif
