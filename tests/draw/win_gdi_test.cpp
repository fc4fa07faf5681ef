// The Windows edge against the platform itself: the system's StretchBlt, MaskBlt destinations, regions and
// BMP loading are the oracle for the portable pixel code.
#include "skin/draw/blit.h"
#include "skin/draw/bmp_reader.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/dc_drawing.h"
#include "skin/draw/win/gdi_handles.h"
#include "skin/draw/win/gdi_region.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace skin;
using namespace skin::win;

namespace {

Bitmap RandomBitmap(std::mt19937& random, int w, int h) {
    Bitmap b(w, h);
    for (Pixel& p : b.pixels())
        p = random() & kPixelRgbMask;
    return b;
}

// What the device context shows in rect, read back into a bitmap.
Bitmap ReadBack(HDC dc, const Rect& rect) {
    Bitmap b(DibPixelAllocator(), rect.Width(), rect.Height());
    CopyFromDc(b, {0, 0}, dc, rect);
    for (Pixel& p : b.pixels())
        p &= kPixelRgbMask;
    return b;
}

std::string Describe(const Bitmap& expected, const Bitmap& actual) {
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y)) {
                char text[96];
                std::snprintf(text, sizeof text, "first difference at (%d, %d): expected %06lX, got %06lX", x,
                              y, static_cast<unsigned long>(expected.pixel(x, y)),
                              static_cast<unsigned long>(actual.pixel(x, y)));
                return text;
            }
        }
    }
    return "sizes differ";
}

class TestWindow {
  public:
    TestWindow(int w, int h) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SkinDrawTestWindow";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"SkinDrawTestWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  w, h, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
        MSG msg;
        for (int i = 0; i < 20; ++i) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(10);
        }
    }
    ~TestWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

} // namespace

TEST(WinStretch, MatchesStretchBltInColorOnColorModeForRandomSizes) {
    std::mt19937 random(7);
    const UniqueDc screenLike(CreateCompatibleDC(nullptr));
    int differing = 0;
    for (int round = 0; round < 400; ++round) {
        const int sw = 1 + int(random() % 40), sh = 1 + int(random() % 40);
        Bitmap source = RandomBitmap(random, sw, sh);
        const int sx = int(random() % unsigned(sw)), sy = int(random() % unsigned(sh));
        const Rect srcRect{sx, sy, sx + 1 + int(random() % unsigned(sw - sx)),
                           sy + 1 + int(random() % unsigned(sh - sy))};
        const int dw = 1 + int(random() % 90), dh = 1 + int(random() % 90);
        // The destination rectangle may stick out of the destination bitmap on any side.
        const Rect dstRect = MakeRect(int(random() % 20) - 5, int(random() % 20) - 5, dw, dh);
        Bitmap expected(DibPixelAllocator(), 60, 60);
        expected.fill(0x123456);
        Bitmap actual = expected;
        StretchCopy(expected, dstRect, source, srcRect);
        {
            BitmapDc from(source);
            BitmapDc to(actual);
            StretchBlt(to.get(), dstRect.Left, dstRect.Top, dw, dh, from.get(), srcRect.Left, srcRect.Top,
                       srcRect.Width(), srcRect.Height(), SRCCOPY);
        }
        for (Pixel& p : actual.pixels())
            p &= kPixelRgbMask;
        if (!(expected == actual)) {
            ++differing;
            ADD_FAILURE() << sw << "x" << sh << " [" << srcRect.Left << "," << srcRect.Top << " "
                          << srcRect.Width() << "x" << srcRect.Height() << "] -> " << dw << "x" << dh
                          << " at " << dstRect.Left << "," << dstRect.Top << ": "
                          << Describe(expected, actual);
            if (differing > 5) return;
        }
    }
}

