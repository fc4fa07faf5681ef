#include "skin/draw/skin_image.h"
#include "tests/draw/pixel_grid.h"

#include <gtest/gtest.h>

using namespace skin;
using skin::testing::Filled;
using skin::testing::Grid;
using skin::testing::Text;
using Rows = std::vector<std::string>;

namespace {
// A 3 x 3 frame cut by margins of 1 into one pixel per piece.
const Bitmap kNine = Grid({"abc", "def", "ghi"});
constexpr Rect kOnes{1, 1, 1, 1};
} // namespace

TEST(SkinFrameRect, StripOfFiftyWithFourFramesUsesTwelveColumnsPerFrame) {
    const Bitmap strip(50, 7);
    EXPECT_EQ(SkinFrameRect(strip, {.frameCount = 4}), (Rect{0, 0, 12, 7}));
    EXPECT_EQ(SkinFrameRect(strip, {.frame = 4, .frameCount = 4}), (Rect{36, 0, 48, 7}));
    EXPECT_EQ(SkinFrameRect(Bitmap(7, 50), {.frame = 3, .frameCount = 4, .vertical = true}),
              (Rect{0, 24, 7, 36}));
    // Columns 48 and 49 are never used: frame 4 rendered at its own size shows columns 36 to 47 only.
    Bitmap marked(50, 1);
    for (int x = 0; x < 50; ++x)
        marked.set_pixel(x, 0, Pixel(x));
    const Bitmap frame4 = RenderSkinImage({0, 0, 12, 1}, marked, {}, {.frame = 4, .frameCount = 4});
    EXPECT_EQ(frame4.pixel(0, 0), 36u);
    EXPECT_EQ(frame4.pixel(11, 0), 47u);
}

TEST(RenderSkinImage, KeepsCornersAndStretchesEdgesAndCentre) {
    EXPECT_EQ(Text(RenderSkinImage({10, 10, 15, 14}, kNine, kOnes, {})),
              (Rows{"abbbc", "deeef", "deeef", "ghhhi"}));
}

TEST(RenderSkinImage, SelectsTheFrameOfHorizontalAndVerticalStrips) {
    const Bitmap across = Grid({"abcABC", "defDEF", "ghiGHI"});
    EXPECT_EQ(Text(RenderSkinImage({0, 0, 4, 3}, across, kOnes, {.frame = 2, .frameCount = 2})),
              (Rows{"ABBC", "DEEF", "GHHI"}));
    const Bitmap stacked = Grid({"abc", "def", "ghi", "ABC", "DEF", "GHI"});
    EXPECT_EQ(
        Text(RenderSkinImage({0, 0, 3, 4}, stacked, kOnes, {.frame = 2, .frameCount = 2, .vertical = true})),
        (Rows{"ABC", "DEF", "DEF", "GHI"}));
}

TEST(RenderSkinImage, CollapsesBothSideMarginsWhenNarrowerThanTheirSum) {
    // Frame 6 wide with LeftWidth = RightWidth = 2: at W = 3 = L + R - 1 the whole frame width is
    // stretched to 3 columns, top edge and centre alike.
    const Bitmap frame = Grid({"ABCDEF", "abcdef", "123456"});
    const Rect margins{2, 1, 2, 1};
    EXPECT_EQ(Text(RenderSkinImage({0, 0, 3, 3}, frame, margins, {})), (Rows{"BDF", "bdf", "246"}));
    // At W = L + R nothing collapses: the centre and the top and bottom edges are 0 wide.
    EXPECT_EQ(Text(RenderSkinImage({0, 0, 4, 3}, frame, margins, {})), (Rows{"ABEF", "abef", "1256"}));
}

TEST(RenderSkinImage, CollapsesTopAndBottomMarginsIndependentlyOfTheSides) {
    const Bitmap frame = Grid({"abc", "def", "ghi", "jkl"});
    const Rect margins{1, 2, 1, 2};
    // H = 3 < T + B = 4: rows collapse (the whole frame height is stretched), columns keep their margins.
    const Bitmap r = RenderSkinImage({0, 0, 4, 3}, frame, margins, {});
    EXPECT_EQ(Text(r), (Rows{"abbc", "deef", "jkkl"}));
}

