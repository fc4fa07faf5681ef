#include "framework/rtl/exceptions.h"
#include "skin/draw/image_scaling.h"
#include "tests/draw/pixel_grid.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace skin;
using skin::testing::Grid;
using skin::testing::PixelOf;
using skin::testing::Text;
using Rows = std::vector<std::string>;

namespace {

constexpr ScaleRatio k125{120, 96};
constexpr ScaleRatio k150{144, 96};
constexpr ScaleRatio k200{192, 96};

std::set<Pixel> PixelsIn(const Bitmap& b, const Rect& area) {
    std::set<Pixel> seen;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            seen.insert(b.pixel(x, y));
    }
    return seen;
}

} // namespace

TEST(ScaleLength, RoundsHalfAwayFromZeroLikeMulDiv) {
    EXPECT_EQ(ScaleLength(3, k125), 4); // 3.75
    EXPECT_EQ(ScaleLength(5, k125), 6); // 6.25
    EXPECT_EQ(ScaleLength(2, k125), 3); // 2.5
    EXPECT_EQ(ScaleLength(-2, k125), -3);
    EXPECT_EQ(ScaleLength(7, k150), 11); // 10.5
    EXPECT_EQ(ScaleLength(19, k200), 38);
    EXPECT_EQ(ScaleLength(0x7FFFFFFF, k200), 0x7FFFFFFF) << "kept in range, not wrapped";
    EXPECT_THROW(ScaleLength(1, ScaleRatio{0, 96}), rtl::Exception);
    EXPECT_THROW(ScaleLength(1, ScaleRatio{96, -1}), rtl::Exception);
}

TEST(ScaleSkinImage, WholeNumberRatioMakesEveryPixelABlockAndDropsTheUnusedColumn) {
    // Two frames of two columns and one column past the last frame.
    const Bitmap strip = Grid({"ab#dz", "ef#hz"});
    const Bitmap scaled = ScaleSkinImage(strip, k200, {.frameCount = 2, .margins = {1, 1, 1, 1}});
    EXPECT_EQ(Text(scaled), (Rows{"aabb##dd", "aabb##dd", "eeff##hh", "eeff##hh"}));
}

TEST(ScaleSkinImage, IdentityGivesTheUsedFramesUnchanged) {
    const Bitmap strip = Grid({"abcz", "defz"});
    EXPECT_EQ(Text(ScaleSkinImage(strip, ScaleRatio{96, 96}, {.frameCount = 3})), (Rows{"abc", "def"}));
    EXPECT_TRUE(ScaleSkinImage(Bitmap(), k150, {}).empty());
    EXPECT_TRUE(ScaleSkinImage(Grid({"ab"}), k150, {.frameCount = 3}).empty()) << "fewer columns than frames";
}

TEST(ScaleSkinImage, FramesScaleOneByOneWithoutBleedingIntoEachOther) {
    // Three frames of 5 x 4 pixels, each one plain colour; at 1.25 and 1.5 no frame may show another's.
    Bitmap strip(15, 4);
    const Pixel colours[] = {PixelOf('a'), PixelOf('m'), PixelOf('z')};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 15; ++x)
            strip.set_pixel(x, y, colours[x / 5]);
    }
    for (const ScaleRatio ratio : {k125, k150}) {
        SCOPED_TRACE(ratio.Numerator);
        const Bitmap scaled = ScaleSkinImage(strip, ratio, {.frameCount = 3, .margins = {1, 1, 1, 1}});
        const int frame = ScaleLength(5, ratio);
        ASSERT_EQ(scaled.width(), 3 * frame);
        ASSERT_EQ(scaled.height(), ScaleLength(4, ratio));
        for (int f = 0; f < 3; ++f) {
            EXPECT_EQ(PixelsIn(scaled, Rect{f * frame, 0, (f + 1) * frame, scaled.height()}),
                      std::set<Pixel>{colours[f]})
                << "frame " << f;
        }
    }
    // Stacked frames likewise.
    Bitmap stacked(4, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 4; ++x)
            stacked.set_pixel(x, y, colours[y / 5]);
    }
    const Bitmap scaled = ScaleSkinImage(stacked, k150, {.frameCount = 2, .vertical = true});
    ASSERT_EQ(scaled.height(), 2 * ScaleLength(5, k150));
    EXPECT_EQ(PixelsIn(scaled, Rect{0, 0, 6, 8}), std::set<Pixel>{colours[0]});
    EXPECT_EQ(PixelsIn(scaled, Rect{0, 8, 6, 16}), std::set<Pixel>{colours[1]});
}

TEST(ScaleSkinImage, MarginsKeepTheirPixelsWhileTheMiddleIsSmoothed) {
    // Margins of 2 in a solid colour; the middle a ramp the scaling must interpolate.
    Bitmap image(10, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 10; ++x)
            image.set_pixel(
                x, y, x < 2 || x >= 8 ? 0x00400000 : MakePixel(0, 0, static_cast<std::uint8_t>(40 * x)));
    }
    const Bitmap scaled = ScaleSkinImage(image, k150, {.margins = {2, 0, 2, 0}});
    ASSERT_EQ(scaled.width(), 15);
    EXPECT_EQ(PixelsIn(scaled, Rect{0, 0, 3, 3}), std::set<Pixel>{0x00400000}) << "left margin";
    EXPECT_EQ(PixelsIn(scaled, Rect{12, 0, 15, 3}), std::set<Pixel>{0x00400000}) << "right margin";
    const std::set<Pixel> middle = PixelsIn(scaled, Rect{3, 0, 12, 1});
    EXPECT_FALSE(middle.contains(0x00400000)) << "the margins' colour does not run into the middle";
    const std::set<Pixel> source = PixelsIn(image, Rect{2, 0, 8, 1});
    const bool blended =
        std::any_of(middle.begin(), middle.end(), [&](Pixel p) { return !source.contains(p); });
    EXPECT_TRUE(blended) << "the stretched middle is interpolated, not repeated";
}

TEST(ScaleSkinImage, KeyColourStaysExactAndNeverTintsItsNeighbours) {
    // Key pixels scattered among two blues: a blend with magenta would show red or green.
    const Bitmap image = Grid({"ab#ab#ab", "#ab#aa##", "ab#ba#ab", "bbaa#a#b", "a#b#b#a#"});
    for (const ScaleRatio ratio : {k125, k150}) {
        SCOPED_TRACE(ratio.Numerator);
        const Bitmap scaled = ScaleSkinImage(image, ratio, {.margins = {1, 1, 1, 1}});
        int keys = 0;
        for (int y = 0; y < scaled.height(); ++y) {
            for (int x = 0; x < scaled.width(); ++x) {
                const Pixel p = scaled.pixel(x, y);
                if (p == kSkinKeyPixel) {
                    ++keys;
                    continue;
                }
                EXPECT_EQ(p & 0xFFFF00u, 0u) << "at " << x << "," << y;
            }
        }
        EXPECT_GT(keys, 0) << "the transparent parts are still there";
    }
}
