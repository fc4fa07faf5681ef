#include "skin/draw/bmp_reader.h"
#include "skin/draw/bmp_writer.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace skin;
using Bytes = std::vector<std::uint8_t>;

namespace {

// Little-endian byte building for hand-made BMP files.
struct Builder {
    Bytes b;
    Builder& u8(unsigned v) {
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Builder& u16(unsigned v) { return u8(v & 0xFF).u8(v >> 8); }
    Builder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    Builder& bytes(std::initializer_list<unsigned> list) {
        for (unsigned v : list)
            u8(v);
        return *this;
    }
};

// File header and a 40-byte info header; the pixel data offset is where the caller's next bytes start
// (offBits = 0 lets the reader work it out).
Builder InfoBmp(std::int32_t w, std::int32_t h, unsigned bits, std::uint32_t compression,
                std::uint32_t colours, std::uint32_t offBits) {
    Builder f;
    f.u16(0x4D42).u32(0).u32(0).u32(offBits);
    f.u32(40).u32(static_cast<std::uint32_t>(w)).u32(static_cast<std::uint32_t>(h)).u16(1).u16(bits);
    f.u32(compression).u32(0).u32(0).u32(0).u32(colours).u32(0);
    return f;
}

std::string ErrorOf(const Bytes& data) {
    try {
        ReadBmp(data);
    } catch (const EBmpError& e) {
        return e.what();
    }
    return "(no error)";
}

std::vector<std::vector<Pixel>> Rows(const Bitmap& b) {
    std::vector<std::vector<Pixel>> rows;
    for (int y = 0; y < b.height(); ++y)
        rows.emplace_back(b.scanline(y), b.scanline(y) + b.width());
    return rows;
}

const Pixel P0 = MakePixel(10, 20, 30);
const Pixel P1 = MakePixel(200, 100, 50);
const Pixel P2 = MakePixel(1, 2, 3);

Builder WithPalette(Builder f) {
    return f.bytes({30, 20, 10, 0, 50, 100, 200, 0, 3, 2, 1, 0});
}

} // namespace

TEST(ReadBmp, PalettedImagesOfOneFourAndEightBits) {
    // 1 bit, 3 x 2, rows bottom-up: bottom "101", top "011".
    Builder one = InfoBmp(3, 2, 1, 0, 2, 0).bytes({30, 20, 10, 0, 50, 100, 200, 0});
    one.bytes({0xA0, 0, 0, 0, 0x60, 0, 0, 0});
    EXPECT_EQ(Rows(ReadBmp(one.b)), (std::vector<std::vector<Pixel>>{{P0, P1, P1}, {P1, P0, P1}}));

    Builder four = WithPalette(InfoBmp(3, 1, 4, 0, 3, 0)).bytes({0x20, 0x10, 0, 0});
    EXPECT_EQ(Rows(ReadBmp(four.b)), (std::vector<std::vector<Pixel>>{{P2, P0, P1}}));

    // An index past the colour table reads as black rather than outside the table.
    Builder eight = WithPalette(InfoBmp(4, 1, 8, 0, 3, 0)).bytes({2, 0, 1, 200});
    EXPECT_EQ(Rows(ReadBmp(eight.b)), (std::vector<std::vector<Pixel>>{{P2, P0, P1, 0}}));
}

TEST(ReadBmp, RunLengthEncodedEightBitWithRunsLiteralsJumpsAndSkippedPixels) {
    Builder f = WithPalette(InfoBmp(4, 3, 8, 1, 3, 0));
    f.bytes({3, 1, 0, 0});             // bottom row: three of index 1, end of line
    f.bytes({0, 3, 2, 0, 1, 0, 0, 0}); // middle row: literal 2 0 1 (padded), end of line
    f.bytes({0, 2, 1, 0, 1, 2, 0, 1}); // top row: jump right by 1, one of index 2, end of image
    EXPECT_EQ(Rows(ReadBmp(f.b)),
              (std::vector<std::vector<Pixel>>{{P0, P2, P0, P0}, {P2, P0, P1, P0}, {P1, P1, P1, P0}}));
}

TEST(ReadBmp, RunLengthEncodedFourBitAlternatesTheTwoNibblesOfARun) {
    Builder f = WithPalette(InfoBmp(5, 2, 4, 2, 3, 0));
    f.bytes({5, 0x12, 0, 0});          // bottom: 1 2 1 2 1
    f.bytes({0, 3, 0x21, 0x00, 0, 1}); // top: literal 2 1 0, end of image
    EXPECT_EQ(Rows(ReadBmp(f.b)),
              (std::vector<std::vector<Pixel>>{{P2, P1, P0, P0, P0}, {P1, P2, P1, P2, P1}}));
}

TEST(ReadBmp, SixteenBitFiveFiveFiveAndBitFieldsWidenByRepeatingBits) {
    Builder rgb = InfoBmp(3, 1, 16, 0, 0, 0);
    rgb.u16(0x7FFF).u16(0x7C00).u16(0x0010).u16(0);
    EXPECT_EQ(Rows(ReadBmp(rgb.b)),
              (std::vector<std::vector<Pixel>>{
                  {MakePixel(255, 255, 255), MakePixel(255, 0, 0), MakePixel(0, 0, 0x84)}}));
    Builder fields = InfoBmp(3, 1, 16, 3, 0, 0);
    fields.u32(0xF800).u32(0x07E0).u32(0x001F);
    fields.u16(0xF800).u16(0x07E0).u16(0x0020).u16(0);
    EXPECT_EQ(
        Rows(ReadBmp(fields.b)),
        (std::vector<std::vector<Pixel>>{{MakePixel(255, 0, 0), MakePixel(0, 255, 0), MakePixel(0, 4, 0)}}));
}

TEST(ReadBmp, TwentyFourBitRowsArePaddedAndMayRunEitherWay) {
    Builder up = InfoBmp(2, 2, 24, 0, 0, 0);
    up.bytes({30, 20, 10, 50, 100, 200, 0, 0, 3, 2, 1, 0, 0, 0, 0, 0});
    const std::vector<std::vector<Pixel>> expected{{P2, 0}, {P0, P1}};
    EXPECT_EQ(Rows(ReadBmp(up.b)), expected);
    Builder down = InfoBmp(2, -2, 24, 0, 0, 0);
    down.bytes({3, 2, 1, 0, 0, 0, 0, 0, 30, 20, 10, 50, 100, 200});
    EXPECT_EQ(Rows(ReadBmp(down.b)), expected); // the last row's padding may be missing
}

TEST(ReadBmp, ThirtyTwoBitIgnoresTheFourthByteAndHonoursBitFields) {
    Builder rgb = InfoBmp(2, 1, 32, 0, 0, 0);
    rgb.bytes({30, 20, 10, 0xFF, 3, 2, 1, 0x80});
    EXPECT_EQ(Rows(ReadBmp(rgb.b)), (std::vector<std::vector<Pixel>>{{P0, P2}}));
    Builder fields = InfoBmp(1, 1, 32, 3, 0, 0);
    fields.u32(0x000000FF).u32(0x0000FF00).u32(0x00FF0000); // R, G, B in byte order
    fields.bytes({10, 20, 30, 0});
    EXPECT_EQ(Rows(ReadBmp(fields.b)), (std::vector<std::vector<Pixel>>{{MakePixel(10, 20, 30)}}));
}

TEST(ReadBmp, CoreAndVersionFiveHeadersAndAGapBeforeThePixels) {
    Builder core;
    core.u16(0x4D42).u32(0).u32(0).u32(14 + 12 + 6).u32(12).u16(2).u16(1).u16(1).u16(8);
    core.bytes({30, 20, 10, 50, 100, 200}); // two 3-byte colour table entries, as the offset says
    core.bytes({1, 0, 0, 0});
    EXPECT_EQ(Rows(ReadBmp(core.b)), (std::vector<std::vector<Pixel>>{{P1, P0}}));

    Builder v5;
    v5.u16(0x4D42).u32(0).u32(0).u32(14 + 124 + 6).u32(124).u32(1).u32(1).u16(1).u16(24).u32(0);
    for (int i = 0; i < 124 - 20; ++i)
        v5.u8(0xEE);              // the rest of the header: masks, colour space...
    v5.bytes({0, 0, 0, 0, 0, 0}); // a gap the offset skips
    v5.bytes({3, 2, 1, 0});
    EXPECT_EQ(Rows(ReadBmp(v5.b)), (std::vector<std::vector<Pixel>>{{P2}}));
}

TEST(ReadBmp, DamagedDataIsRefusedWithTheReasonAndPlace) {
    EXPECT_EQ(ErrorOf({}), "BMP header truncated at byte 14 (the data has 0 bytes)");
    EXPECT_EQ(ErrorOf(Bytes(20, 0x42)), "not BMP data: it starts with bytes 66, 66 instead of \"BM\"");
    Builder shortHeader;
    shortHeader.u16(0x4D42).u32(0).u32(0).u32(0).u32(40).u32(1);
    EXPECT_EQ(ErrorOf(shortHeader.b), "BMP header truncated at byte 26 (the data has 22 bytes)");
    Builder os2 = InfoBmp(1, 1, 24, 0, 0, 0);
    os2.b[14] = 64;
    EXPECT_EQ(ErrorOf(os2.b), "unsupported BMP header size 64");
    EXPECT_EQ(ErrorOf(InfoBmp(0, 1, 24, 0, 0, 0).b), "BMP image size 0 x 1 is not valid");
    EXPECT_EQ(ErrorOf(InfoBmp(1, 1, 2, 0, 0, 0).b), "unsupported BMP bit count 2");
    EXPECT_EQ(ErrorOf(InfoBmp(1, 1, 24, 4, 0, 0).b), "unsupported BMP compression 4 for 24 bits per pixel");
    EXPECT_EQ(ErrorOf(InfoBmp(1, -1, 8, 1, 0, 0).b), "run-length encoded BMP data cannot be top-down");
    EXPECT_EQ(ErrorOf(InfoBmp(2, 1, 8, 0, 2, 0).bytes({1, 2, 3}).b),
              "BMP colour table truncated at byte 62 (the data has 57 bytes)");
    EXPECT_EQ(ErrorOf(InfoBmp(2, 2, 24, 0, 0, 0).bytes({1, 2, 3, 4, 5, 6, 0, 0, 1}).b),
              "BMP pixel data truncated: 14 bytes needed from byte 54, the data has 9");
    EXPECT_EQ(ErrorOf(InfoBmp(1, 1, 24, 0, 0, 500).b),
              "BMP pixel data offset 500 lies past the end of the data (54 bytes)");
}

TEST(ReadBmp, LyingSizesAreRefusedBeforeAnythingIsAllocated) {
    EXPECT_EQ(ErrorOf(InfoBmp(100000, 100000, 24, 0, 0, 0).b),
              "BMP image size 100000 x 100000 exceeds the limit");
    EXPECT_EQ(ErrorOf(InfoBmp(8000, 8000, 24, 0, 0, 0).bytes({1, 2, 3}).b),
              "BMP pixel data truncated: 192000000 bytes needed from byte 54, the data has 3");
    Builder rle = InfoBmp(8000, 8000, 8, 1, 1, 0).bytes({0, 0, 0, 0, 0, 1});
    EXPECT_EQ(ErrorOf(rle.b), "RLE8 data of 2 bytes cannot fill an image of 8000 x 8000");
}

TEST(ReadBmp, RunLengthDataThatStopsEarlyIsRefused) {
    Builder early = WithPalette(InfoBmp(2, 2, 8, 1, 3, 0)).bytes({2, 1, 0, 0});
    EXPECT_EQ(ErrorOf(early.b), "RLE8 data ends at byte 70 before the end of the image (row 1 of 2)");
    Builder literal = WithPalette(InfoBmp(8, 1, 8, 1, 3, 0)).bytes({0, 6, 1, 2});
    EXPECT_EQ(ErrorOf(literal.b), "RLE8 data truncated at byte 74 (the data has 70 bytes)");
    Builder jump = WithPalette(InfoBmp(8, 1, 4, 2, 3, 0)).bytes({0, 2, 1});
    EXPECT_EQ(ErrorOf(jump.b), "RLE4 data truncated at byte 70 (the data has 69 bytes)");
    // Without the final end-of-image escape but with every row ended, the image is complete.
    Builder noEnd = WithPalette(InfoBmp(2, 1, 8, 1, 3, 0)).bytes({2, 1, 0, 0});
    EXPECT_EQ(Rows(ReadBmp(noEnd.b)), (std::vector<std::vector<Pixel>>{{P1, P1}}));
}

TEST(ReadBmp, EveryTruncationAndRandomDamageEndsInAnImageOrAnError) {
    Bitmap image(13, 7);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 13; ++x)
            image.set_pixel(
                x, y, MakePixel(std::uint8_t(x * 19), std::uint8_t(y * 37), std::uint8_t((x / 3) * 60)));
    }
    std::mt19937 random(20240611);
    for (BmpEncoding e : {BmpEncoding::Rle8, BmpEncoding::Rle4, BmpEncoding::Indexed1, BmpEncoding::Rgb24,
                          BmpEncoding::BitFields565}) {
        Bitmap sample = image;
        if (e == BmpEncoding::Rle4 || e == BmpEncoding::Indexed1) {
            for (Pixel& p : sample.pixels())
                p = (p >> 16) % 2 ? P0 : P1;
        }
        const Bytes good = WriteBmp(sample, {e});
        for (std::size_t n = 0; n < good.size(); ++n) {
            const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
            try {
                ReadBmp(cut);
            } catch (const EBmpError&) {
            }
        }
        for (int round = 0; round < 300; ++round) {
            Bytes damaged = good;
            for (int k = 0; k < 4; ++k)
                damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
            try {
                const Bitmap b = ReadBmp(damaged);
                ASSERT_LE(std::int64_t{b.width()} * b.height(), kMaxBmpPixels);
            } catch (const EBmpError&) {
            }
        }
    }
}

