// Drawing helpers of the skin generator: colour mixing, the edge rules over the key colour, corner cuts.
#include "tools/skingen/glyphs.h"
#include "tools/skingen/shapes.h"

#include <gtest/gtest.h>

namespace skingen {
namespace {

constexpr Pixel kWhite = skin::MakePixel(255, 255, 255);
constexpr Pixel kBlack = skin::MakePixel(0, 0, 0);
constexpr Pixel kFace = skin::MakePixel(240, 240, 240);
constexpr Pixel kBlue = skin::MakePixel(40, 100, 200);

bool IsKeyBlend(Pixel p) {
    // Pinkish pixels made by mixing something with magenta: strong red and blue, weak green, not the key.
    return p != kKey && skin::RedOf(p) > 150 && skin::BlueOf(p) > 150 &&
           skin::GreenOf(p) + 60 < skin::RedOf(p);
}

int CountKey(const Bitmap& b) {
    int n = 0;
    for (Pixel p : b.pixels())
        n += p == kKey;
    return n;
}

TEST(Mix, EndsAreExactAndMiddleRoundsToNearest) {
    EXPECT_EQ(Mix(kBlack, kWhite, 0, 16), kBlack);
    EXPECT_EQ(Mix(kBlack, kWhite, 16, 16), kWhite);
    EXPECT_EQ(Mix(kBlack, kWhite, 1, 2), skin::MakePixel(128, 128, 128)); // 127.5 rounds up
    EXPECT_EQ(Mix(kWhite, kBlack, 1, 2), skin::MakePixel(128, 128, 128)); // and the same from the other side
    EXPECT_EQ(GradientAt(kBlack, kWhite, 0, 5), kBlack);
    EXPECT_EQ(GradientAt(kBlack, kWhite, 4, 5), kWhite);
    EXPECT_EQ(GradientAt(kBlack, kWhite, 9, 5), kWhite) << "rows past the end keep the last colour";
}

TEST(PaintShape, EdgesOverTheKeyColourBlendWithTheBackdropNeverWithMagenta) {
    Bitmap smooth(20, 20, kKey);
    DrawDisc(smooth, 10, 10, 8, kBlue, {}, {true, kFace});
    Bitmap crisp(20, 20, kKey);
    DrawDisc(crisp, 10, 10, 8, kBlue, {}, {true, std::nullopt});
    int blended = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const Pixel s = smooth.pixel(x, y);
            const Pixel c = crisp.pixel(x, y);
            EXPECT_FALSE(IsKeyBlend(s)) << x << "," << y;
            EXPECT_TRUE(c == kKey || c == kBlue)
                << "without a backdrop edges stay crisp, at " << x << "," << y;
            if (s != kKey && s != kBlue) ++blended;
        }
    }
    EXPECT_GT(blended, 0) << "a backdrop gives smoothed edge pixels";
    EXPECT_EQ(smooth.pixel(10, 10), kBlue);
    EXPECT_EQ(smooth.pixel(0, 0), kKey);
}

TEST(PaintShape, EdgesOverOrdinaryPixelsMixWithWhatIsThere) {
    Bitmap b(12, 12, kWhite);
    DrawStroke(b, {{1, 6}, {11, 6}}, 2.0, kBlack);
    EXPECT_EQ(b.pixel(5, 5), kBlack);
    EXPECT_EQ(b.pixel(5, 6), kBlack);
    EXPECT_EQ(b.pixel(5, 2), kWhite);
    // The stroke's rounded end at x = 0 covers part of that pixel: a grey between the two.
    const Pixel end = b.pixel(0, 5);
    EXPECT_GT(skin::RedOf(end), 0);
    EXPECT_LT(skin::RedOf(end), 255);
}

TEST(RoundedBox, BorderRunsAlongStraightEdgesAndFillCarriesTheGradient) {
    Bitmap b(10, 12, kKey);
    const Pixel top = skin::MakePixel(200, 200, 200);
    const Pixel bottom = skin::MakePixel(100, 100, 100);
    DrawRoundedBox(b, {b.bounds(), 3, kAllCorners, kBlack, top, bottom}, {true, kFace});
    for (int x = 3; x < 7; ++x) {
        EXPECT_EQ(b.pixel(x, 0), kBlack);
        EXPECT_EQ(b.pixel(x, 11), kBlack);
    }
    for (int y = 3; y < 9; ++y) {
        EXPECT_EQ(b.pixel(0, y), kBlack);
        EXPECT_EQ(b.pixel(9, y), kBlack);
    }
    EXPECT_EQ(b.pixel(0, 0), kKey) << "outside the rounded corner";
    EXPECT_GT(skin::RedOf(b.pixel(5, 2)), skin::RedOf(b.pixel(5, 9))) << "lighter at the top";
}

