// The display scale of the program's windows, as Windows gives it to a system-DPI-aware program.
#include "host/display_scale.h"

#include <windows.h>

CDisplayScale systemDisplayScale() noexcept
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : CDisplayScale::DESIGN_DPI;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return CDisplayScale(dpi);
}
