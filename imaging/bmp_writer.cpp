// Writing an image as a BMP file: little-endian headers, the palette, the rows as stored.
#include "imaging/bmp_writer.h"

#include <cstdint>
#include <vector>

#include "foundation/file.h"
#include "imaging/raster_image.h"

namespace {

constexpr std::uint32_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t INFO_HEADER_SIZE = 40;
constexpr std::uint32_t BYTES_PER_PALETTE_ENTRY = 4;
constexpr std::uint16_t BITMAP_TYPE = 0x4D42; // "BM"
constexpr std::uint32_t UNCOMPRESSED = 0;     // BI_RGB
// floor(dpi x 10000 / 254 + 1/2): 3780 at 96 dpi.
constexpr std::int32_t PIXELS_PER_METRE = (CRasterImage::DOTS_PER_INCH * 10000 * 2 + 254) / (254 * 2);
static_assert(PIXELS_PER_METRE == 3780);

void put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count)
{
    for (int index = 0; index < count; ++index)
        bytes.push_back(std::uint8_t(value >> (8 * index)));
}

void put16(std::vector<std::uint8_t>& bytes, std::uint16_t value)
{
    put(bytes, value, 2);
}

void put32(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    put(bytes, value, 4);
}

} // namespace

void writeBmp(const CRasterImage& image, VKF::CFile& file)
{
    const auto palette = image.palette();
    const auto colours = std::uint32_t(palette.size());
    const std::uint32_t pixelOffset = FILE_HEADER_SIZE + INFO_HEADER_SIZE + colours * BYTES_PER_PALETTE_ENTRY;
    const auto imageBytes = std::uint32_t(image.pixels().size());

    std::vector<std::uint8_t> header;
    header.reserve(pixelOffset);
    put16(header, BITMAP_TYPE);
    put32(header, pixelOffset + imageBytes);
    put16(header, 0);
    put16(header, 0);
    put32(header, pixelOffset);
    put32(header, INFO_HEADER_SIZE);
    put32(header, std::uint32_t(image.width()));
    put32(header, std::uint32_t(image.height())); // positive: the bottom row comes first
    put16(header, 1);
    put16(header, std::uint16_t(image.bitsPerPixel()));
    put32(header, UNCOMPRESSED);
    put32(header, imageBytes);
    put32(header, PIXELS_PER_METRE);
    put32(header, PIXELS_PER_METRE);
    put32(header, colours);
    put32(header, 0);
    for (const CPaletteEntry& entry : palette)
        header.insert(header.end(), {entry.blue, entry.green, entry.red, 0});
    file.writeBytes(header.data(), header.size());
    file.writeBytes(image.pixels().data(), image.pixels().size());
}
