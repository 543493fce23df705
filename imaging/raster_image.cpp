// The image object: its storage.
#include "imaging/raster_image.h"

#include <limits>
#include <utility>

#include "foundation/exception.h"

void CRasterImage::create(int32_t width, int32_t height, int bitsPerPixel)
{
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
        throw VKF::CException(VKF_T("CRasterImage::create - Unsupported colour depth."));
    const std::int64_t stride = (std::int64_t(width) * bitsPerPixel + 31) / 32 * 4;
    if (width < 1 || height < 1 || stride * height > std::numeric_limits<int32_t>::max())
        throw VKF::CException(VKF_T("CRasterImage::create - Unsupported image size."));
    std::vector<std::uint8_t> pixels(std::size_t(stride * height), 0);
    std::vector<CPaletteEntry> palette(bitsPerPixel == 24 ? 0 : std::size_t(1) << bitsPerPixel);
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    m_stride = int32_t(stride);
    m_pixels = std::move(pixels);
    m_palette = std::move(palette);
}
