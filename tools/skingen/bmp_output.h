// Choosing how each skin image is stored: the smallest BMP encoding that holds the image exactly.
#pragma once

#include "skin/draw/bmp_writer.h"

#include <cstdint>
#include <vector>

namespace skingen {

// Number of distinct colours of a bitmap (the top byte of pixels ignored).
int CountColours(const skin::Bitmap& bitmap);

// The encodings tried for an image of that many colours, in order of preference for equal sizes
// (uncompressed before run-length encoded).
std::vector<skin::BmpEncoding> CandidateEncodings(int colours);

// The BMP file of bitmap in the candidate encoding that gives the fewest bytes.
std::vector<std::uint8_t> EncodeSmallest(const skin::Bitmap& bitmap);

} // namespace skingen