TEST(WinDrawTransparent, OnlyNonKeyPixelsChangeOnAMemoryDcAndOnAWindowDc) {
    std::mt19937 random(11);
    Bitmap image = RandomBitmap(random, 37, 23);
    for (Pixel& p : image.pixels()) {
        if (random() % 3 == 0) p = kSkinKeyPixel;
    }
    image.set_pixel(1, 1, MakePixel(255, 1, 255)); // near the key: drawn
    const Bitmap background = RandomBitmap(random, 48, 30);
    const Rect rect{5, 3, 42, 26};
    Bitmap expected = background;
    DrawTransparent(expected, rect, image, kSkinKeyColour);

    Bitmap memory = background;
    {
        BitmapDc dc(memory);
        win::DrawTransparent(dc.get(), rect, image, kSkinKeyColour);
    }
    for (Pixel& p : memory.pixels())
        p &= kPixelRgbMask;
    EXPECT_TRUE(expected == memory) << Describe(expected, memory);

    TestWindow window(48, 30);
    WindowDc dc(window.get());
    ASSERT_TRUE(dc);
    CopyToDc(dc.get(), 0, 0, background, background.bounds());
    win::DrawTransparent(dc.get(), rect, image, kSkinKeyColour);
    const Bitmap shown = ReadBack(dc.get(), background.bounds());
    EXPECT_TRUE(expected == shown) << Describe(expected, shown);
}

TEST(WinDcDrawing, ComposedPrimitivesReachTheDcAsTheyDoOnABitmap) {
    std::mt19937 random(5);
    Bitmap strip = RandomBitmap(random, 30, 12);
    for (int y = 0; y < 12; ++y)
        strip.set_pixel(y, y, kSkinKeyPixel);
    const Bitmap background = RandomBitmap(random, 80, 50);
    Bitmap expected = background;
    DrawSkinImage(expected, {2, 2, 70, 30}, strip, {3, 2, 4, 3},
                  {.frame = 2, .frameCount = 3, .transparent = true, .tile = true});
    DrawSkinBar(expected, {0, 31, 79, 40}, strip, {2, 0, 2, 0}, {.frameCount = 2, .vertical = true});
    DrawSkinFrame(expected, {60, 40, 80, 50}, strip, {.frame = 3, .frameCount = 3, .transparent = true});
    Bitmap actual = background;
    {
        BitmapDc dc(actual);
        win::DrawSkinImage(dc.get(), {2, 2, 70, 30}, strip, {3, 2, 4, 3},
                           {.frame = 2, .frameCount = 3, .transparent = true, .tile = true});
        win::DrawSkinBar(dc.get(), {0, 31, 79, 40}, strip, {2, 0, 2, 0}, {.frameCount = 2, .vertical = true});
        win::DrawSkinFrame(dc.get(), {60, 40, 80, 50}, strip,
                           {.frame = 3, .frameCount = 3, .transparent = true});
    }
    for (Pixel& p : actual.pixels())
        p &= kPixelRgbMask;
    EXPECT_TRUE(expected == actual) << Describe(expected, actual);
}

TEST(WinRegion, RegionFromBitmapEqualsTheNonKeyMaskPixelByPixel) {
    std::mt19937 random(3);
    Bitmap b(61, 47);
    for (Pixel& p : b.pixels()) {
        const unsigned r = random() % 4;
        p = r == 0   ? MakePixel(255, 0, 255)
            : r == 1 ? MakePixel(255, 1, 255)
            : r == 2 ? MakePixel(254, 0, 255)
                     : 0x00808080;
    }
    const UniqueRegion region = win::CreateRegionFromBitmap(b, 7, 9, kSkinKeyColour, 1, 1, 1);
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            const Pixel p = b.pixel(x, y);
            const bool shape = p != MakePixel(255, 0, 255) && p != MakePixel(255, 1, 255);
            ASSERT_EQ(PtInRegion(region.get(), x + 7, y + 9) != FALSE, shape) << x << "," << y;
        }
    }
    EXPECT_FALSE(PtInRegion(region.get(), 6, 9));
}

