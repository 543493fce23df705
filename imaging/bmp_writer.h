// Writing an image as a BMP file.
#pragma once

class CRasterImage;

namespace VKF {
class CFile;
}

// Writes the file header, the 40-byte information header, the palette and the rows bottom-up,
// at 96 dots per inch. Throws VKF::CException when the file cannot be written.
void writeBmp(const CRasterImage& image, VKF::CFile& file);
