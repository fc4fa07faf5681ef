#include "skin/draw/region.h"
#include "tests/draw/pixel_grid.h"

#include <gtest/gtest.h>

using namespace skin;
using skin::testing::Grid;

namespace {
RegionRuns MagentaShape(const Bitmap& b, int dx = 0, int dy = 0) {
    return CreateRegionFromBitmap(b, dx, dy, kSkinKeyColour, 1, 1, 1);
}
} // namespace

TEST(CreateRegionFromBitmap, ToleranceCoversTheKeyAndTheValuesJustAboveIt) {
    Bitmap b(4, 1);
    b.set_pixel(0, 0, MakePixel(255, 0, 255));
    b.set_pixel(1, 0, MakePixel(255, 1, 255));
    b.set_pixel(2, 0, MakePixel(254, 0, 255));
    b.set_pixel(3, 0, MakePixel(255, 2, 255));
    const RegionRuns r = MagentaShape(b);
    EXPECT_FALSE(r.Contains({0, 0}));
    EXPECT_FALSE(r.Contains({1, 0}));
    EXPECT_TRUE(r.Contains({2, 0}));
    EXPECT_TRUE(r.Contains({3, 0}));
    EXPECT_EQ(r.Rects, (std::vector<Rect>{{2, 0, 4, 1}}));
}

TEST(CreateRegionFromBitmap, ToleranceRangeStopsAt255AndCountsPerChannel) {
    Bitmap b(3, 1);
    b.set_pixel(0, 0, MakePixel(10, 20, 30));
    b.set_pixel(1, 0, MakePixel(15, 20, 30));
    b.set_pixel(2, 0, MakePixel(9, 20, 30));
    const RegionRuns r = CreateRegionFromBitmap(b, 0, 0, MakeColour(10, 20, 30), 5, 0, 0);
    EXPECT_EQ(r.Rects, (std::vector<Rect>{{2, 0, 3, 1}}));
    // Key 250 with tolerance 255 on every channel: everything at or above 250 is transparent.
    Bitmap w(2, 1);
    w.set_pixel(0, 0, MakePixel(255, 255, 255));
    w.set_pixel(1, 0, MakePixel(249, 255, 255));
    EXPECT_EQ(CreateRegionFromBitmap(w, 0, 0, MakeColour(250, 250, 250), 255, 255, 255).Rects,
              (std::vector<Rect>{{1, 0, 2, 1}}));
}

TEST(CreateRegionFromBitmap, MakesOneRectanglePerRunMovedByTheOffset) {
    const Bitmap b = Grid({"aaaa", "#a#a", "####", "a##a"});
    const RegionRuns r = MagentaShape(b, 10, 20);
    EXPECT_EQ(r.Rects,
              (std::vector<Rect>{
                  {10, 20, 14, 21}, {11, 21, 12, 22}, {13, 21, 14, 22}, {10, 23, 11, 24}, {13, 23, 14, 24}}));
    EXPECT_TRUE(r.Contains({13, 23}));
    EXPECT_FALSE(r.Contains({12, 23}));
    EXPECT_FALSE(r.Contains({0, 0}));
}

TEST(CreateRegionFromBitmap, FullyTransparentOrEmptyBitmapGivesAnEmptyRegion) {
    EXPECT_TRUE(MagentaShape(Grid({"##", "##"})).IsEmpty());
    EXPECT_TRUE(MagentaShape(Bitmap()).IsEmpty());
    EXPECT_EQ(MagentaShape(Grid({"x"})).Rects, (std::vector<Rect>{{0, 0, 1, 1}}));
}

TEST(CreateRegionFromBitmap, ManyRunsComeOutInBandedOrderAndCoverExactlyTheShape) {
    // 3000 runs: a checkerboard of 60 x 100.
    Bitmap b(120, 50);
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x)
            b.set_pixel(x, y, (x + y) % 2 ? kSkinKeyPixel : 0);
    }
    const RegionRuns r = MagentaShape(b);
    ASSERT_EQ(r.Rects.size(), 3000u);
    for (std::size_t i = 1; i < r.Rects.size(); ++i) {
        const Rect& p = r.Rects[i - 1];
        const Rect& q = r.Rects[i];
        ASSERT_TRUE(p.Top < q.Top || (p.Top == q.Top && p.Right < q.Left)) << i;
    }
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x)
            ASSERT_EQ(r.Contains({x, y}), (x + y) % 2 == 0) << x << "," << y;
    }
}
