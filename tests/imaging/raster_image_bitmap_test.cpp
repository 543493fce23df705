// The image object's copy of GDI bitmaps at each depth, and the BMP and JPEG files made of it.
#include "imaging/raster_image.h"

#include <windows.h>

#include <vector>

#include "image_files.h"
#include "tests/test_helpers.h"

namespace {

constexpr std::int32_t WIDTH = 44;
constexpr std::int32_t HEIGHT = 30;
constexpr std::int32_t BAND = 10;

// A band across the top, below it a left and a right half; colours 0xRRGGBB.
struct CPicture {
    std::uint32_t top, left, right;
};

std::uint32_t colourIn(const CPicture& picture, std::int32_t x, std::int32_t fromTop)
{
    return fromTop < BAND ? picture.top : x < WIDTH / 2 ? picture.left : picture.right;
}

void draw(HBITMAP bitmap, const CPicture& picture)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const std::pair<RECT, std::uint32_t> areas[] = {{{0, 0, WIDTH, BAND}, picture.top},
                                                    {{0, BAND, WIDTH / 2, HEIGHT}, picture.left},
                                                    {{WIDTH / 2, BAND, WIDTH, HEIGHT}, picture.right}};
    for (const auto& [area, colour] : areas) {
        HBRUSH brush = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
        FillRect(memory, &area, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// A section of bits per pixel with palette's colours, or with none a bitmap like the screen's.
HBITMAP makeBitmap(int bits, const std::vector<std::uint32_t>& palette)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    if (bits == 0) {
        bitmap = CreateCompatibleBitmap(screen, WIDTH, HEIGHT);
    } else {
        std::vector<std::uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
        info->bmiHeader = {sizeof(BITMAPINFOHEADER), WIDTH, HEIGHT, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
        info->bmiHeader.biClrUsed = DWORD(palette.size());
        for (std::size_t index = 0; index < palette.size(); ++index) {
            const std::uint32_t colour = palette[index];
            info->bmiColors[index] = {BYTE(colour), BYTE(colour >> 8), BYTE(colour >> 16), 0};
        }
        void* pixels = nullptr;
        bitmap = CreateDIBSection(screen, info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

std::vector<std::uint32_t> greyRamp()
{
    std::vector<std::uint32_t> ramp;
    for (std::uint32_t level = 0; level < 256; ++level)
        ramp.push_back(level * 0x010101);
    return ramp;
}

class RasterImageBitmapTest : public ImageFolderTest {};

} // namespace

TEST_F(RasterImageBitmapTest, BitmapsOfEveryDepthAreCopiedAndSavedAsTheyLook)
{
    const CPicture colours = {0xFF0000, 0x00FF00, 0x0000FF};
    const CPicture greys = {0x202020, 0x808080, 0xE0E0E0};
    const std::vector<std::uint32_t> sixteen = {0, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF,
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        const char* what;
        int bits;
        std::vector<std::uint32_t> palette;
        CPicture picture;
        int depth;
        bool jpeg;
        int tolerance = 0; // per channel
    };
    const Case cases[] = {
        {"like the screen", 0, {}, colours, 24, true},
        {"32 bits", 32, {}, colours, 24, true},
        {"24 bits", 24, {}, colours, 24, true},
        // Five bits a channel widen to eight in more than one way.
        {"16 bits", 16, {}, colours, 24, true, 7},
        {"8 bits, grey ramp", 8, greyRamp(), greys, 8, true},
        {"4 bits, colours", 4, sixteen, colours, 4, false},
        {"1 bit, black and white", 1, {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000, 0xFFFFFF}, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HBITMAP bitmap = makeBitmap(c.bits, c.palette);
        ASSERT_NE(bitmap, nullptr);
        draw(bitmap, c.picture);
        CRasterImage image;
        ASSERT_TRUE(image.createFromBitmap(bitmap));
        DeleteObject(bitmap);
        EXPECT_EQ(image.width(), WIDTH);
        EXPECT_EQ(image.height(), HEIGHT);
        ASSERT_EQ(image.bitsPerPixel(), c.depth);
        ASSERT_EQ(image.palette().size(), c.depth == 24 ? 0u : std::size_t(1) << c.depth);

        ASSERT_TRUE(image.save(pathText(path("copy.bmp")), ImageFormat::Bmp));
        const std::string bmp = bytesOf(path("copy.bmp"));
        EXPECT_EQ(field16(bmp, 28), c.depth);
        for (std::int32_t fromTop = 0; fromTop < HEIGHT; ++fromTop) {
            for (std::int32_t x = 0; x < WIDTH; ++x)
                ASSERT_LE(channelDistance(bmpColourAt(bmp, x, fromTop), colourIn(c.picture, x, fromTop)), c.tolerance)
                    << "pixel " << x << ", " << fromTop;
        }

        ASSERT_EQ(image.save(pathText(path("copy.jpg")), ImageFormat::Jpeg), c.jpeg);
        if (!c.jpeg) {
            EXPECT_EQ(files(), std::vector<std::string>{"copy.bmp"});
            continue;
        }
        const CDecodedJpeg jpeg = decodeJpeg(bytesOf(path("copy.jpg")));
        ASSERT_EQ(jpeg.width, std::uint32_t(WIDTH));
        ASSERT_EQ(jpeg.height, std::uint32_t(HEIGHT));
        ASSERT_EQ(jpeg.components, c.depth == 24 ? 3 : 1);
        // The middle of each area, away from the edges that compression blurs.
        for (auto [x, fromTop] : {std::pair{WIDTH / 2, BAND / 2}, {WIDTH / 4, 20}, {3 * WIDTH / 4, 20}})
            EXPECT_LE(channelDistance(jpeg.colourAt(x, fromTop), colourIn(c.picture, x, fromTop)), 12)
                << "pixel " << x << ", " << fromTop;
        std::filesystem::remove(path("copy.jpg"));
    }
}

TEST_F(RasterImageBitmapTest, ABitmapThatCannotBeReadLeavesTheImageAsItWas)
{
    HBITMAP bitmap = makeBitmap(24, {});
    draw(bitmap, {0xFF0000, 0x00FF00, 0x0000FF});
    CRasterImage image;
    ASSERT_TRUE(image.createFromBitmap(bitmap));
    DeleteObject(bitmap);
    const std::vector<std::uint8_t> before = image.pixels();
    EXPECT_FALSE(image.createFromBitmap(nullptr));
    EXPECT_FALSE(image.createFromBitmap(bitmap)) << "deleted";
    EXPECT_EQ(image.pixels(), before);
    EXPECT_EQ(image.bitsPerPixel(), 24);
}
