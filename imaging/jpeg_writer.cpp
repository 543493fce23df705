// Writing an image as a JPEG file through libjpeg: an error handler that returns instead of
// exiting, a destination that writes to the open file, and the rows top to bottom.
#include "imaging/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>
#include <jerror.h>

#include "foundation/exception.h"
#include "foundation/file.h"
#include "foundation/utf8.h"
#include "imaging/raster_image.h"

static_assert(JPEG_LIB_VERSION == 62, "the IJG interface of library version 62");

namespace {

constexpr int QUALITY = 90;
constexpr UINT8 DOTS_PER_INCH_UNIT = 1;
constexpr std::size_t OUTPUT_CHUNK = 4096;

// libjpeg reports an error by calling error_exit, which must not return: it jumps back to the
// compression's start, which frees the compressor.
struct CErrorHandler {
    jpeg_error_mgr base;
    std::jmp_buf resume;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void resumeAfterError(j_common_ptr info)
{
    auto* handler = reinterpret_cast<CErrorHandler*>(info->err);
    info->err->format_message(info, handler->message);
    std::longjmp(handler->resume, 1);
}

struct CFileDestination {
    jpeg_destination_mgr base;
    VKF::CFile* file;
    JOCTET buffer[OUTPUT_CHUNK];
};

CFileDestination& destinationOf(j_compress_ptr info)
{
    return *reinterpret_cast<CFileDestination*>(info->dest);
}

// No exception may unwind through libjpeg: a failed write becomes libjpeg's own write error.
void writeOut(j_compress_ptr info, std::size_t size)
{
    CFileDestination& destination = destinationOf(info);
    bool written = true;
    try {
        destination.file->writeBytes(destination.buffer, size);
    } catch (...) {
        written = false;
    }
    if (!written)
        ERREXIT(info, JERR_FILE_WRITE);
}

void startOutput(j_compress_ptr info)
{
    CFileDestination& destination = destinationOf(info);
    destination.base.next_output_byte = destination.buffer;
    destination.base.free_in_buffer = OUTPUT_CHUNK;
}

boolean writeFullBuffer(j_compress_ptr info)
{
    writeOut(info, OUTPUT_CHUNK);
    startOutput(info);
    return TRUE;
}

void writeRest(j_compress_ptr info)
{
    writeOut(info, OUTPUT_CHUNK - destinationOf(info).base.free_in_buffer);
}

bool isGrey(const CRasterImage& image)
{
    return image.bitsPerPixel() != 24;
}

// One row in libjpeg's order: red-green-blue, or the grey level, which in a grey ramp is the index.
void convertRow(const CRasterImage& image, int32_t fromBottom, JSAMPLE* samples)
{
    const std::uint8_t* pixels = image.row(fromBottom);
    const int bits = image.bitsPerPixel();
    for (int32_t x = 0; x < image.width(); ++x) {
        if (bits == 24) {
            samples[3 * x] = pixels[3 * x + 2];
            samples[3 * x + 1] = pixels[3 * x + 1];
            samples[3 * x + 2] = pixels[3 * x];
        } else {
            const int32_t bit = x * bits;
            const int shift = 8 - bits - bit % 8;
            samples[x] = JSAMPLE((pixels[bit / 8] >> shift) & ((1 << bits) - 1));
        }
    }
}

void compressRows(jpeg_compress_struct& info, const CRasterImage& image)
{
    const bool grey = isGrey(image);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, QUALITY, FALSE);
    info.density_unit = DOTS_PER_INCH_UNIT;
    info.X_density = UINT16(CRasterImage::DOTS_PER_INCH);
    info.Y_density = UINT16(CRasterImage::DOTS_PER_INCH);
    jpeg_start_compress(&info, TRUE);
    // In the compressor's pool, so that an error frees it with the compressor.
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               JDIMENSION(image.width() * info.input_components), 1);
    for (int32_t fromBottom = image.height() - 1; fromBottom >= 0; --fromBottom) {
        convertRow(image, fromBottom, row[0]);
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
}

// False with the handler's message after any libjpeg error. Nothing in this frame has a
// destructor, as an error leaves the calls below through longjmp.
bool compress(const CRasterImage& image, VKF::CFile& file, CErrorHandler& handler)
{
    jpeg_compress_struct info{};
    CFileDestination destination{};
    info.err = jpeg_std_error(&handler.base);
    handler.base.error_exit = resumeAfterError;
    if (setjmp(handler.resume) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    destination.base.init_destination = startOutput;
    destination.base.empty_output_buffer = writeFullBuffer;
    destination.base.term_destination = writeRest;
    destination.file = &file;
    info.dest = &destination.base;
    compressRows(info, image);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool canWriteJpeg(const CRasterImage& image) noexcept
{
    if (image.bitsPerPixel() == 24)
        return true;
    const auto palette = image.palette();
    for (std::size_t index = 0; index < palette.size(); ++index) {
        const CPaletteEntry& entry = palette[index];
        if (entry.red != index || entry.green != index || entry.blue != index)
            return false;
    }
    return !palette.empty();
}

void writeJpeg(const CRasterImage& image, VKF::CFile& file)
{
    if (!canWriteJpeg(image))
        throw VKF::CException(VKF_T("JPEG: only true-colour images and grey ramps can be written."));
    CErrorHandler handler{};
    if (!compress(image, file, handler))
        throw VKF::CException(VKF::fromUtf8(std::string("JPEG: ") + handler.message));
}