TEST(RenderSkinImage, TilesTheCentreAndLetsTheLaterPiecesCoverTheOverflow) {
    // L = R = 2, centre 10 wide, destination centre 25 wide: tiles at L, L + 10, L + 20; the third
    // would reach past W - R, where the right edge is drawn after it.
    const Bitmap frame = Grid({"LL0123456789RR"});
    const Rect margins{2, 0, 2, 0};
    const Bitmap tiled = RenderSkinImage({0, 0, 29, 1}, frame, margins, {.tile = true});
    EXPECT_EQ(Text(tiled), (Rows{"LL0123456789012345678901234RR"}));
    // Edges are stretched also when the centre is tiled.
    const Bitmap nine = Grid({"aTTb", "LccR", "LddR", "eBBf"});
    EXPECT_EQ(Text(RenderSkinImage({0, 0, 6, 5}, nine, kOnes, {.tile = true})),
              (Rows{"aTTTTb", "LccccR", "LddddR", "LccccR", "eBBBBf"}));
}

TEST(RenderSkinImage, TilesWithBottomMarginZeroAreCutByTheBitmapItself) {
    const Bitmap frame = Grid({"ab", "cd"});
    const Bitmap tiled = RenderSkinImage({0, 0, 3, 3}, frame, {}, {.tile = true});
    EXPECT_EQ(Text(tiled), (Rows{"aba", "cdc", "aba"}));
}

TEST(RenderSkinImage, CentreWithoutSourcePixelsKeepsTheNewBitmapsContent) {
    // A frame exactly L + R wide has no centre to stretch or tile.
    const Bitmap frame = Grid({"ab"});
    for (bool tile : {false, true}) {
        const Bitmap r = RenderSkinImage({0, 0, 4, 1}, frame, {1, 0, 1, 0}, {.tile = tile});
        EXPECT_EQ(r.pixel(0, 0), Pixel('a'));
        EXPECT_EQ(r.pixel(1, 0), 0u);
        EXPECT_EQ(r.pixel(2, 0), 0u);
        EXPECT_EQ(r.pixel(3, 0), Pixel('b'));
    }
}

TEST(DrawSkinImage, TransparentCopyLeavesKeyPixelsAndDrawsNearKeyPixels) {
    Bitmap image = Grid({"#x#"});
    image.set_pixel(2, 0, MakePixel(255, 1, 255));
    Bitmap dst = Filled(5, 1, '.');
    DrawSkinImage(dst, {1, 0, 4, 1}, image, {}, {.transparent = true});
    EXPECT_EQ(dst.pixel(1, 0), Pixel('.'));
    EXPECT_EQ(dst.pixel(2, 0), Pixel('x'));
    EXPECT_EQ(dst.pixel(3, 0), MakePixel(255, 1, 255));
    DrawSkinImage(dst, {1, 0, 4, 1}, image, {}, {});
    EXPECT_EQ(dst.pixel(1, 0), kSkinKeyPixel);
}

TEST(DrawSkinImage, InvertedRectanglesDrawNothingButEmptyOnesAreFine) {
    Bitmap dst = Filled(3, 3, '.');
    const Bitmap before = dst;
    DrawSkinImage(dst, {2, 0, 1, 3}, kNine, kOnes, {});
    DrawSkinImage(dst, {0, 2, 3, 1}, kNine, kOnes, {.transparent = true});
    DrawSkinImage(dst, {1, 1, 1, 1}, kNine, kOnes, {});
    EXPECT_EQ(dst, before);
    EXPECT_TRUE(RenderSkinImage({5, 5, 4, 9}, kNine, kOnes, {}).empty());
}

TEST(DrawSkinBar, RepeatsTheMiddleAndDrawsTheRightEndLast) {
    const Bitmap bar = Grid({"LmnR", "LmnR"});
    Bitmap dst = Filled(7, 3, '.');
    DrawSkinBar(dst, {0, 0, 7, 3}, bar, {1, 0, 1, 0}, {});
    EXPECT_EQ(Text(dst), (Rows{"LmnmnmR", "LmnmnmR", "LmnmnmR"}));
}

TEST(DrawSkinBar, WhenNarrowerThanBothEndsTheRightEndOverlapsTheLeft) {
    const Bitmap bar = Grid({"abcmXYZ"});
    Bitmap dst = Filled(6, 1, '.');
    DrawSkinBar(dst, {1, 0, 5, 1}, bar, {3, 0, 3, 0}, {});
    EXPECT_EQ(Text(dst), (Rows{".aXYZ."}));
}

