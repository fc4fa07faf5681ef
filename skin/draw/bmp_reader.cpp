#include "skin/draw/bmp_reader.h"

#include "skin/draw/bmp_format.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace skin {
namespace {

using bmp::kFileHeaderSize;

[[noreturn]] void Fail(const std::string& message) {
    throw EBmpError(message);
}

std::string Num(std::uint64_t v) {
    return std::to_string(v);
}

// Bounds-checked little-endian reads of header fields.
class HeaderReader {
  public:
    explicit HeaderReader(std::span<const std::uint8_t> data) : data_(data) {}

    void require(std::uint64_t end, const char* what) const {
        if (end > data_.size()) {
            Fail(std::string(what) + " truncated at byte " + Num(end) + " (the data has " +
                 Num(data_.size()) + " bytes)");
        }
    }
    std::uint16_t u16(std::size_t at) const {
        require(at + 2, "BMP header");
        return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
    }
    std::uint32_t u32(std::size_t at) const {
        require(at + 4, "BMP header");
        return static_cast<std::uint32_t>(data_[at]) | (static_cast<std::uint32_t>(data_[at + 1]) << 8) |
               (static_cast<std::uint32_t>(data_[at + 2]) << 16) |
               (static_cast<std::uint32_t>(data_[at + 3]) << 24);
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }

  private:
    std::span<const std::uint8_t> data_;
};

// Everything the headers say about the image.
struct BmpInfo {
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = bmp::kRgb;
    std::uint32_t masks[3] = {0, 0, 0}; // red, green, blue
    std::vector<Pixel> palette;
    std::size_t pixelOffset = 0;
};

// One colour channel of bit-field data, widened to 8 bits by repeating its bits (5-bit 0x1F gives 0xFF).
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = 32 - std::countl_zero(m) - shift;
        }
    }
    std::uint32_t extract(std::uint32_t value) const noexcept {
        if (bits == 0) return 0;
        const std::uint32_t v = (value & mask) >> shift;
        if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
        std::uint32_t out = 0;
        for (int pos = 8 - bits; pos > -bits; pos -= bits)
            out |= pos >= 0 ? v << pos : v >> -pos;
        return out & 0xFF;
    }
};

BmpInfo ReadHeaders(std::span<const std::uint8_t> data) {
    const HeaderReader in(data);
    in.require(kFileHeaderSize, "BMP header");
    if (in.u16(0) != bmp::kSignature) {
        Fail("not BMP data: it starts with bytes " + Num(data[0]) + ", " + Num(data[1]) +
             " instead of \"BM\"");
    }
    BmpInfo info;
    const std::uint32_t offBits = in.u32(10);
    info.headerSize = in.u32(kFileHeaderSize);
    const bool core = info.headerSize == bmp::kCoreHeaderSize;
    std::size_t paletteAt = kFileHeaderSize + info.headerSize;
    if (core) {
        info.width = in.u16(18);
        info.height = in.u16(20);
        info.bitCount = in.u16(24);
    } else {
        switch (info.headerSize) {
        case bmp::kInfoHeaderSize:
        case bmp::kV2HeaderSize:
        case bmp::kV3HeaderSize:
        case bmp::kV4HeaderSize:
        case bmp::kV5HeaderSize:
            break;
        default:
            Fail("unsupported BMP header size " + Num(info.headerSize));
        }
        const std::int32_t width = in.i32(18);
        const std::int32_t height = in.i32(22);
        if (width <= 0 || height == 0 || height == INT32_MIN) {
            Fail("BMP image size " + std::to_string(width) + " x " + std::to_string(height) +
                 " is not valid");
        }
        info.width = width;
        info.topDown = height < 0;
        info.height = height < 0 ? -height : height;
        info.bitCount = in.u16(28);
        info.compression = in.u32(30);
        if (info.compression == bmp::kBitFields || info.compression == bmp::kAlphaBitFields) {
            // Masks follow a plain info header and lie inside the later ones, at the same place.
            constexpr std::size_t kMasksAt = kFileHeaderSize + bmp::kInfoHeaderSize;
            for (std::size_t i = 0; i < 3; ++i)
                info.masks[i] = in.u32(kMasksAt + 4 * i);
            if (info.headerSize == bmp::kInfoHeaderSize) {
                paletteAt += info.compression == bmp::kAlphaBitFields ? 16 : 12;
            }
        }
    }
    if (info.width <= 0 || info.height <= 0)
        Fail("BMP image size " + Num(info.width) + " x " + Num(info.height) + " is not valid");
    if (info.width > kMaxBmpSide || info.height > kMaxBmpSide ||
        std::int64_t{info.width} * info.height > kMaxBmpPixels) {
        Fail("BMP image size " + Num(info.width) + " x " + Num(info.height) + " exceeds the limit");
    }

    const int bits = info.bitCount;
    const std::uint32_t comp = info.compression;
    const bool bitsOk = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    if (!bitsOk) Fail("unsupported BMP bit count " + Num(static_cast<std::uint64_t>(bits)));
    const bool compOk =
        comp == bmp::kRgb || (comp == bmp::kRle8 && bits == 8) || (comp == bmp::kRle4 && bits == 4) ||
        ((comp == bmp::kBitFields || comp == bmp::kAlphaBitFields) && (bits == 16 || bits == 32));
    if (!compOk)
        Fail("unsupported BMP compression " + Num(comp) + " for " + Num(static_cast<std::uint64_t>(bits)) +
             " bits per pixel");
    if (info.topDown && (comp == bmp::kRle8 || comp == bmp::kRle4))
        Fail("run-length encoded BMP data cannot be top-down");
    if (comp == bmp::kRgb && bits == 16) {
        info.masks[0] = bmp::kRed555;
        info.masks[1] = bmp::kGreen555;
        info.masks[2] = bmp::kBlue555;
    }

    if (bits <= 8) {
        const std::uint32_t maxColours = 1u << bits;
        const std::uint32_t used = core ? 0 : in.u32(46);
        std::uint32_t count = used == 0 || used > maxColours ? maxColours : used;
        const std::size_t entrySize = core ? 3 : 4;
        // Writers that leave the count out often store only the colours they use; the pixel data offset
        // then tells where the table ends.
        if (used == 0 && offBits > paletteAt && (offBits - paletteAt) / entrySize < count) {
            count = static_cast<std::uint32_t>((offBits - paletteAt) / entrySize);
        }
        in.require(paletteAt + count * entrySize, "BMP colour table");
        info.palette.resize(maxColours, 0);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data.data() + paletteAt + i * entrySize;
            info.palette[i] = MakePixel(e[2], e[1], e[0]);
        }
        paletteAt += count * entrySize;
    }
    info.pixelOffset = offBits != 0 ? offBits : paletteAt;
    if (info.pixelOffset > data.size()) {
        Fail("BMP pixel data offset " + Num(info.pixelOffset) + " lies past the end of the data (" +
             Num(data.size()) + " bytes)");
    }
    return info;
}

