// The image object on Windows: a copy of a GDI bitmap, read through the screen's device context.
#include "imaging/raster_image.h"

#include <windows.h>

#include <new>

#include "foundation/exception.h"

namespace {

// The bitmap's depth rounded up to one the image keeps: 1; 2-4 -> 4; 5-8 -> 8; more -> 24.
int imageDepthFor(int bitmapDepth)
{
    if (bitmapDepth <= 1)
        return 1;
    if (bitmapDepth <= 4)
        return 4;
    if (bitmapDepth <= 8)
        return 8;
    return 24;
}

// The header with room for the largest palette, as GetDIBits fills it.
struct CBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

// The rows bottom-up at the image's depth; false unless every row was read.
bool readPixels(HBITMAP bitmap, CRasterImage& image, CBitmapInfo& info)
{
    info.header.biSize = sizeof info.header;
    info.header.biWidth = image.width();
    info.header.biHeight = image.height();
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(image.bitsPerPixel());
    info.header.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return false;
    const int rows = GetDIBits(screen, bitmap, 0, UINT(image.height()), image.row(0),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == image.height();
}

} // namespace

bool CRasterImage::createFromBitmap(HBITMAP bitmap)
{
    BITMAP description{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof description, &description) == 0)
        return false;
    try {
        CRasterImage copy;
        copy.create(description.bmWidth, description.bmHeight,
                    imageDepthFor(description.bmBitsPixel * description.bmPlanes));
        CBitmapInfo info{};
        if (!readPixels(bitmap, copy, info))
            return false;
        for (std::size_t index = 0; index < copy.m_palette.size(); ++index) {
            const RGBQUAD& colour = info.colours[index];
            copy.m_palette[index] = {colour.rgbBlue, colour.rgbGreen, colour.rgbRed};
        }
        *this = std::move(copy);
        return true;
    } catch (const VKF::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
