#include "skin/draw/blit.h"

#include <algorithm>
#include <cstring>

namespace skin {
namespace {

// A source span and a destination span of one axis after clipping to both bitmaps: `count` pixels from
// source index `src` to destination index `dst`.
struct Span {
    int src = 0;
    int dst = 0;
    int count = 0;
};

Span ClipSpan(int src, int dst, int length, int srcLimit, int dstLimit) noexcept {
    if (src < 0) {
        dst -= src;
        length += src;
        src = 0;
    }
    if (dst < 0) {
        src -= dst;
        length += dst;
        dst = 0;
    }
    length = std::min({length, srcLimit - src, dstLimit - dst});
    return {src, dst, std::max(length, 0)};
}

} // namespace

void FillRect(Bitmap& dst, const Rect& rect, Pixel p) noexcept {
    const Rect r = Intersect(rect, dst.bounds());
    for (int y = r.Top; y < r.Bottom; ++y)
        std::fill(dst.scanline(y) + r.Left, dst.scanline(y) + r.Right, p);
}

void CopyRect(Bitmap& dst, Point at, const Bitmap& src, const Rect& srcRect) noexcept {
    const Span xs = ClipSpan(srcRect.Left, at.X, srcRect.Width(), src.width(), dst.width());
    const Span ys = ClipSpan(srcRect.Top, at.Y, srcRect.Height(), src.height(), dst.height());
    if (xs.count == 0) return;
    // Source and destination may be the same bitmap; copy rows in the order that reads before it writes.
    const bool upwards = &dst == &src && ys.dst > ys.src;
    for (int i = 0; i < ys.count; ++i) {
        const int row = upwards ? ys.count - 1 - i : i;
        const Pixel* from = src.scanline(ys.src + row) + xs.src;
        Pixel* to = dst.scanline(ys.dst + row) + xs.dst;
        std::memmove(to, from, static_cast<std::size_t>(xs.count) * sizeof(Pixel));
    }
}

void CopyTransparent(Bitmap& dst, Point at, const Bitmap& src, const Rect& srcRect, Pixel key) noexcept {
    const Span xs = ClipSpan(srcRect.Left, at.X, srcRect.Width(), src.width(), dst.width());
    const Span ys = ClipSpan(srcRect.Top, at.Y, srcRect.Height(), src.height(), dst.height());
    key &= kPixelRgbMask;
    for (int row = 0; row < ys.count; ++row) {
        const Pixel* from = src.scanline(ys.src + row) + xs.src;
        Pixel* to = dst.scanline(ys.dst + row) + xs.dst;
        for (int i = 0; i < xs.count; ++i) {
            if ((from[i] & kPixelRgbMask) != key) to[i] = from[i];
        }
    }
}

// Bresenham walks, measured against the platform's StretchBlt in COLORONCOLOR mode:
// - growing, each destination pixel takes the source pixel its centre falls in (ties to the left);
// - shrinking columns, the last source column that falls on a destination column wins, except that a
//   shrink to a single column takes the last but one (the platform's quirk, kept so that a rendered
//   skin looks the same as one drawn by the system);
// - shrinking rows, the first source row that falls on a destination row wins.
std::vector<int> StretchAxisMap(int srcLength, int dstLength, bool columns) {
    std::vector<int> map(static_cast<std::size_t>(std::max(dstLength, 0)));
    if (srcLength <= 0 || dstLength <= 0) return map;
    if (srcLength <= dstLength) {
        int src = 0;
        int err = 3 * srcLength - 2 * dstLength;
        for (int& m : map) {
            m = src;
            if (err > 0) {
                ++src;
                err += 2 * (srcLength - dstLength);
            } else {
                err += 2 * srcLength;
            }
        }
        return map;
    }
    if (columns && dstLength == 1) {
        map[0] = srcLength - 2;
        return map;
    }
    int dst = 0;
    int err = 3 * dstLength - 2 * srcLength;
    bool fresh = true;
    for (int j = 0; j < srcLength && dst < dstLength; ++j) {
        if (columns || fresh) map[static_cast<std::size_t>(dst)] = j;
        fresh = false;
        if (err > 0) {
            ++dst;
            fresh = true;
            err += 2 * (dstLength - srcLength);
        } else {
            err += 2 * dstLength;
        }
    }
    return map;
}

void StretchCopy(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect) {
    if (dstRect.IsEmpty() || srcRect.IsEmpty()) return;
    const Rect visible = Intersect(dstRect, dst.bounds());
    if (visible.IsEmpty()) return;
    const std::vector<int> xmap = StretchAxisMap(srcRect.Width(), dstRect.Width(), true);
    const std::vector<int> ymap = StretchAxisMap(srcRect.Height(), dstRect.Height(), false);
    // Source coordinates of the visible destination columns; -1 marks a column outside the source.
    std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
    for (int x = visible.Left; x < visible.Right; ++x) {
        const int sx = srcRect.Left + xmap[static_cast<std::size_t>(x - dstRect.Left)];
        columns[static_cast<std::size_t>(x - visible.Left)] = sx >= 0 && sx < src.width() ? sx : -1;
    }
    const bool allColumns = std::none_of(columns.begin(), columns.end(), [](int c) { return c < 0; });
    const bool unscaled = srcRect.Width() == dstRect.Width();
    const Pixel* previousRow = nullptr; // the last destination row written, when it was written whole
    int previousSy = -1;
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        const int sy = srcRect.Top + ymap[static_cast<std::size_t>(y - dstRect.Top)];
        if (sy < 0 || sy >= src.height()) continue;
        const Pixel* from = src.scanline(sy);
        Pixel* to = dst.scanline(y) + visible.Left;
        if (sy == previousSy && previousRow != nullptr) {
            // A grown row repeats the row above: one block copy instead of a column lookup per pixel.
            std::memcpy(to, previousRow, columns.size() * sizeof(Pixel));
            continue;
        }
        previousSy = sy;
        previousRow = allColumns ? to : nullptr;
        if (unscaled && allColumns) {
            std::copy_n(from + columns[0], columns.size(), to);
        } else if (allColumns) {
            for (std::size_t i = 0; i < columns.size(); ++i)
                to[i] = from[columns[i]];
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                if (columns[i] >= 0) to[i] = from[columns[i]];
            }
        }
    }
}

} // namespace skin
