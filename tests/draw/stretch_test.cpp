#include "skin/draw/blit.h"
#include "tests/draw/pixel_grid.h"

#include <gtest/gtest.h>

using namespace skin;
using skin::testing::Grid;
using skin::testing::Text;
using Map = std::vector<int>;

// Mappings measured on the platform's StretchBlt with COLORONCOLOR (the Windows-side differential test
// checks hundreds more).
TEST(StretchAxisMap, GrowingRepeatsEachSourcePixelWhereTheDestinationCentreFalls) {
    EXPECT_EQ(StretchAxisMap(3, 7, true), (Map{0, 0, 1, 1, 1, 2, 2}));
    EXPECT_EQ(StretchAxisMap(2, 5, false), (Map{0, 0, 0, 1, 1}));
    EXPECT_EQ(StretchAxisMap(1, 4, true), (Map{0, 0, 0, 0}));
    EXPECT_EQ(StretchAxisMap(5, 5, false), (Map{0, 1, 2, 3, 4}));
}

TEST(StretchAxisMap, ShrinkingColumnsKeepsTheLastColumnOfEachGroup) {
    EXPECT_EQ(StretchAxisMap(24, 7, true), (Map{2, 6, 9, 13, 16, 20, 23}));
    EXPECT_EQ(StretchAxisMap(7, 3, true), (Map{1, 4, 6}));
    EXPECT_EQ(StretchAxisMap(5, 2, true), (Map{2, 4}));
    EXPECT_EQ(StretchAxisMap(6, 1, true), (Map{4}));
    EXPECT_EQ(StretchAxisMap(2, 1, true), (Map{0}));
}

TEST(StretchAxisMap, ShrinkingRowsKeepsTheFirstRowOfEachGroup) {
    EXPECT_EQ(StretchAxisMap(24, 7, false), (Map{0, 3, 7, 10, 14, 17, 21}));
    EXPECT_EQ(StretchAxisMap(7, 3, false), (Map{0, 2, 5}));
    EXPECT_EQ(StretchAxisMap(5, 2, false), (Map{0, 3}));
    EXPECT_EQ(StretchAxisMap(6, 1, false), (Map{0}));
}

TEST(StretchAxisMap, EveryMappingStaysInsideTheSourceAndNeverGoesBack) {
    for (int s = 1; s <= 70; ++s) {
        for (int d = 1; d <= 70; ++d) {
            for (bool columns : {true, false}) {
                const Map m = StretchAxisMap(s, d, columns);
                ASSERT_EQ(m.size(), std::size_t(d));
                for (std::size_t i = 0; i < m.size(); ++i) {
                    ASSERT_TRUE(m[i] >= 0 && m[i] < s) << s << "->" << d;
                    if (i > 0) {
                        ASSERT_LE(m[i - 1], m[i]) << s << "->" << d;
                    }
                }
            }
        }
    }
}

TEST(StretchCopy, StretchesWholeRowsAndColumnsWithoutBlending) {
    const Bitmap src = Grid({"ab", "cd"});
    Bitmap dst = skin::testing::Filled(5, 4, '.');
    StretchCopy(dst, {1, 0, 5, 4}, src, src.bounds());
    EXPECT_EQ(Text(dst), (std::vector<std::string>{".aabb", ".aabb", ".ccdd", ".ccdd"}));
}

TEST(StretchCopy, DrawsNothingForEmptyRectanglesAndNeverReadsOutsideTheSource) {
    const Bitmap src = Grid({"abc"});
    Bitmap dst = skin::testing::Filled(3, 1, '.');
    StretchCopy(dst, {0, 0, 0, 1}, src, src.bounds());
    StretchCopy(dst, {0, 0, 3, 1}, src, {1, 0, 1, 1});
    StretchCopy(dst, {0, 0, 3, 1}, src, {3, 0, 1, 1}); // inverted source
    EXPECT_EQ(Text(dst), (std::vector<std::string>{"..."}));
    // A source partly outside the image: the columns that would come from outside keep the destination.
    StretchCopy(dst, {0, 0, 3, 1}, src, {-1, 0, 2, 1});
    EXPECT_EQ(Text(dst), (std::vector<std::string>{".ab"}));
}

TEST(StretchCopy, ClipsToTheDestinationWithoutShiftingTheMapping) {
    const Bitmap src = Grid({"abcd"});
    Bitmap dst = skin::testing::Filled(3, 1, '.');
    StretchCopy(dst, {-4, 0, 4, 1}, src, src.bounds()); // 4 -> 8, of which columns 4..6 show
    EXPECT_EQ(Text(dst), (std::vector<std::string>{"ccd"}));
}
