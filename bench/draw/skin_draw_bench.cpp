// Figures for the skin image layer (run by hand, not a test):
// - RenderSkinImage of a 9-slice element into 800 x 600 and 1920 x 1080, stretched and tiled; on Windows
//   also the same routine done with one StretchBlt per piece on a memory DC, and the ratio;
// - region building for a 1920 x 1080 border image; on Windows the GDI region in batches against a
//   GetPixel-based builder;
// - BMP decoding throughput for a 24-bit and an 8-bit run-length encoded image.
#include "skin/draw/bmp_reader.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/region.h"
#include "skin/draw/skin_image.h"

#ifdef _WIN32
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/gdi_handles.h"
#include "skin/draw/win/gdi_region.h"
#endif

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace skin;

namespace {

// Best of a few runs of `repeat` calls, in microseconds per call.
double TimePerCall(int repeat, const std::function<void()>& call) {
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeat; ++i)
            call();
        const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / repeat);
    }
    return best;
}

// A 4-frame strip of 64 x 48 frames with 12-pixel margins and a patterned centre.
Bitmap MakeElement() {
    Bitmap b(256, 48);
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            b.set_pixel(x, y, MakePixel(std::uint8_t(x * 3), std::uint8_t(y * 5), std::uint8_t((x ^ y) * 7)));
        }
    }
    return b;
}

// A window-sized border: a 12-pixel frame with rounded, key-coloured corners and notches; key inside.
Bitmap MakeBorder(int w, int h) {
    Bitmap b(w, h, kSkinKeyPixel);
    constexpr int kFrame = 12;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inFrame = x < kFrame || y < kFrame || x >= w - kFrame || y >= h - kFrame;
            const int cx = x < 20 ? 20 - x : x >= w - 20 ? x - (w - 21) : 0;
            const int cy = y < 20 ? 20 - y : y >= h - 20 ? y - (h - 21) : 0;
            const bool corner = cx * cx + cy * cy > 400;
            const bool notch = (x / 4 + y / 4) % 9 == 0 && (y < 3 || x < 3);
            if (inFrame && !corner && !notch) b.set_pixel(x, y, MakePixel(40, 60, std::uint8_t(x)));
        }
    }
    return b;
}

constexpr Rect kMargins{12, 12, 12, 12};

#ifdef _WIN32
// The straightforward GDI way: a compatible bitmap per call and one StretchBlt (or a BitBlt per tile)
// per piece, in COLORONCOLOR mode.
void RenderWithGdi(HDC source, int frameX, int fw, int fh, int w, int h, bool tile) {
    const win::WindowDc screen(nullptr);
    const win::UniqueBitmap target(CreateCompatibleBitmap(screen.get(), w, h));
    const win::UniqueDc dc(CreateCompatibleDC(screen.get()));
    const win::SelectedObject selected(dc.get(), target.get());
    SetStretchBltMode(dc.get(), COLORONCOLOR);
    const int L = kMargins.Left, T = kMargins.Top, R = kMargins.Right, B = kMargins.Bottom;
    const auto piece = [&](int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
        StretchBlt(dc.get(), dx, dy, dw, dh, source, frameX + sx, sy, sw, sh, SRCCOPY);
    };
    piece(0, 0, L, T, 0, 0, L, T);
    piece(0, fh - B, L, B, 0, h - B, L, B);
    piece(fw - R, 0, R, T, w - R, 0, R, T);
    piece(0, T, L, fh - T - B, 0, T, L, h - T - B);
    piece(L, 0, fw - L - R, T, L, 0, w - L - R, T);
    if (tile) {
        const int tw = fw - L - R, th = fh - T - B;
        for (int x = L; x < w - R; x += tw) {
            for (int y = T; y < h - B; y += th)
                BitBlt(dc.get(), x, y, tw, th, source, frameX + L, T, SRCCOPY);
        }
    } else {
        piece(L, T, fw - L - R, fh - T - B, L, T, w - L - R, h - T - B);
    }
    piece(fw - R, fh - B, R, B, w - R, h - B, R, B);
    piece(fw - R, T, R, fh - T - B, w - R, T, R, h - T - B);
    piece(L, fh - B, fw - L - R, B, L, h - B, w - L - R, B);
}