std::uint64_t RowStride(const BmpInfo& info) {
    return (std::uint64_t(info.width) * std::uint64_t(info.bitCount) + 31) / 32 * 4;
}

// Refuses pixel data too short for the image the headers claim, before the image is allocated.
void CheckPixelDataSize(std::span<const std::uint8_t> data, const BmpInfo& info) {
    const std::size_t payload = data.size() - info.pixelOffset;
    if (info.compression == bmp::kRle8 || info.compression == bmp::kRle4) {
        // Runs expand at most 255 pixels per 2 bytes; jumps can skip more, but a header claiming far more
        // pixels than that is taken as a lie rather than allocated.
        constexpr std::int64_t kSmallImage = std::int64_t{1} << 20;
        const std::int64_t pixels = std::int64_t{info.width} * info.height;
        if (pixels > kSmallImage && pixels > std::int64_t(payload) * 256) {
            Fail(std::string(info.compression == bmp::kRle4 ? "RLE4" : "RLE8") + " data of " + Num(payload) +
                 " bytes cannot fill an image of " + Num(info.width) + " x " + Num(info.height));
        }
        return;
    }
    const std::uint64_t rowBits = std::uint64_t(info.width) * std::uint64_t(info.bitCount);
    // The last row's padding may be missing; its pixels may not.
    const std::uint64_t needed = RowStride(info) * std::uint64_t(info.height - 1) + (rowBits + 7) / 8;
    if (needed > payload) {
        Fail("BMP pixel data truncated: " + Num(needed) + " bytes needed from byte " + Num(info.pixelOffset) +
             ", the data has " + Num(payload));
    }
}