TEST(DrawSkinBar, FrameWithoutMiddleEndsAndLeavesTheGapToTheWorkBitmap) {
    const Bitmap bar = Grid({"ab"});
    Bitmap dst = Filled(5, 1, '.');
    DrawSkinBar(dst, {0, 0, 5, 1}, bar, {1, 0, 1, 0}, {.transparent = true});
    EXPECT_EQ(dst.pixel(0, 0), Pixel('a'));
    EXPECT_EQ(dst.pixel(2, 0), 0u);
    EXPECT_EQ(dst.pixel(4, 0), Pixel('b'));
}

TEST(DrawSkinBar, TransparentVerticalStripUsesItsFrameAndKeepsKeyPixelsOut) {
    const Bitmap strip = Grid({"a#b", "c#d"}); // two frames stacked: "a#b" and "c#d"
    Bitmap dst = Filled(4, 2, '.');
    DrawSkinBar(dst, {0, 0, 4, 2}, strip, {1, 0, 1, 0},
                {.frame = 2, .frameCount = 2, .transparent = true, .vertical = true});
    EXPECT_EQ(Text(dst), (Rows{"c..d", "c..d"}));
}

TEST(DrawSkinBorder, DrawsTheEightOuterPiecesAtTheRectAndNeverTheCentre) {
    Bitmap dst = Filled(6, 5, '.');
    DrawSkinBorder(dst, {1, 1, 5, 5}, kNine, kOnes, {});
    EXPECT_EQ(Text(dst), (Rows{"......", ".abbc.", ".d..f.", ".d..f.", ".ghhi."}));
}

TEST(DrawSkinFrame, StretchesOneWholeFrameOfAHorizontalStrip) {
    const Bitmap strip = Grid({"ab#dXY", "cd#fZW"});
    Bitmap dst = Filled(4, 2, '.');
    DrawSkinFrame(dst, {0, 0, 4, 2}, strip, {.frame = 2, .frameCount = 3, .transparent = true});
    EXPECT_EQ(Text(dst), (Rows{"..dd", "..ff"}));
    DrawSkinFrame(dst, {0, 0, 2, 1}, strip, {.frame = 3, .frameCount = 3});
    EXPECT_EQ(Text(dst), (Rows{"XYdd", "..ff"}));
}

TEST(DrawTransparent, CopiesTheRectSizeFromTheBitmapOriginUnscaled) {
    const Bitmap src = Grid({"a#c", "def"});
    Bitmap dst = Filled(4, 3, '.');
    DrawTransparent(dst, {1, 1, 3, 3}, src, kSkinKeyColour);
    EXPECT_EQ(Text(dst), (Rows{"....", ".a..", ".de."}));
    DrawTransparent(dst, {3, 0, 2, 2}, src, kSkinKeyColour);
    EXPECT_EQ(Text(dst), (Rows{"....", ".a..", ".de."}));
}

TEST(TileBitmap, RepeatsTheSourceAndRunsPastTheDestinationEdges) {
    const Bitmap src = Grid({"xxxx", "xabx", "xcdx"});
    Bitmap dst = Filled(6, 5, '.');
    TileBitmap(dst, {1, 1, 4, 3}, src, {1, 1, 3, 3});
    EXPECT_EQ(Text(dst), (Rows{"......", ".abab.", ".cdcd.", "......", "......"}));
    TileBitmap(dst, {0, 3, 1, 4}, src, {1, 1, 3, 3});
    EXPECT_EQ(Text(dst), (Rows{"......", ".abab.", ".cdcd.", "ab....", "cd...."}));
}

TEST(TileBitmap, EmptyOrInvertedSourceDrawsNothingAndFarTilesAreSkipped) {
    const Bitmap src = Grid({"ab"});
    Bitmap dst = Filled(3, 1, '.');
    TileBitmap(dst, {0, 0, 3, 1}, src, {1, 0, 1, 1});
    TileBitmap(dst, {0, 0, 3, 1}, src, {2, 0, 1, 1});
    EXPECT_EQ(Text(dst), (Rows{"..."}));
    // A destination starting far to the left still tiles with its own phase.
    TileBitmap(dst, {-1001, 0, 3, 1}, src, src.bounds());
    EXPECT_EQ(Text(dst), (Rows{"bab"}));
}