// A region builder that reads every pixel with GetPixel.
win::UniqueRegion RegionWithGetPixel(HDC dc, int w, int h) {
    RegionRuns runs;
    const COLORREF key = RGB(255, 0, 255);
    for (int y = 0; y < h; ++y) {
        int x = 0;
        while (x < w) {
            while (x < w && GetPixel(dc, x, y) == key)
                ++x;
            if (x == w) break;
            const int start = x;
            while (x < w && GetPixel(dc, x, y) != key)
                ++x;
            runs.Rects.push_back({start, y, x, y + 1});
        }
    }
    return win::CreateGdiRegion(runs);
}
#endif

} // namespace

int main() {
    Bitmap element = MakeElement();
    std::printf("RenderSkinImage, 9-slice, frame 2 of 4 (64 x 48, margins 12):\n");
    for (const Rect size : {Rect{0, 0, 800, 600}, Rect{0, 0, 1920, 1080}}) {
        for (bool tile : {false, true}) {
            const double ours = TimePerCall(20, [&] {
                const Bitmap b =
                    RenderSkinImage(size, element, kMargins, {.frame = 2, .frameCount = 4, .tile = tile});
                if (b.empty()) std::puts("?");
            });
            std::printf("  %4d x %4d %-9s ours %9.1f us", size.Width(), size.Height(),
                        tile ? "tiled" : "stretched", ours);
#ifdef _WIN32
            Bitmap source = element;
            win::BitmapDc sourceDc(source);
            const double gdi = TimePerCall(
                20, [&] { RenderWithGdi(sourceDc.get(), 64, 64, 48, size.Width(), size.Height(), tile); });
            std::printf("   GDI %9.1f us   GDI/ours %.2f", gdi, gdi / ours);
#endif
            std::printf("\n");
        }
    }

    Bitmap border = MakeBorder(1920, 1080);
    RegionRuns runs;
    const double extract =
        TimePerCall(5, [&] { runs = CreateRegionFromBitmap(border, 0, 0, kSkinKeyColour, 1, 1, 1); });
    std::printf("CreateRegionFromBitmap, 1920 x 1080 border (%zu runs): runs %.1f us", runs.Rects.size(),
                extract);
#ifdef _WIN32
    const double regionOnly = TimePerCall(5, [&] { const win::UniqueRegion r = win::CreateGdiRegion(runs); });
    const double whole = TimePerCall(5, [&] {
        const win::UniqueRegion r = win::CreateRegionFromBitmap(border, 0, 0, kSkinKeyColour, 1, 1, 1);
    });
    win::BitmapDc borderDc(border);
    const auto start = std::chrono::steady_clock::now();
    const win::UniqueRegion slow = RegionWithGetPixel(borderDc.get(), 1920, 1080);
    const std::chrono::duration<double, std::micro> slowTime = std::chrono::steady_clock::now() - start;
    const win::UniqueRegion fast = win::CreateRegionFromBitmap(border, 0, 0, kSkinKeyColour, 1, 1, 1);
    std::printf(", GDI region from runs %.1f us, whole %.1f us; GetPixel builder %.1f us, ratio %.1f, same "
                "region: %s",
                regionOnly, whole, slowTime.count(), slowTime.count() / whole,
                EqualRgn(slow.get(), fast.get()) ? "yes" : "NO");
#endif
    std::printf("\n");

    const std::vector<std::uint8_t> bmp24 = WriteBmp(border, {BmpEncoding::Rgb24});
    Bitmap flat = MakeBorder(1920, 1080);
    for (Pixel& p : flat.pixels())
        p = p == kSkinKeyPixel ? p : MakePixel(40, 60, std::uint8_t((p & 0xFF) / 16));
    const std::vector<std::uint8_t> rle8 = WriteBmp(flat, {BmpEncoding::Rle8});
    for (const auto& [name, file] : {std::pair{"24-bit", &bmp24}, std::pair{"RLE8  ", &rle8}}) {
        const std::vector<std::uint8_t>* data = file; // structured bindings cannot be captured in C++20
        const double t = TimePerCall(5, [data] { const Bitmap b = ReadBmp(*data); });
        std::printf("ReadBmp %s 1920 x 1080 (%zu bytes): %.1f us, %.0f Mpixel/s, %.0f MB/s of BMP data\n",
                    name, file->size(), t, 1920.0 * 1080.0 / t, double(file->size()) / t);
    }
    return 0;
}
