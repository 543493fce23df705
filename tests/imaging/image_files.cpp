// Reading back the BMP and JPEG files the image object writes, and a fresh folder per test.
#include "image_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace fs = std::filesystem;

std::uint32_t field32(const std::string& bytes, std::size_t offset)
{
    return std::uint32_t(field16(bytes, offset)) | std::uint32_t(field16(bytes, offset + 2)) << 16;
}

std::uint16_t field16(const std::string& bytes, std::size_t offset)
{
    return std::uint16_t(std::uint8_t(bytes.at(offset)) | std::uint8_t(bytes.at(offset + 1)) << 8);
}

std::uint32_t pixelAt(const std::uint8_t* row, int bitsPerPixel, std::int32_t x)
{
    if (bitsPerPixel == 24)
        return std::uint32_t(row[3 * x + 2]) << 16 | std::uint32_t(row[3 * x + 1]) << 8 | row[3 * x];
    const std::int32_t bit = x * bitsPerPixel;
    return std::uint32_t(row[bit / 8] >> (8 - bitsPerPixel - bit % 8)) & ((1u << bitsPerPixel) - 1);
}

std::uint32_t bmpColourAt(const std::string& bytes, std::int32_t x, std::int32_t fromTop)
{
    const int bits = field16(bytes, 28);
    const std::int32_t stride = (std::int32_t(field32(bytes, 18)) * bits + 31) / 32 * 4;
    const std::size_t row = field32(bytes, 10)
                            + std::size_t(std::int32_t(field32(bytes, 22)) - 1 - fromTop) * std::size_t(stride);
    const std::uint32_t value = pixelAt(reinterpret_cast<const std::uint8_t*>(bytes.data() + row), bits, x);
    if (bits == 24)
        return value;
    const std::size_t entry = 54 + 4 * std::size_t(value);
    return std::uint32_t(std::uint8_t(bytes.at(entry + 2))) << 16
        | std::uint32_t(std::uint8_t(bytes.at(entry + 1))) << 8
        | std::uint8_t(bytes.at(entry));
}

int channelDistance(std::uint32_t first, std::uint32_t second)
{
    int distance = 0;
    for (int shift : {0, 8, 16})
        distance = std::max(distance, std::abs(int((first >> shift) & 0xFF) - int((second >> shift) & 0xFF)));
    return distance;
}

std::uint32_t CDecodedJpeg::colourAt(std::int32_t x, std::int32_t fromTop) const
{
    const std::uint8_t* pixel = samples.data()
                                + (std::size_t(fromTop) * width + std::size_t(x)) * std::size_t(components);
    if (components == 1)
        return pixel[0] * 0x010101u;
    return std::uint32_t(pixel[0]) << 16 | std::uint32_t(pixel[1]) << 8 | pixel[2];
}

namespace {

// The first start-of-frame marker: the segments before the scan, each with its length.
int frameMarkerOf(const std::string& bytes)
{
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && std::uint8_t(bytes[at]) == 0xFF) {
        const int marker = std::uint8_t(bytes[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker;
        at += 2 + (std::size_t(std::uint8_t(bytes[at + 2])) << 8 | std::uint8_t(bytes[at + 3]));
    }
    return 0;
}

} // namespace

CDecodedJpeg decodeJpeg(const std::string& bytes)
{
    CDecodedJpeg decoded;
    decoded.frameMarker = frameMarkerOf(bytes);
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    decoded.width = info.image_width;
    decoded.height = info.image_height;
    decoded.components = info.num_components;
    decoded.jfif = info.saw_JFIF_marker;
    decoded.densityUnit = info.density_unit;
    decoded.xDensity = info.X_density;
    decoded.yDensity = info.Y_density;
    decoded.firstLuminanceQuantizer = info.quant_tbl_ptrs[0]->quantval[0];
    jpeg_start_decompress(&info);
    const std::size_t rowSize = std::size_t(info.output_width) * std::size_t(info.output_components);
    decoded.samples.resize(rowSize * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.samples.data() + rowSize * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return decoded;
}

void ImageFolderTest::SetUp()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    m_folder = fs::temp_directory_path() / (std::string("tallimex_image_") + test->name());
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
}

void ImageFolderTest::TearDown()
{
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

std::vector<std::string> ImageFolderTest::files() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