TEST(RoundedBox, OnlyTheChosenCornersAreRounded) {
    Bitmap b(10, 10, kKey);
    DrawRoundedBox(b, {b.bounds(), 4, kTopCorners, {}, kBlue, kBlue});
    EXPECT_EQ(b.pixel(0, 0), kKey);
    EXPECT_EQ(b.pixel(9, 0), kKey);
    EXPECT_EQ(b.pixel(0, 9), kBlue);
    EXPECT_EQ(b.pixel(9, 9), kBlue);
}

TEST(CutCorners, CutsSymmetricallyWithAnUnbrokenOutline) {
    const int w = 30;
    const int h = 20;
    Bitmap b(w, h, kWhite);
    Outline(b, b.bounds(), kBlack);
    CutCorners(b, b.bounds(), 6, kTopCorners, kBlack);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            EXPECT_EQ(b.pixel(x, y) == kKey, b.pixel(w - 1 - x, y) == kKey) << "mirror of " << x << "," << y;
        }
    }
    EXPECT_EQ(b.pixel(0, 0), kKey);
    EXPECT_EQ(b.pixel(0, 6), kBlack) << "below the arc the straight outline is untouched";
    EXPECT_EQ(b.pixel(0, h - 1), kBlack) << "bottom corners were not asked for";
    // Every row of the corner starts with an outline pixel right after the cut: no gap lets the inside
    // touch the outside.
    for (int y = 0; y < 6; ++y) {
        int x = 0;
        while (b.pixel(x, y) == kKey)
            ++x;
        EXPECT_EQ(b.pixel(x, y), kBlack) << "row " << y;
    }
    // The corner is cut by at most its radius in each direction, and the interior is untouched.
    EXPECT_EQ(b.pixel(15, 10), kWhite);
    EXPECT_LE(CountKey(b), 2 * 6 * 6);
}

TEST(PixelLines, EndsAreIncludedAndDiagonalsStayOnePixelWide) {
    Bitmap b(5, 5, kWhite);
    PixelLine(b, {0, 0}, {4, 4}, kBlack);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(b.pixel(i, i), kBlack);
    EXPECT_EQ(CountKey(b), 0);
    int ink = 0;
    for (Pixel p : b.pixels())
        ink += p == kBlack;
    EXPECT_EQ(ink, 5);
}

TEST(Glyphs, TriangleRowsGrowByTwoFromTheTip) {
    Bitmap b(9, 9, kWhite);
    DrawTriangle(b, b.bounds(), Direction::Down, 7, kBlack);
    std::vector<int> widths;
    for (int y = 0; y < 9; ++y) {
        int n = 0;
        for (int x = 0; x < 9; ++x)
            n += b.pixel(x, y) == kBlack;
        if (n > 0) widths.push_back(n);
    }
    EXPECT_EQ(widths, (std::vector<int>{7, 5, 3, 1}));
}

TEST(Glyphs, CaptionGlyphsAreCentredAndCrisp) {
    for (CaptionGlyph g : {CaptionGlyph::Close, CaptionGlyph::Maximize, CaptionGlyph::Restore,
                           CaptionGlyph::Minimize, CaptionGlyph::Help}) {
        Bitmap b(21, 21, kWhite);
        DrawCaptionGlyph(b, b.bounds(), g, 9, kBlack);
        int left = 21, right = -1, top = 21, bottom = -1;
        for (int y = 0; y < 21; ++y) {
            for (int x = 0; x < 21; ++x) {
                const Pixel p = b.pixel(x, y);
                ASSERT_TRUE(p == kWhite || p == kBlack) << "no smoothing in caption glyphs";
                if (p != kBlack) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
        ASSERT_GE(right, 0);
        EXPECT_LE(std::abs((left + right) - 20), 1) << "glyph " << static_cast<int>(g);
        EXPECT_LE(right - left, 8) << "glyph " << static_cast<int>(g);
    }
}

} // namespace
} // namespace skingen
