// Decoding of Windows BMP data into a Bitmap: 1, 4 and 8 bits with colour tables (also RLE8 and RLE4),
// 16 bits (5-5-5 and bit fields), 24 and 32 bits (also bit fields), rows bottom-up or top-down, core
// (OS/2 1.x) and info headers up to version 5.
#pragma once

#include "framework/rtl/exceptions.h"
#include "skin/draw/bitmap.h"

#include <cstdint>
#include <span>

namespace skin {

// Damaged, truncated or unsupported BMP data. The message says what and where ("BMP header truncated at
// byte 54 (the data has 40 bytes)"); callers add which file or package member it was.
class EBmpError : public rtl::Exception {
  public:
    using Exception::Exception;
};

// Largest image the reader accepts; a header claiming more is refused before anything is allocated.
inline constexpr int kMaxBmpSide = 1 << 15;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 26;

// Decodes a whole BMP file held in data. Never reads outside data; raises EBmpError for anything it
// cannot decode. Pixels that run-length data skips take the colour of the first colour table entry.
Bitmap ReadBmp(std::span<const std::uint8_t> data);

} // namespace skin
