// The image object: a device-independent bitmap in memory, made from a GDI bitmap and saved as a
// BMP or JPEG file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/string.h"

#if defined(_WIN32)
struct HBITMAP__;
#endif

// The file formats save writes, by the numbers callers keep.
enum class ImageFormat : int { Unknown = 0, Bmp = 1, Jpeg = 3 };

// One palette colour.
struct CPaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

// Pixels laid out as a device-independent bitmap keeps them: rows from the bottom up, each padded
// to whole 32-bit words; 1, 4 or 8 bits per pixel index a palette of 2, 16 or 256 colours (the
// leftmost pixel in the high bits), 24 bits are blue-green-red triples. 96 dots per inch both ways.
class CRasterImage {
public:
    static constexpr int DOTS_PER_INCH = 96;

    // Replaces the contents by width x height pixels of bitsPerPixel (1, 4, 8 or 24), all 0, with
    // a black palette below 24 bits. Throws VKF::CException for another depth or a size below 1
    // or beyond 2 GB of pixels, std::bad_alloc when the memory cannot be had.
    void create(int32_t width, int32_t height, int bitsPerPixel);

#if defined(_WIN32)
    // Replaces the contents by a copy of bitmap read through the screen's device context, at the
    // bitmap's depth rounded up to 1, 4, 8 or 24 bits, with the colours of the palette depths.
    // False, the image unchanged, when the bitmap cannot be read or no memory is left. As for
    // GetDIBits, the bitmap should not be selected into a device context meanwhile.
    bool createFromBitmap(HBITMAP__* bitmap);
#endif

    // Writes the file at path in format. False when the image is empty, the format is unknown,
    // JPEG is asked of a palette other than the grey ramp, or the file cannot be written: an
    // existing file at path then stays as it was (see VKF::replaceFileAfterWriting) and no other
    // file is left behind.
    bool save(const VKF::CString& path, ImageFormat format) const;

    bool isEmpty() const noexcept { return m_pixels.empty(); }
    int32_t width() const noexcept { return m_width; }
    int32_t height() const noexcept { return m_height; }
    int bitsPerPixel() const noexcept { return m_bitsPerPixel; }
    // Bytes per row, padding included.
    int32_t stride() const noexcept { return m_stride; }
    // All rows, the bottom one first.
    const std::vector<std::uint8_t>& pixels() const noexcept { return m_pixels; }
    // Row y counted from the bottom.
    std::uint8_t* row(int32_t fromBottom) noexcept
    {
        return m_pixels.data() + std::size_t(fromBottom) * std::size_t(m_stride);
    }
    const std::uint8_t* row(int32_t fromBottom) const noexcept
    {
        return m_pixels.data() + std::size_t(fromBottom) * std::size_t(m_stride);
    }
    // Empty at 24 bits.
    std::span<CPaletteEntry> palette() noexcept { return m_palette; }
    std::span<const CPaletteEntry> palette() const noexcept { return m_palette; }

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    int m_bitsPerPixel = 0;
    int32_t m_stride = 0;
    std::vector<std::uint8_t> m_pixels;
    std::vector<CPaletteEntry> m_palette;
};
