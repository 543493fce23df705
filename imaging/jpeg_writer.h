// Writing an image as a JPEG file through libjpeg.
#pragma once

class CRasterImage;

namespace VKF {
class CFile;
}

// True for a 24-bit image and for a palette that is the grey ramp (entry i is red = green =
// blue = i), which is written as greyscale; other palettes have no JPEG form here.
bool canWriteJpeg(const CRasterImage& image) noexcept;

// Writes a baseline JFIF file of quality 90 at 96 x 96 dots per inch, the top row first, one row
// at a time. Throws VKF::CException when canWriteJpeg refuses the image, and with libjpeg's
// message when libjpeg fails (also when the file cannot be written); the compressor is freed.
void writeJpeg(const CRasterImage& image, VKF::CFile& file);