TEST(WinRegion, ManyBatchesGiveTheRegionOfOneBatchAndNoRunsGiveAnEmptyRegion) {
    Bitmap b(300, 60);
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x)
            b.set_pixel(x, y, (x / 2 + y) % 2 ? kSkinKeyPixel : 0);
    }
    const RegionRuns runs = skin::CreateRegionFromBitmap(b, 0, 0, kSkinKeyColour, 1, 1, 1);
    ASSERT_GT(runs.Rects.size(), 2 * kRegionBatch);
    const UniqueRegion batched = CreateGdiRegion(runs);
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.Rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    *header = {sizeof(RGNDATAHEADER),
               RDH_RECTANGLES,
               DWORD(runs.Rects.size()),
               DWORD(runs.Rects.size() * sizeof(RECT)),
               {0, 0, 300, 60}};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < runs.Rects.size(); ++i) {
        rects[i] = {runs.Rects[i].Left, runs.Rects[i].Top, runs.Rects[i].Right, runs.Rects[i].Bottom};
    }
    const UniqueRegion single(
        ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
    ASSERT_TRUE(single);
    EXPECT_TRUE(EqualRgn(batched.get(), single.get()));

    const UniqueRegion empty =
        win::CreateRegionFromBitmap(Bitmap(5, 5, kSkinKeyPixel), 0, 0, kSkinKeyColour, 1, 1, 1);
    RECT box;
    EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);
}

TEST(WinBitmapDc, GdiTextLandsInTheBitmapAndCopiesOutInOneOperation) {
    Bitmap b(60, 20, 0x00FFFFFF);
    {
        BitmapDc dc(b);
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), RGB(0, 0, 0));
        TextOutW(dc.get(), 2, 2, L"Wg", 2);
    }
    std::size_t dark = 0;
    for (Pixel p : b.pixels())
        dark += (p & kPixelRgbMask) != 0x00FFFFFF;
    EXPECT_GT(dark, 10u);
    b.set_size(70, 20); // a DIB-backed bitmap stays DIB-backed when resized
    EXPECT_EQ(&b.allocator(), &DibPixelAllocator());

    Bitmap target(DibPixelAllocator(), 80, 30);
    {
        BitmapDc dc(target);
        CopyToDc(dc.get(), 5, 4, b, {10, 3, 40, 15});
    }
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(target.pixel(5 + x, 4 + y) & kPixelRgbMask, b.pixel(10 + x, 3 + y) & kPixelRgbMask);
    }
    EXPECT_EQ(target.pixel(4, 4), 0u);
    EXPECT_EQ(target.pixel(35, 4), 0u);
}

