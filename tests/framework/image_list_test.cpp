// Images drawn from an image list look exactly as the common controls draw them, in both looks, the first
// time and every time after, over any background; images the list cannot keep are still drawn right.
#include "framework/gui/handles.h"
#include "framework/gui/image_list.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kCell = 16;
constexpr int kWidth = 4 * kCell, kHeight = 3 * kCell;

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A 32-bit top-down DIB section and a device context drawing on it.
struct Canvas {
    gui::UniqueDc dc{CreateCompatibleDC(nullptr)};
    gui::UniqueBitmap bitmap;
    std::uint32_t* bits = nullptr;
    HGDIOBJ original = nullptr;

    Canvas() {
        const BITMAPINFO info = TopDown32(kWidth, kHeight);
        void* pixels = nullptr;
        bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
        bits = static_cast<std::uint32_t*>(pixels);
        original = SelectObject(dc.get(), bitmap.get());
        // A background of every colour, so a transparent pixel drawn as anything shows.
        for (int i = 0; i < kWidth * kHeight; ++i)
            bits[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
    ~Canvas() { SelectObject(dc.get(), original); }
    std::vector<std::uint32_t> Pixels() {
        GdiFlush();
        std::vector<std::uint32_t> pixels(bits, bits + kWidth * kHeight);
        for (auto& pixel : pixels)
            pixel &= 0xFFFFFF;
        return pixels;
    }
};

// Image 0: a masked image (a frame of one colour, a cross of another, the rest transparent); image 1: one
// with partly transparent pixels (alpha from 0 to 255 across it).
HIMAGELIST MakeList() {
    HIMAGELIST list = ImageList_Create(kCell, kCell, ILC_COLOR32 | ILC_MASK, 2, 0);
    std::vector<std::uint32_t> masked(kCell * kCell), alpha(kCell * kCell);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            const bool frame = x == 0 || y == 0 || x == kCell - 1 || y == kCell - 1,
                       cross = x == y || x + y == kCell - 1;
            masked[y * kCell + x] = frame ? 0x00204080 : cross ? 0x00F0C010 : 0x00FF00FF;
            const std::uint32_t a = static_cast<std::uint32_t>(x * 17);
            alpha[y * kCell + x] = a << 24 | (a * 0xC0 / 255) << 16 | (a * 0x40 / 255); // premultiplied
        }
    }
    const BITMAPINFO info = TopDown32(kCell, kCell);
    for (auto* pixels : {&masked, &alpha}) {
        void* bits = nullptr;
        const gui::UniqueBitmap image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        std::copy(pixels->begin(), pixels->end(), static_cast<std::uint32_t*>(bits));
        if (pixels == &masked) {
            ImageList_AddMasked(list, image.get(), RGB(255, 0, 255));
        } else {
            ImageList_Add(list, image.get(), nullptr);
        }
    }
    return list;
}

void DrawLikeTheSystem(HIMAGELIST list, HDC dc, int x, int y, int index, bool greyed) {
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = list;
    params.i = index;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_DEFAULT;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = greyed ? ILS_SATURATE : ILS_NORMAL;
    ImageList_DrawIndirect(&params);
}

TEST(ImageList, DrawsEveryImageInBothLooksExactlyAsTheCommonControlsDo) {
    gui::TImageList images;
    images.Adopt(MakeList());
    ASSERT_EQ(images.Count(), 2);
    Canvas ours, system;
    // Each image and look twice, at places of different backgrounds: once drawn by the system and kept,
    // then from what was kept.
    for (int round = 0; round < 2; ++round) {
        for (int index = 0; index < 2; ++index) {
            for (const bool greyed : {false, true}) {
                const int x = (index * 2 + (greyed ? 1 : 0)) * kCell, y = round * kCell + 3;
                images.Draw(ours.dc.get(), x, y, index, greyed);
                DrawLikeTheSystem(images.Handle(), system.dc.get(), x, y, index, greyed);
            }
        }
    }
    const std::vector<std::uint32_t> expected = system.Pixels(), actual = ours.Pixels();
    int differing = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        differing += expected[i] != actual[i];
    EXPECT_EQ(differing, 0) << "pixels unlike the system's";

    images.Draw(ours.dc.get(), 0, 0, 2);
    images.Draw(ours.dc.get(), 0, 0, -1);
    EXPECT_EQ(ours.Pixels(), actual) << "an index outside the list draws nothing";
}

} // namespace
