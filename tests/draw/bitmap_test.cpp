#include "framework/rtl/exceptions.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/blit.h"
#include "skin/draw/colour.h"
#include "tests/draw/pixel_grid.h"

#include <gtest/gtest.h>

using namespace skin;
using skin::testing::Grid;
using skin::testing::Text;

TEST(Colour, ConvertsBetweenSkinColoursAndPixelsWithoutSwappingRedAndBlue) {
    const Colour orange = MakeColour(255, 128, 0); // 0x000080FF in the skin's encoding
    EXPECT_EQ(orange, 0x000080FFu);
    EXPECT_EQ(ColourToPixel(orange), 0x00FF8000u);
    EXPECT_EQ(RedOf(ColourToPixel(orange)), 255);
    EXPECT_EQ(BlueOf(ColourToPixel(orange)), 0);
    EXPECT_EQ(PixelToColour(ColourToPixel(0x00123456u)), 0x00123456u);
    EXPECT_EQ(kSkinKeyPixel, MakePixel(255, 0, 255));
}

TEST(Colour, SystemColoursGoThroughTheLookup) {
    constexpr Colour kWindowText = 0xFF000008u;
    EXPECT_TRUE(IsSystemColour(kWindowText));
    EXPECT_FALSE(IsSystemColour(0x00FFFFFFu));
    const SystemColourLookup lookup = [](int index) -> Colour {
        return index == 8 ? MakeColour(1, 2, 3) : 0;
    };
    EXPECT_EQ(ResolveColour(kWindowText, lookup), MakePixel(1, 2, 3));
    EXPECT_EQ(ResolveColour(MakeColour(9, 8, 7), lookup), MakePixel(9, 8, 7));
}

TEST(Bitmap, EmptyBitmapIsValidAndHasNoPixels) {
    Bitmap b;
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.pixels().size(), 0u);
    Bitmap copy = b;
    EXPECT_TRUE(copy.empty());
    b.set_size(3, 0);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(b.width(), 0);
}

TEST(Bitmap, SetSizeKeepsTheSharedTopLeftAreaAndZeroesNewPixels) {
    Bitmap b = Grid({"abc", "def"});
    b.set_size(4, 3);
    EXPECT_EQ(b.pixel(0, 0), Pixel('a'));
    EXPECT_EQ(b.pixel(2, 1), Pixel('f'));
    EXPECT_EQ(b.pixel(3, 0), 0u);
    EXPECT_EQ(b.pixel(0, 2), 0u);
    b.set_size(2, 1);
    EXPECT_EQ(Text(b), (std::vector<std::string>{"ab"}));
}

TEST(Bitmap, RefusesNegativeAndOversizedSizes) {
    Bitmap b;
    EXPECT_THROW(b.set_size(-1, 5), rtl::Exception);
    EXPECT_THROW(Bitmap(1 << 15, 1 << 15), rtl::Exception);
    EXPECT_TRUE(b.empty());
}

TEST(Bitmap, CopiesAreIndependentAndMovesLeaveAnEmptyBitmap) {
    Bitmap a = Grid({"ab"});
    Bitmap b = a;
    b.set_pixel(0, 0, 'z');
    EXPECT_EQ(a.pixel(0, 0), Pixel('a'));
    Bitmap c = std::move(b);
    EXPECT_TRUE(b.empty()); // NOLINT(bugprone-use-after-move): a moved-from bitmap is defined to be empty
    EXPECT_EQ(Text(c), (std::vector<std::string>{"zb"}));
    EXPECT_FALSE(a == c);
    c.set_pixel(0, 0, 'a');
    EXPECT_TRUE(a == c);
}

namespace {
// An allocator that counts what it makes, to see that a bitmap keeps the kind of its buffer.
struct CountingAllocator final : PixelAllocator {
    mutable int made = 0;
    std::unique_ptr<PixelBuffer> make(int width, int height) const override {
        ++made;
        return HeapPixelAllocator().make(width, height);
    }
};
} // namespace

TEST(Bitmap, KeepsItsAllocatorThroughResizeCopyAndRehome) {
    static CountingAllocator counting;
    Bitmap b = Grid({"ab", "cd"});
    b.rehome(counting);
    EXPECT_EQ(counting.made, 1);
    EXPECT_EQ(Text(b), (std::vector<std::string>{"ab", "cd"}));
    b.set_size(0, 0);
    b.set_size(3, 3);
    EXPECT_EQ(counting.made, 2);
    const Bitmap copy = b;
    EXPECT_EQ(counting.made, 3);
    EXPECT_EQ(&copy.allocator(), static_cast<const PixelAllocator*>(&counting));
}

TEST(Blit, CopyRectClipsAgainstBothBitmapsAndHandlesOverlapWithinOneBitmap) {
    Bitmap dst = skin::testing::Filled(4, 3, '.');
    const Bitmap src = Grid({"ab", "cd"});
    CopyRect(dst, {3, -1}, src, src.bounds());
    CopyRect(dst, {-1, 2}, src, {0, 0, 2, 5});
    EXPECT_EQ(Text(dst), (std::vector<std::string>{"...c", "....", "b..."}));
    Bitmap row = Grid({"abcde"});
    CopyRect(row, {1, 0}, row, {0, 0, 4, 1});
    EXPECT_EQ(Text(row), (std::vector<std::string>{"aabcd"}));
}