void DecodeUncompressed(std::span<const std::uint8_t> data, const BmpInfo& info, Bitmap& image) {
    const std::uint64_t stride = RowStride(info);
    const Channel red(info.masks[0]), green(info.masks[1]), blue(info.masks[2]);
    const int w = info.width;
    const std::size_t paletteSize = info.palette.size();
    for (int r = 0; r < info.height; ++r) {
        const std::uint8_t* src = data.data() + info.pixelOffset + stride * std::uint64_t(r);
        Pixel* dst = image.scanline(info.topDown ? r : info.height - 1 - r);
        switch (info.bitCount) {
        case 1:
        case 4:
        case 8: {
            const int bits = info.bitCount;
            const int perByte = 8 / bits;
            const unsigned mask = (1u << bits) - 1;
            for (int x = 0; x < w; ++x) {
                const unsigned shift = unsigned(8 - bits * (x % perByte + 1));
                const unsigned index = (src[x / perByte] >> shift) & mask;
                dst[x] = index < paletteSize ? info.palette[index] : 0;
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v = std::uint32_t(src[2 * x]) | (std::uint32_t(src[2 * x + 1]) << 8);
                dst[x] = (red.extract(v) << 16) | (green.extract(v) << 8) | blue.extract(v);
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                dst[x] = MakePixel(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            if (info.compression == bmp::kRgb) {
                for (int x = 0; x < w; ++x)
                    dst[x] = MakePixel(src[4 * x + 2], src[4 * x + 1], src[4 * x]);
            } else {
                for (int x = 0; x < w; ++x) {
                    const std::uint32_t v = std::uint32_t(src[4 * x]) | (std::uint32_t(src[4 * x + 1]) << 8) |
                                            (std::uint32_t(src[4 * x + 2]) << 16) |
                                            (std::uint32_t(src[4 * x + 3]) << 24);
                    dst[x] = (red.extract(v) << 16) | (green.extract(v) << 8) | blue.extract(v);
                }
            }
            break;
        default:
            break;
        }
    }
}

// RLE8 and RLE4: runs and literal blocks of colour indices, rows from the bottom, with escapes for the end
// of a row, the end of the image and a jump. Pixels the data sends past a row's end are dropped.
void DecodeRunLength(std::span<const std::uint8_t> data, const BmpInfo& info, Bitmap& image) {
    const bool rle4 = info.compression == bmp::kRle4;
    const char* name = rle4 ? "RLE4" : "RLE8";
    const std::size_t end = data.size();
    image.fill(info.palette[0]);
    const int w = info.width;
    const int h = info.height;
    const auto put = [&](int x, int row, unsigned index) {
        if (x < w && row < h) image.scanline(h - 1 - row)[x] = info.palette[index];
    };
    std::size_t at = info.pixelOffset;
    int x = 0;
    int row = 0;
    const auto need = [&](std::size_t count) {
        if (at + count > end) {
            Fail(std::string(name) + " data truncated at byte " + Num(at + count) + " (the data has " +
                 Num(end) + " bytes)");
        }
    };
    while (true) {
        // Any column past the row's end is as good as another; keep x from growing without bound.
        x = std::min(x, w);
        if (at >= end) {
            // Some writers stop after the last row's end-of-line escape without an end-of-bitmap one.
            if (row >= h) return;
            Fail(std::string(name) + " data ends at byte " + Num(end) + " before the end of the image (row " +
                 Num(static_cast<std::uint64_t>(row)) + " of " + Num(static_cast<std::uint64_t>(h)) + ")");
        }
        need(2);
        const unsigned count = data[at];
        const unsigned value = data[at + 1];
        at += 2;
        if (count > 0) {
            if (!rle4 || value >> 4 == (value & 0xF)) {
                // One colour: fill the part of the run that lies inside the row.
                if (row < h && x < w) {
                    Pixel* line = image.scanline(h - 1 - row);
                    const int stop = static_cast<int>(std::min<std::int64_t>(w, std::int64_t{x} + count));
                    std::fill(line + x, line + stop, info.palette[rle4 ? value & 0xF : value]);
                }
                x = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + count, w));
                continue;
            }
            for (unsigned i = 0; i < count; ++i, ++x)
                put(x, row, i % 2 == 0 ? value >> 4 : value & 0xF);
            continue;
        }
        switch (value) {
        case bmp::kRleEndOfLine:
            x = 0;
            ++row;
            break;
        case bmp::kRleEndOfBitmap:
            return;
        case bmp::kRleDelta:
            need(2);
            x += data[at];
            row += data[at + 1];
            at += 2;
            break;
        default: {
            const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
            const std::size_t padded = (bytes + 1) / 2 * 2;
            need(padded);
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned index =
                    rle4 ? (i % 2 == 0 ? data[at + i / 2] >> 4 : data[at + i / 2] & 0xF) : data[at + i];
                put(x, row, index);
            }
            at += padded;
            break;
        }
        }
        // Past the top row nothing more can be drawn; the rest of the data does not matter.
        if (row >= h) return;
    }
}

} // namespace

Bitmap ReadBmp(std::span<const std::uint8_t> data) {
    const BmpInfo info = ReadHeaders(data);
    CheckPixelDataSize(data, info);
    Bitmap image(info.width, info.height);
    if (info.compression == bmp::kRle8 || info.compression == bmp::kRle4) {
        DecodeRunLength(data, info, image);
    } else {
        DecodeUncompressed(data, info, image);
    }
    return image;
}

} // namespace skin
