// The image object's BMP and JPEG files: header bytes, row order, padding, palettes, the JPEG read
// back, and failed saves that leave the old file and nothing else.
#include "imaging/raster_image.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "foundation/file.h"
#include "image_files.h"
#include "imaging/bmp_writer.h"
#include "imaging/jpeg_writer.h"
#include "tests/test_helpers.h"

namespace {

using Pixel = std::function<std::uint32_t(std::int32_t x, std::int32_t fromTop)>;

// Blue rises to the right, green downwards, red stays: a mixed-up channel or row order shows.
std::uint32_t gradient(std::int32_t x, std::int32_t fromTop)
{
    return 200u << 16 | std::uint32_t(fromTop * 255 / 399) << 8 | std::uint32_t(x * 255 / 399);
}

// A picture whose pixel (x, y from the top) has the value pixel gives: 0xRRGGBB at 24 bits,
// otherwise an index into palette.
CRasterImage picture(std::int32_t width, std::int32_t height, int bits, const Pixel& pixel,
                     const std::function<CPaletteEntry(std::size_t)>& palette = {})
{
    CRasterImage image;
    image.create(width, height, bits);
    for (std::size_t index = 0; index < image.palette().size(); ++index)
        image.palette()[index] = palette(index);
    for (std::int32_t fromTop = 0; fromTop < height; ++fromTop) {
        std::uint8_t* row = image.row(height - 1 - fromTop);
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t value = pixel(x, fromTop);
            if (bits == 24) {
                row[3 * x] = std::uint8_t(value);
                row[3 * x + 1] = std::uint8_t(value >> 8);
                row[3 * x + 2] = std::uint8_t(value >> 16);
            } else {
                const std::int32_t bit = x * bits;
                row[bit / 8] |= std::uint8_t(value << (8 - bits - bit % 8));
            }
        }
    }
    return image;
}

CPaletteEntry greyRamp(std::size_t index)
{
    return {std::uint8_t(index), std::uint8_t(index), std::uint8_t(index)};
}

CPaletteEntry distinctColours(std::size_t index)
{
    return {std::uint8_t(index), std::uint8_t(255 - index), std::uint8_t(index * 7)};
}

std::uint32_t colourOf(const CPaletteEntry& entry)
{
    return std::uint32_t(entry.red) << 16 | std::uint32_t(entry.green) << 8 | entry.blue;
}

class RasterImageTest : public ImageFolderTest {};

} // namespace

TEST_F(RasterImageTest, BmpFilesHaveTheExactHeaderPaletteAndBottomUpPaddedRows)
{
    struct Case {
        int bits;
        std::int32_t width, height;
        std::uint32_t fileSize, pixelOffset, stride, colours;
    };
    const Case cases[] = {
        {24, 400, 400, 480054, 54, 1200, 0}, {8, 400, 400, 161078, 1078, 400, 256},
        {4, 400, 400, 80118, 118, 200, 16},  {1, 400, 400, 20862, 62, 52, 2},
        {24, 3, 2, 78, 54, 12, 0},           {4, 9, 3, 142, 118, 8, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.bits << " bits");
        const std::uint32_t colours = c.colours;
        const Pixel pixel = [&](std::int32_t x, std::int32_t fromTop) {
            return c.bits == 24 ? std::uint32_t(x * 97 + fromTop * 13) & 0xFFFFFF
                                : std::uint32_t(x + 3 * fromTop) % colours;
        };
        const CRasterImage image = picture(c.width, c.height, c.bits, pixel, distinctColours);
        ASSERT_TRUE(image.save(pathText(path("picture.bmp")), ImageFormat::Bmp));
        const std::string bytes = bytesOf(path("picture.bmp"));
        ASSERT_EQ(bytes.size(), c.fileSize);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        const std::uint32_t fields[][2] = {
            {2, c.fileSize}, {6, 0}, {10, c.pixelOffset}, {14, 40}, {18, std::uint32_t(c.width)},
            {22, std::uint32_t(c.height)}, {30, 0}, {34, c.stride * std::uint32_t(c.height)},
            {38, 3780}, {42, 3780}, {46, c.colours}, {50, 0}};
        for (const auto& [offset, value] : fields)
            EXPECT_EQ(field32(bytes, offset), value) << "at offset " << offset;
        EXPECT_EQ(field16(bytes, 26), 1);
        EXPECT_EQ(field16(bytes, 28), c.bits);
        for (std::uint32_t index = 0; index < c.colours; ++index)
            EXPECT_EQ(field32(bytes, 54 + 4 * index), colourOf(distinctColours(index))) << "palette entry " << index;
        for (std::int32_t fromTop = 0; fromTop < c.height; ++fromTop) {
            const std::size_t row = c.pixelOffset + std::size_t(c.height - 1 - fromTop) * c.stride;
            const auto* rowBytes = reinterpret_cast<const std::uint8_t*>(bytes.data() + row);
            for (std::int32_t x = 0; x < c.width; ++x)
                ASSERT_EQ(pixelAt(rowBytes, c.bits, x), pixel(x, fromTop)) << "pixel " << x << ", " << fromTop;
            const std::size_t used = (std::size_t(c.width) * std::size_t(c.bits) + 7) / 8;
            EXPECT_EQ(bytes.substr(row + used, c.stride - used), std::string(c.stride - used, '\0')) << "padding";
        }
    }
    EXPECT_EQ(files(), std::vector<std::string>{"picture.bmp"});
}

