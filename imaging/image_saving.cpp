// Saving the image object as a file: the one place that knows both writers, which in turn know
// only the image.
#include "imaging/raster_image.h"

#include <new>

#include "foundation/exception.h"
#include "foundation/file.h"
#include "imaging/bmp_writer.h"
#include "imaging/jpeg_writer.h"

bool CRasterImage::save(const VKF::CString& path, ImageFormat format) const
{
    void (*write)(const CRasterImage&, VKF::CFile&) = nullptr;
    switch (format) {
    case ImageFormat::Bmp:
        write = writeBmp;
        break;
    case ImageFormat::Jpeg:
        // Refused before the file is touched: where it is written in place, it is not truncated.
        if (!canWriteJpeg(*this))
            return false;
        write = writeJpeg;
        break;
    default:
        return false;
    }
    if (isEmpty())
        return false;
    try {
        VKF::replaceFileAfterWriting(path, [this, write](VKF::CFile& file) { write(*this, file); });
        return true;
    } catch (const VKF::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