TEST(WriteBmp, EveryEncodingReadsBackToTheSameImage) {
    Bitmap image(7, 3);
    const Pixel colours[] = {MakePixel(255, 0, 0), MakePixel(0, 255, 255), MakePixel(255, 255, 255), 0};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x)
            image.set_pixel(x, y, colours[(x < 3 ? 0 : x + y) % 4]);
    }
    struct Case {
        BmpWriteOptions options;
        const char* name;
    };
    const Case cases[] = {
        {{BmpEncoding::Rgb24}, "24"},
        {{BmpEncoding::Rgb24, true}, "24 top-down"},
        {{BmpEncoding::Rgb24, false, true}, "24 core"},
        {{BmpEncoding::Rgb32}, "32"},
        {{BmpEncoding::BitFields32}, "32 fields"},
        {{BmpEncoding::Rgb555}, "555"},
        {{BmpEncoding::BitFields565, true}, "565 top-down"},
        {{BmpEncoding::Indexed4}, "4"},
        {{BmpEncoding::Indexed8, false, true}, "8 core"},
        {{BmpEncoding::Rle4}, "rle4"},
        {{BmpEncoding::Rle8}, "rle8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadBmp(WriteBmp(image, c.options)), image) << c.name;
    Bitmap two(9, 2);
    two.set_pixel(4, 1, MakePixel(9, 9, 9));
    EXPECT_EQ(ReadBmp(WriteBmp(two, {BmpEncoding::Indexed1})), two);
}

TEST(WriteBmp, RunLengthOutputIsCompactForFlatImagesAndHandlesLongRowsAndLiterals) {
    Bitmap flat(1000, 10, MakePixel(1, 2, 3));
    const Bytes rle = WriteBmp(flat, {BmpEncoding::Rle8});
    EXPECT_LT(rle.size(), 200u);
    EXPECT_EQ(ReadBmp(rle), flat);
    Bitmap noisy(600, 2);
    for (int x = 0; x < 600; ++x)
        noisy.set_pixel(x, x % 2, MakePixel(std::uint8_t(x % 11), 0, 0));
    EXPECT_EQ(ReadBmp(WriteBmp(noisy, {BmpEncoding::Rle8})), noisy);
    EXPECT_EQ(ReadBmp(WriteBmp(noisy, {BmpEncoding::Rle4})), noisy);
}

TEST(WriteBmp, RefusesImagesItCannotEncode) {
    Bitmap many(3, 1);
    many.set_pixel(1, 0, 1);
    many.set_pixel(2, 0, 2);
    EXPECT_THROW(WriteBmp(many, {BmpEncoding::Indexed1}), rtl::Exception);
    EXPECT_THROW(WriteBmp(Bitmap()), rtl::Exception);
    EXPECT_THROW(WriteBmp(many, {BmpEncoding::Rle8, true}), rtl::Exception);
    EXPECT_THROW(WriteBmp(many, {BmpEncoding::Rgb32, false, true}), rtl::Exception);
}
