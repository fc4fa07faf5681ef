#include "skin/draw/win/dc_drawing.h"

#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/gdi_handles.h"

#include <algorithm>
#include <vector>

namespace skin::win {
namespace {

// MaskBlt raster operation: where the mask is 1 keep the destination (0xAA0029), where it is 0 copy the
// source (SRCCOPY).
constexpr DWORD kKeepWhereMaskIsSet = 0xCCAA0029;

void PutOnto(HDC dc, const Rect& rect, const Bitmap& composed, bool trans) {
    if (trans) {
        DrawTransparent(dc, rect, composed, kSkinKeyColour);
    } else {
        CopyToDc(dc, rect.Left, rect.Top, composed, composed.bounds());
    }
}

} // namespace

void DrawTransparent(HDC dc, const Rect& rect, const Bitmap& bitmap, Colour keyColour) {
    if (rect.IsInverted()) return;
    const Rect area = Intersect({0, 0, rect.Width(), rect.Height()}, bitmap.bounds());
    if (area.IsEmpty()) return;
    const int w = area.Width();
    const int h = area.Height();
    const Pixel key = ColourToPixel(keyColour) & kPixelRgbMask;
    const auto isKey = [key](Pixel pixel) { return (pixel & kPixelRgbMask) == key; };

    std::size_t keyed = 0;
    for (int y = 0; y < h; ++y) {
        const Pixel* row = bitmap.scanline(y);
        keyed += static_cast<std::size_t>(std::count_if(row, row + w, isKey));
    }
    if (keyed == static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) return;
    if (keyed == 0) {
        CopyToDc(dc, rect.Left, rect.Top, bitmap, area);
        return;
    }
    const DWORD kind = GetObjectType(dc);
    if ((kind == OBJ_MEMDC || kind == OBJ_DC) && GetLayout(dc) == 0) {
        // What the destination holds is read back, the image laid over it and the result put back: where
        // a window's pixels cannot be read (covered, off the screen) they cannot be written either. Not on
        // a mirrored device, where reading and writing would not mirror alike.
        // MaskBlt makes device-dependent bitmaps of its own on every call, which some systems pay for
        // with round trips to the display server.
        Bitmap work(DibPixelAllocator(), w, h);
        CopyFromDc(work, {0, 0}, dc, {rect.Left, rect.Top, rect.Left + w, rect.Top + h});
        for (int y = 0; y < h; ++y) {
            const Pixel* from = bitmap.scanline(y);
            Pixel* to = work.scanline(y);
            for (int x = 0; x < w; ++x) {
                if (!isKey(from[x])) to[x] = from[x];
            }
        }
        CopyToDc(dc, rect.Left, rect.Top, work, work.bounds());
        return;
    }

    // A device that cannot be read (a printer, a metafile) or a mirrored one: a monochrome mask, 1 where the
    // key colour is; rows of a device-dependent monochrome bitmap are padded to 16 bits.
    const std::size_t stride = static_cast<std::size_t>((w + 15) / 16 * 2);
    std::vector<std::uint8_t> maskBits(stride * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const Pixel* row = bitmap.scanline(y);
        std::uint8_t* bits = maskBits.data() + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < w; ++x) {
            if (isKey(row[x])) bits[x / 8] = static_cast<std::uint8_t>(bits[x / 8] | (0x80u >> (x % 8)));
        }
    }
    Bitmap source(DibPixelAllocator(), w, h);
    CopyRect(source, {0, 0}, bitmap, area);
    const UniqueBitmap mask(CreateBitmap(w, h, 1, 1, maskBits.data()));
    const BitmapDc sourceDc(source);
    MaskBlt(dc, rect.Left, rect.Top, w, h, sourceDc.get(), 0, 0, mask.get(), 0, 0, kKeepWhereMaskIsSet);
}

void DrawSkinImage(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins,
                   const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dc, rect, RenderSkinImage(rect, image, margins, options), options.transparent);
}

void DrawSkinBar(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins,
                 const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dc, rect, RenderSkinBar(rect, image, margins, options), options.transparent);
}

void DrawSkinFrame(HDC dc, const Rect& rect, const Bitmap& image, const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dc, rect, RenderSkinFrame(rect, image, options), options.transparent);
}

} // namespace skin::win
