// Field values of the Windows BMP format shared by the reader and the writer.
#pragma once

#include <cstdint>

namespace skin::bmp {

inline constexpr std::uint16_t kSignature = 0x4D42; // "BM"
inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kV2HeaderSize = 52;
inline constexpr std::uint32_t kV3HeaderSize = 56;
inline constexpr std::uint32_t kV4HeaderSize = 108;
inline constexpr std::uint32_t kV5HeaderSize = 124;

// Compression field values (BI_*).
inline constexpr std::uint32_t kRgb = 0;
inline constexpr std::uint32_t kRle8 = 1;
inline constexpr std::uint32_t kRle4 = 2;
inline constexpr std::uint32_t kBitFields = 3;
inline constexpr std::uint32_t kAlphaBitFields = 6;

// Escape codes of the run-length encodings: a zero count followed by one of these.
inline constexpr std::uint8_t kRleEndOfLine = 0;
inline constexpr std::uint8_t kRleEndOfBitmap = 1;
inline constexpr std::uint8_t kRleDelta = 2;

// The masks 16-bit BI_RGB data implies (5-5-5).
inline constexpr std::uint32_t kRed555 = 0x7C00;
inline constexpr std::uint32_t kGreen555 = 0x03E0;
inline constexpr std::uint32_t kBlue555 = 0x001F;

} // namespace skin::bmp