TEST(WinBitmapDc, RepeatedPaintsLeakNoGdiObjects) {
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (before == 0) GTEST_SKIP() << "GDI object count not available";
    Bitmap strip(30, 10, 0x00336699);
    strip.set_pixel(3, 3, kSkinKeyPixel);
    Bitmap target(100, 40);
    for (int i = 0; i < 1000; ++i) {
        BitmapDc dc(target);
        win::DrawSkinImage(dc.get(), {0, 0, 90, 30}, strip, {2, 2, 2, 2}, {.transparent = true});
        const UniqueRegion region = win::CreateRegionFromBitmap(strip, 0, 0, kSkinKeyColour, 1, 1, 1);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
}

// Painters make short-lived bitmaps of the same sizes over and over: one made after another of its size was
// freed starts as clear as a new one, whatever was drawn on the first, and freeing them holds no handle.
TEST(WinBitmapDc, ABitmapOfTheSizeOfOneFreedStartsClearAndHoldsNoHandleOnceFreed) {
    const long before = gui::LiveHandles().Gdi;
    for (int round = 0; round < 20; ++round) {
        Bitmap bitmap(DibPixelAllocator(), 40, 12);
        int marked = 0;
        for (const Pixel pixel : bitmap.pixels())
            marked += pixel != 0;
        ASSERT_EQ(marked, 0) << "round " << round << ": pixels of a bitmap freed before";
        BitmapDc dc(bitmap);
        PatBlt(dc.get(), 0, 0, 40, 12, WHITENESS);
        TextOutW(dc.get(), 2, 0, L"Marked", 6);
    }
    EXPECT_EQ(gui::LiveHandles().Gdi, before);
}

namespace {

// The image the system's own loader makes of a BMP file, as 32-bit top-down pixels.
Bitmap LoadWithSystem(const std::vector<std::uint8_t>& file, const std::wstring& name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"skin_draw_" + name + L".bmp";
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f == nullptr) return {};
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
    const UniqueBitmap loaded(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    DeleteFileW(path.c_str());
    if (!loaded) return {};
    BITMAP info{};
    GetObjectW(loaded.get(), sizeof info, &info);
    Bitmap b(info.bmWidth, info.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const WindowDc screen(nullptr);
    GetDIBits(screen.get(), loaded.get(), 0, UINT(info.bmHeight), b.scanline(0), &bi, DIB_RGB_COLORS);
    for (Pixel& p : b.pixels())
        p &= kPixelRgbMask;
    return b;
}

// The image GDI itself decodes from the file's header and pixel data (SetDIBitsToDevice onto a 32-bit
// bitmap); this path takes top-down rows and core headers, which the loader above gets wrong.
Bitmap DecodeWithGdi(const std::vector<std::uint8_t>& file, int width, int height) {
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
    const std::uint32_t offBits = std::uint32_t(file[10]) | (std::uint32_t(file[11]) << 8);
    Bitmap b(DibPixelAllocator(), width, height);
    {
        BitmapDc dc(b);
        SetDIBitsToDevice(dc.get(), 0, 0, DWORD(width), DWORD(height), 0, 0, 0, UINT(height),
                          file.data() + offBits, info, DIB_RGB_COLORS);
    }
    for (Pixel& p : b.pixels())
        p &= kPixelRgbMask;
    return b;
}

// The platform widens the 6-bit green of 5-6-5 data from its top 5 bits only; ours keeps all 6
// (1 gives 4, 63 gives 255). Green may therefore differ by up to 4, nothing else may.
bool SameExceptLowGreenBit(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (std::size_t i = 0; i < a.pixels().size(); ++i) {
        const Pixel p = a.pixels()[i], q = b.pixels()[i];
        if (RedOf(p) != RedOf(q) || BlueOf(p) != BlueOf(q) || std::abs(int(GreenOf(p)) - int(GreenOf(q))) > 4)
            return false;
    }
    return true;
}

} // namespace

TEST(WinReadBmp, DecodesEveryVariantAsTheSystemLoaderDoes) {
    std::mt19937 random(17);
    struct Variant {
        const wchar_t* name;
        BmpWriteOptions options;
        unsigned colours; // 0: any
    };
    const Variant variants[] = {
        {L"rgb24", {BmpEncoding::Rgb24}, 0},
        {L"rgb24_topdown", {BmpEncoding::Rgb24, true}, 0},
        {L"rgb24_core", {BmpEncoding::Rgb24, false, true}, 0},
        {L"rgb32", {BmpEncoding::Rgb32}, 0},
        {L"fields32", {BmpEncoding::BitFields32}, 0},
        {L"rgb555", {BmpEncoding::Rgb555}, 0},
        {L"fields565_topdown", {BmpEncoding::BitFields565, true}, 0},
        {L"pal1", {BmpEncoding::Indexed1}, 2},
        {L"pal4", {BmpEncoding::Indexed4}, 16},
        {L"pal8", {BmpEncoding::Indexed8}, 200},
        {L"pal8_core", {BmpEncoding::Indexed8, false, true}, 256},
        {L"rle4", {BmpEncoding::Rle4}, 9},
        {L"rle8", {BmpEncoding::Rle8}, 40},
    };
    for (const Variant& v : variants) {
        Bitmap image(29, 17);
        std::vector<Pixel> colours;
        for (unsigned i = 0; i < v.colours; ++i)
            colours.push_back(random() & kPixelRgbMask);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                // Runs of equal pixels now and then, so the run-length encodings use both of their modes.
                const bool repeat = x > 0 && (x / 5) % 2 == 1;
                const Pixel p = repeat
                                    ? image.pixel(x - 1, y)
                                    : (v.colours ? colours[random() % v.colours] : random() & kPixelRgbMask);
                image.set_pixel(x, y, p);
            }
        }
        const std::vector<std::uint8_t> file = WriteBmp(image, v.options);
        const std::string name(v.name, v.name + wcslen(v.name));
        const Bitmap ours = ReadBmp(file);
        const bool fields565 = v.options.Encoding == BmpEncoding::BitFields565;
        const Bitmap gdi = DecodeWithGdi(file, image.width(), image.height());
        EXPECT_TRUE(fields565 ? SameExceptLowGreenBit(ours, gdi) : ours == gdi)
            << name << " (GDI): " << Describe(gdi, ours);
        // The loader leaves top-down files black and reads core colour tables as 4-byte entries; those
        // variants are checked against GDI's decoding above only.
        if (v.options.TopDown || v.options.CoreHeader) continue;
        const Bitmap system = LoadWithSystem(file, v.name);
        ASSERT_FALSE(system.empty()) << "the system did not load " << name;
        EXPECT_TRUE(ours == system) << name << " (loader): " << Describe(system, ours);
    }
}