TEST_F(RasterImageTest, JpegFilesAreBaselineJfifAt96DpiAndCloseToThePicture)
{
    struct Case {
        int bits;
        Pixel pixel;
    };
    const Case cases[] = {
        {24, gradient},
        {8, [](std::int32_t x, std::int32_t fromTop) { return std::uint32_t(x + fromTop) / 4; }},
        {4, [](std::int32_t x, std::int32_t) { return std::uint32_t(x) / 25; }},
    };
    std::ofstream(path("picture.jpg"), std::ios::binary) << "an older picture";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits");
        const CRasterImage image = picture(400, 400, c.bits, c.pixel, greyRamp);
        ASSERT_TRUE(image.save(pathText(path("picture.jpg")), ImageFormat::Jpeg));
        const CDecodedJpeg jpeg = decodeJpeg(bytesOf(path("picture.jpg")));
        EXPECT_EQ(jpeg.frameMarker, 0xC0);
        EXPECT_EQ(jpeg.width, 400u);
        EXPECT_EQ(jpeg.height, 400u);
        EXPECT_EQ(jpeg.components, c.bits == 24 ? 3 : 1);
        EXPECT_TRUE(jpeg.jfif);
        EXPECT_EQ(jpeg.densityUnit, 1);
        EXPECT_EQ(jpeg.xDensity, 96);
        EXPECT_EQ(jpeg.yDensity, 96);
        EXPECT_EQ(jpeg.firstLuminanceQuantizer, 3) << "quality 90 scales 16 to 3";
        double totalError = 0;
        int largestError = 0;
        for (std::int32_t fromTop = 0; fromTop < 400; ++fromTop) {
            for (std::int32_t x = 0; x < 400; ++x) {
                const std::uint32_t value = c.pixel(x, fromTop);
                const int error = channelDistance(jpeg.colourAt(x, fromTop), c.bits == 24 ? value : value * 0x010101);
                totalError += error;
                largestError = std::max(largestError, error);
            }
        }
        EXPECT_LT(totalError / (400.0 * 400.0), 1.0);
        EXPECT_LE(largestError, 6);
    }
    EXPECT_EQ(files(), std::vector<std::string>{"picture.jpg"});
}

// A failed save must not cost the file that was there, nor leave a fresh one beside it.
TEST_F(RasterImageTest, AFailedSaveKeepsTheOldFileAndLeavesNothingElse)
{
    const CRasterImage colourPalette = picture(8, 8, 8, [](std::int32_t, std::int32_t) { return 1u; }, distinctColours);
    CRasterImage almostGrey = picture(8, 8, 8, [](std::int32_t, std::int32_t) { return 1u; }, greyRamp);
    almostGrey.palette()[255].red = 0;
    // Beyond libjpeg's largest dimension: an error inside libjpeg, after the file was begun.
    const CRasterImage tooWide = picture(70000, 1, 24, gradient);
    const CRasterImage fine = picture(400, 400, 24, gradient);
    struct Case {
        const char* what;
        const CRasterImage& image;
        ImageFormat format;
    };
    const Case cases[] = {
        {"a JPEG of a colour palette", colourPalette, ImageFormat::Jpeg},
        {"a JPEG of a grey palette that is no ramp", almostGrey, ImageFormat::Jpeg},
        {"libjpeg refusing the size", tooWide, ImageFormat::Jpeg},
        {"an empty image", CRasterImage(), ImageFormat::Bmp},
        {"an unknown format", fine, ImageFormat::Unknown},
        {"format 2", fine, ImageFormat(2)},
    };
    std::ofstream(path("old.jpg"), std::ios::binary) << "precious";
    for (const Case& c : cases) {
        EXPECT_FALSE(c.image.save(pathText(path("old.jpg")), c.format)) << c.what;
        EXPECT_EQ(bytesOf(path("old.jpg")), "precious") << c.what;
        EXPECT_EQ(files(), std::vector<std::string>{"old.jpg"}) << c.what;
    }
    for (ImageFormat format : {ImageFormat::Bmp, ImageFormat::Jpeg}) {
        EXPECT_FALSE(fine.save(pathText(path("missing/new.jpg")), format)) << "no such folder";
        EXPECT_FALSE(fine.save(pathText(m_folder), format)) << "a folder as the target";
    }
    EXPECT_EQ(files(), std::vector<std::string>{"old.jpg"});
}

#if !defined(_WIN32)
// A write error inside libjpeg's output ends the compression with libjpeg's message, and the
// compressor is freed (LeakSanitizer checks); the BMP writer reports the file's error.
TEST_F(RasterImageTest, WriteErrorsEndTheWritersWithAMessage)
{
    const CRasterImage image = picture(400, 400, 24, gradient);
    VKF::CFile full;
    full.open(VKF_T("/dev/full"));
    EXPECT_EQ(messageOf([&] { writeJpeg(image, full); }), "JPEG: Output file write error --- out of disk space?");
    EXPECT_EQ(messageOf([&] { writeBmp(image, full); }), "VKF::CFile::write - Error writing file.");
}
#endif
