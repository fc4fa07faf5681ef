#include "skin/draw/bmp_writer.h"

#include "framework/rtl/exceptions.h"
#include "skin/draw/bmp_format.h"

#include <algorithm>
#include <map>
#include <string>

namespace skin {
namespace {

class ByteWriter {
  public:
    std::vector<std::uint8_t> bytes;

    void u8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void pad_to(std::size_t multiple, std::size_t from) {
        while ((bytes.size() - from) % multiple != 0)
            u8(0);
    }
    void put_u32_at(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + std::size_t(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
};

int BitsOf(BmpEncoding e) {
    switch (e) {
    case BmpEncoding::Rgb24:
        return 24;
    case BmpEncoding::Rgb32:
    case BmpEncoding::BitFields32:
        return 32;
    case BmpEncoding::Rgb555:
    case BmpEncoding::BitFields565:
        return 16;
    case BmpEncoding::Indexed1:
        return 1;
    case BmpEncoding::Indexed4:
    case BmpEncoding::Rle4:
        return 4;
    case BmpEncoding::Indexed8:
    case BmpEncoding::Rle8:
        return 8;
    }
    return 24;
}

std::uint32_t CompressionOf(BmpEncoding e) {
    switch (e) {
    case BmpEncoding::BitFields32:
    case BmpEncoding::BitFields565:
        return bmp::kBitFields;
    case BmpEncoding::Rle4:
        return bmp::kRle4;
    case BmpEncoding::Rle8:
        return bmp::kRle8;
    default:
        return bmp::kRgb;
    }
}

struct Palette {
    std::vector<Pixel> colours;
    std::map<Pixel, unsigned> index;
};

Palette BuildPalette(const Bitmap& bitmap, int bits) {
    Palette p;
    const std::size_t limit = std::size_t{1} << bits;
    for (Pixel px : bitmap.pixels()) {
        px &= kPixelRgbMask;
        if (p.index.contains(px)) continue;
        if (p.colours.size() == limit) {
            throw rtl::Exception("image has more than " + std::to_string(limit) + " colours for a " +
                                 std::to_string(bits) + "-bit BMP");
        }
        p.index.emplace(px, static_cast<unsigned>(p.colours.size()));
        p.colours.push_back(px);
    }
    return p;
}

// Greedy run-length encoding of one row of colour indices: runs of two or more equal values as
// (count, value), stretches of differing values of three or more as literal blocks.
void EncodeRleRow(ByteWriter& out, const std::vector<unsigned>& row, bool rle4) {
    const std::size_t n = row.size();
    std::size_t i = 0;
    const auto runAt = [&](std::size_t at) {
        std::size_t r = 1;
        while (at + r < n && r < 255 && row[at + r] == row[at])
            ++r;
        return r;
    };
    while (i < n) {
        const std::size_t run = runAt(i);
        if (run >= 2) {
            out.u8(static_cast<unsigned>(run));
            out.u8(rle4 ? (row[i] << 4) | row[i] : row[i]);
            i += run;
            continue;
        }
        std::size_t lit = 1;
        while (i + lit < n && lit < 255 && runAt(i + lit) < 2)
            ++lit;
        if (lit < 3) {
            for (std::size_t k = 0; k < lit; ++k) {
                out.u8(1);
                out.u8(rle4 ? row[i + k] << 4 : row[i + k]);
            }
        } else {
            out.u8(0);
            out.u8(static_cast<unsigned>(lit));
            const std::size_t start = out.bytes.size();
            if (rle4) {
                for (std::size_t k = 0; k < lit; k += 2) {
                    const unsigned lo = k + 1 < lit ? row[i + k + 1] : 0;
                    out.u8((row[i + k] << 4) | lo);
                }
            } else {
                for (std::size_t k = 0; k < lit; ++k)
                    out.u8(row[i + k]);
            }
            out.pad_to(2, start);
        }
        i += lit;
    }
}

} // namespace

std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap, const BmpWriteOptions& options) {
    if (bitmap.empty()) throw rtl::Exception("an empty bitmap cannot be written as BMP");
    const BmpEncoding enc = options.Encoding;
    const int bits = BitsOf(enc);
    const std::uint32_t compression = CompressionOf(enc);
    const bool rle = compression == bmp::kRle4 || compression == bmp::kRle8;
    if (rle && options.TopDown) throw rtl::Exception("run-length encoded BMP data cannot be top-down");
    if (options.CoreHeader && (compression != bmp::kRgb || bits == 16 || bits == 32 || options.TopDown)) {
        throw rtl::Exception(
            "the BMP core header holds only uncompressed 1, 4, 8 and 24-bit bottom-up images");
    }
    const int w = bitmap.width();
    const int h = bitmap.height();
    const Palette palette = bits <= 8 ? BuildPalette(bitmap, bits) : Palette{};

    ByteWriter out;
    out.u16(bmp::kSignature);
    out.u32(0); // file size, patched below
    out.u32(0);
    out.u32(0); // pixel data offset, patched below
    if (options.CoreHeader) {
        out.u32(bmp::kCoreHeaderSize);
        out.u16(static_cast<unsigned>(w));
        out.u16(static_cast<unsigned>(h));
        out.u16(1);
        out.u16(static_cast<unsigned>(bits));
    } else {
        out.u32(bmp::kInfoHeaderSize);
        out.u32(static_cast<std::uint32_t>(w));
        out.u32(static_cast<std::uint32_t>(options.TopDown ? -h : h));
        out.u16(1);
        out.u16(static_cast<unsigned>(bits));
        out.u32(compression);
        out.u32(0);    // image size, patched below
        out.u32(2835); // 72 dpi
        out.u32(2835);
        out.u32(bits <= 8 ? static_cast<std::uint32_t>(palette.colours.size()) : 0);
        out.u32(0);
        if (compression == bmp::kBitFields) {
            if (bits == 16) {
                out.u32(0xF800);
                out.u32(0x07E0);
                out.u32(0x001F);
            } else {
                out.u32(0xFF0000);
                out.u32(0x00FF00);
                out.u32(0x0000FF);
            }
        }
    }
    // A core header has no colour count: its table always has 2^bits entries.
    std::vector<Pixel> table = palette.colours;
    if (options.CoreHeader && bits <= 8) table.resize(std::size_t{1} << bits, 0);
    for (Pixel c : table) {
        out.u8(BlueOf(c));
        out.u8(GreenOf(c));
        out.u8(RedOf(c));
        if (!options.CoreHeader) out.u8(0);
    }
    const std::size_t pixelsAt = out.bytes.size();
    out.put_u32_at(10, static_cast<std::uint32_t>(pixelsAt));

    std::vector<unsigned> indices(static_cast<std::size_t>(w));
    for (int r = 0; r < h; ++r) {
        const Pixel* row = bitmap.scanline(options.TopDown ? r : h - 1 - r);
        if (bits <= 8) {
            for (int x = 0; x < w; ++x)
                indices[std::size_t(x)] = palette.index.at(row[x] & kPixelRgbMask);
        }
        if (rle) {
            EncodeRleRow(out, indices, compression == bmp::kRle4);
            out.u8(0);
            out.u8(r + 1 == h ? bmp::kRleEndOfBitmap : bmp::kRleEndOfLine);
            continue;
        }
        const std::size_t rowStart = out.bytes.size();
        switch (bits) {
        case 1:
        case 4:
        case 8: {
            const int perByte = 8 / bits;
            for (int x = 0; x < w; x += perByte) {
                unsigned byte = 0;
                for (int k = 0; k < perByte; ++k) {
                    const unsigned v = x + k < w ? indices[std::size_t(x + k)] : 0;
                    byte |= v << (8 - bits * (k + 1));
                }
                out.u8(byte);
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x) {
                const Pixel p = row[x];
                if (enc == BmpEncoding::Rgb555) {
                    out.u16(((RedOf(p) >> 3u) << 10) | ((GreenOf(p) >> 3u) << 5) | (BlueOf(p) >> 3u));
                } else {
                    out.u16(((RedOf(p) >> 3u) << 11) | ((GreenOf(p) >> 2u) << 5) | (BlueOf(p) >> 3u));
                }
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x) {
                out.u8(BlueOf(row[x]));
                out.u8(GreenOf(row[x]));
                out.u8(RedOf(row[x]));
            }
            break;
        default:
            for (int x = 0; x < w; ++x)
                out.u32(row[x] & kPixelRgbMask);
            break;
        }
        out.pad_to(4, rowStart);
    }
    if (!options.CoreHeader) out.put_u32_at(34, static_cast<std::uint32_t>(out.bytes.size() - pixelsAt));
    out.put_u32_at(2, static_cast<std::uint32_t>(out.bytes.size()));
    return std::move(out.bytes);
}

} // namespace skin
