#include "skin/draw/bitmap_transforms.h"
#include "tests/draw/pixel_grid.h"

#include <gtest/gtest.h>

using namespace skin;
using skin::testing::Grid;
using skin::testing::Text;
using Rows = std::vector<std::string>;

TEST(BitmapTransforms, ThreeByTwoImageMovesAsTheMappingsSay) {
    const Bitmap source = Grid({"123", "456"});
    Bitmap b = source;
    MirrorBitmap(b);
    EXPECT_EQ(Text(b), (Rows{"321", "654"}));
    b = source;
    FlipBitmap(b);
    EXPECT_EQ(Text(b), (Rows{"456", "123"}));
    b = source;
    RotateBitmapLeft(b);
    EXPECT_EQ(Text(b), (Rows{"36", "25", "14"}));
    b = source;
    RotateBitmapRight(b);
    EXPECT_EQ(Text(b), (Rows{"41", "52", "63"}));
}

TEST(BitmapTransforms, LeftThenRightRotationGivesBackTheImageAndSize) {
    const Bitmap source = Grid({"abcde", "fghij", "klmno"});
    Bitmap b = source;
    RotateBitmapLeft(b);
    EXPECT_EQ(b.width(), 3);
    EXPECT_EQ(b.height(), 5);
    RotateBitmapRight(b);
    EXPECT_EQ(b, source);
    MirrorBitmap(b);
    MirrorBitmap(b);
    FlipBitmap(b);
    FlipBitmap(b);
    EXPECT_EQ(b, source);
}

TEST(BitmapTransforms, SinglePixelAndEmptyImagesAreUnchanged) {
    const Bitmap one = Grid({"x"});
    for (auto transform : {MirrorBitmap, FlipBitmap, RotateBitmapLeft, RotateBitmapRight}) {
        Bitmap b = one;
        transform(b);
        EXPECT_EQ(b, one);
        Bitmap empty;
        transform(empty);
        EXPECT_TRUE(empty.empty());
    }
}

TEST(BitmapTransforms, OddHeightFlipKeepsTheMiddleRow) {
    Bitmap b = Grid({"a", "b", "c"});
    FlipBitmap(b);
    EXPECT_EQ(Text(b), (Rows{"c", "b", "a"}));
}
