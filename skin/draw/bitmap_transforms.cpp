#include "skin/draw/bitmap_transforms.h"

#include <algorithm>

namespace skin {
namespace {

// The rotated image is built in a new bitmap of the same buffer kind and then moved into place, so a
// DIB-backed image stays DIB-backed.
Bitmap TurnedCopy(const Bitmap& source) {
    return Bitmap(source.allocator(), source.height(), source.width());
}

} // namespace

void MirrorBitmap(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.height(); ++y)
        std::reverse(bitmap.scanline(y), bitmap.scanline(y) + bitmap.width());
}

void FlipBitmap(Bitmap& bitmap) {
    for (int top = 0, bottom = bitmap.height() - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(bitmap.scanline(top), bitmap.scanline(top) + bitmap.width(),
                         bitmap.scanline(bottom));
    }
}

void RotateBitmapLeft(Bitmap& bitmap) {
    const int w = bitmap.width();
    const int h = bitmap.height();
    Bitmap turned = TurnedCopy(bitmap);
    for (int y = 0; y < h; ++y) {
        const Pixel* row = bitmap.scanline(y);
        for (int x = 0; x < w; ++x)
            turned.set_pixel(y, w - 1 - x, row[x]);
    }
    bitmap = std::move(turned);
}

void RotateBitmapRight(Bitmap& bitmap) {
    const int w = bitmap.width();
    const int h = bitmap.height();
    Bitmap turned = TurnedCopy(bitmap);
    for (int y = 0; y < h; ++y) {
        const Pixel* row = bitmap.scanline(y);
        for (int x = 0; x < w; ++x)
            turned.set_pixel(h - 1 - y, x, row[x]);
    }
    bitmap = std::move(turned);
}

} // namespace skin