TEST(WinReadBmp, RunLengthJumpsAndSixteenBitValuesAgreeWithTheSystemLoader) {
    // RLE8 with a jump and an early end: the pixels it skips.
    std::vector<std::uint8_t> rle{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const auto u32 = [](std::vector<std::uint8_t>& v, std::uint32_t x) {
        for (int i = 0; i < 4; ++i)
            v.push_back(std::uint8_t(x >> (8 * i)));
    };
    const auto u16 = [](std::vector<std::uint8_t>& v, unsigned x) {
        v.push_back(std::uint8_t(x));
        v.push_back(std::uint8_t(x >> 8));
    };
    // The platform's loader needs the compressed size (18 bytes) for run-length data.
    u32(rle, 40);
    u32(rle, 6);
    u32(rle, 4);
    u16(rle, 1);
    u16(rle, 8);
    u32(rle, 1);
    u32(rle, 18);
    u32(rle, 0);
    u32(rle, 0);
    u32(rle, 3);
    u32(rle, 0);
    for (unsigned c : {0x00102030u, 0x00405060u, 0x00708090u})
        u32(rle, c);
    rle[10] = std::uint8_t(rle.size());
    for (unsigned b : {2u, 1u, 0u, 2u, 1u, 1u, 3u, 2u, 0u, 0u, 0u, 4u, 1u, 2u, 1u, 2u, 0u, 1u})
        rle.push_back(std::uint8_t(b));
    const Bitmap system = LoadWithSystem(rle, L"rle8_jump");
    ASSERT_FALSE(system.empty());
    const Bitmap ours = ReadBmp(rle);
    EXPECT_TRUE(ours == system) << Describe(system, ours);

    // 16 bits: every value of a channel, 5-5-5 and 5-6-5.
    for (bool fields : {false, true}) {
        std::vector<std::uint8_t> f{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        u32(f, 40);
        u32(f, 64);
        u32(f, 2);
        u16(f, 1);
        u16(f, 16);
        u32(f, fields ? 3 : 0);
        u32(f, 0);
        u32(f, 0);
        u32(f, 0);
        u32(f, 0);
        u32(f, 0);
        if (fields) {
            u32(f, 0xF800);
            u32(f, 0x07E0);
            u32(f, 0x001F);
        }
        f[10] = std::uint8_t(f.size());
        for (unsigned i = 0; i < 128; ++i)
            u16(f, fields ? ((i % 32) << 11) | ((i % 64) << 5) | (31 - i % 32)
                          : ((i % 32) << 10) | ((31 - i % 32) << 5) | (i % 32));
        const Bitmap sys16 = LoadWithSystem(f, fields ? L"fields565" : L"rgb555");
        ASSERT_FALSE(sys16.empty());
        const Bitmap ours16 = ReadBmp(f);
        EXPECT_TRUE(fields ? SameExceptLowGreenBit(ours16, sys16) : ours16 == sys16)
            << (fields ? "565: " : "555: ") << Describe(sys16, ours16);
    }
}
