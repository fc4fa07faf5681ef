// Encoding of a Bitmap as Windows BMP data, for the skin generator, contact sheets and test images.
#pragma once

#include "skin/draw/bitmap.h"

#include <cstdint>
#include <vector>

namespace skin {

enum class BmpEncoding {
    Rgb24,        // 24 bits per pixel
    Rgb32,        // 32 bits, BI_RGB (B, G, R, 0)
    BitFields32,  // 32 bits, BI_BITFIELDS with the masks 0xFF0000, 0xFF00, 0xFF
    Rgb555,       // 16 bits, BI_RGB 5-5-5 (the low 3 bits of each channel are lost)
    BitFields565, // 16 bits, BI_BITFIELDS 5-6-5
    Indexed1,     // colour table of at most 2 colours
    Indexed4,     // at most 16
    Indexed8,     // at most 256
    Rle4,         // 4 bits, run-length encoded
    Rle8,         // 8 bits, run-length encoded
};

struct BmpWriteOptions {
    BmpEncoding Encoding = BmpEncoding::Rgb24;
    // Rows top to bottom (a negative height); not for the run-length encodings.
    bool TopDown = false;
    // The 12-byte core header with 3-byte colour table entries; only for Rgb24 and Indexed1/4/8.
    bool CoreHeader = false;
};

// The BMP file of bitmap. Indexed encodings build the colour table from the bitmap's colours in order of
// first appearance. Raises rtl::Exception for an empty bitmap, an image with more colours than the
// encoding holds, or options that do not go together.
std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, const BmpWriteOptions& options = {});

} // namespace skin
