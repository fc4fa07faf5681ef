// The off-screen surfaces double-buffered paints borrow: what one painter leaves behind (pixels, selected
// objects, clipping, origin) never reaches the next, a paint inside a paint gets a surface of its own, and a
// larger paint gets a larger surface.
#include "framework/gui/offscreen_buffer.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// What the surface shows at (x, y).
COLORREF PixelAt(HDC dc, int x, int y) {
    return GetPixel(dc, x, y) & 0xFFFFFF;
}

TEST(BorrowedBuffer, EachBorrowerStartsFromABlackSurfaceInTheDefaultState) {
    // Outlives the borrow that selects it: given back deselected.
    const gui::UniqueFont font(
        CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    HGDIOBJ defaultFont = nullptr;
    {
        // A painter that leaves everything changed.
        const gui::BorrowedBuffer first(40, 30);
        ASSERT_TRUE(first);
        defaultFont = GetCurrentObject(first.get(), OBJ_FONT);
        PatBlt(first.get(), 0, 0, 40, 30, WHITENESS);
        EXPECT_EQ(PixelAt(first.get(), 39, 29), RGB(255, 255, 255));
        SelectObject(first.get(), font.get());
        SetViewportOrgEx(first.get(), 5, 5, nullptr);
        IntersectClipRect(first.get(), 0, 0, 2, 2);
    }
    const gui::BorrowedBuffer second(40, 30);
    ASSERT_TRUE(second);
    EXPECT_EQ(GetCurrentObject(second.get(), OBJ_FONT), defaultFont) << "the first painter's font is gone";
    POINT origin{};
    GetViewportOrgEx(second.get(), &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip{};
    EXPECT_EQ(GetClipBox(second.get(), &clip), SIMPLEREGION);
    EXPECT_GE(clip.right, 40) << "no clipping left over";
    EXPECT_GE(clip.bottom, 30);
    EXPECT_EQ(PixelAt(second.get(), 10, 10), RGB(0, 0, 0)) << "black, as a new bitmap";
    EXPECT_EQ(PixelAt(second.get(), 39, 29), RGB(0, 0, 0));
}

TEST(BorrowedBuffer, APaintInsideAPaintGetsASurfaceOfItsOwnAndLargerPaintsFit) {
    const gui::BorrowedBuffer outer(20, 20);
    ASSERT_TRUE(outer);
    const RECT all{0, 0, 20, 20};
    FillRect(outer.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        const gui::BorrowedBuffer inner(300, 200);
        ASSERT_TRUE(inner);
        EXPECT_NE(inner.get(), outer.get());
        const RECT large{0, 0, 300, 200};
        FillRect(inner.get(), &large, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(PixelAt(inner.get(), 299, 199), RGB(255, 255, 255)) << "the whole size is drawable";
    }
    EXPECT_EQ(PixelAt(outer.get(), 19, 19), RGB(255, 255, 255)) << "the outer paint kept its pixels";
}

} // namespace
