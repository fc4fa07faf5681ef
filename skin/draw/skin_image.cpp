#include "skin/draw/skin_image.h"

#include "skin/draw/blit.h"

#include <algorithm>
#include <cstdint>

namespace skin {
namespace {

// Margins after the collapse for a W x H destination. A negative margin is taken as 0; the sums are
// formed in 64 bits, so margins near the integer limits collapse like any other too large for the
// destination.
Rect CollapsedMargins(const Rect& margins, int width, int height) noexcept {
    Rect m{std::max(margins.Left, 0), std::max(margins.Top, 0), std::max(margins.Right, 0),
           std::max(margins.Bottom, 0)};
    if (width < std::int64_t{m.Left} + m.Right) m.Left = m.Right = 0;
    if (height < std::int64_t{m.Top} + m.Bottom) m.Top = m.Bottom = 0;
    return m;
}

// The offset of frame frameIndex of frames `size` long, kept within [0, limit]: a frame past the end of
// the strip (or before it) lies wholly outside the image and draws nothing.
int FrameOffset(int frameIndex, int size, int limit) noexcept {
    const std::int64_t offset = (std::int64_t{frameIndex} - 1) * size;
    return static_cast<int>(std::clamp<std::int64_t>(offset, 0, limit));
}

// One piece of the nine-slice: a source rectangle of the frame and where it goes.
struct Piece {
    Rect source;
    Rect target;
};

enum PieceIndex {
    kTopLeft,
    kBottomLeft,
    kTopRight,
    kLeftEdge,
    kTopEdge,
    kCentre,
    kBottomRight,
    kRightEdge,
    kBottomEdge
};

// The nine pieces in drawing order: the pieces after the centre cover whatever the centre's tiles draw
// past its right and bottom boundary, so the order matters.
struct NineSlice {
    Piece pieces[9];
    bool present[9];
};

NineSlice SliceFrame(const Rect& f, const Rect& m, int w, int h) noexcept {
    const int L = m.Left, T = m.Top, R = m.Right, B = m.Bottom;
    NineSlice s{};
    s.pieces[kTopLeft] = {{f.Left, f.Top, f.Left + L, f.Top + T}, {0, 0, L, T}};
    s.pieces[kBottomLeft] = {{f.Left, f.Bottom - B, f.Left + L, f.Bottom}, {0, h - B, L, h}};
    s.pieces[kTopRight] = {{f.Right - R, f.Top, f.Right, f.Top + T}, {w - R, 0, w, T}};
    s.pieces[kLeftEdge] = {{f.Left, f.Top + T, f.Left + L, f.Bottom - B}, {0, T, L, h - B}};
    s.pieces[kTopEdge] = {{f.Left + L, f.Top, f.Right - R, f.Top + T}, {L, 0, w - R, T}};
    s.pieces[kCentre] = {{f.Left + L, f.Top + T, f.Right - R, f.Bottom - B}, {L, T, w - R, h - B}};
    s.pieces[kBottomRight] = {{f.Right - R, f.Bottom - B, f.Right, f.Bottom}, {w - R, h - B, w, h}};
    s.pieces[kRightEdge] = {{f.Right - R, f.Top + T, f.Right, f.Bottom - B}, {w - R, T, w, h - B}};
    s.pieces[kBottomEdge] = {{f.Left + L, f.Bottom - B, f.Right - R, f.Bottom}, {L, h - B, w - R, h}};
    s.present[kTopLeft] = L * T > 0;
    s.present[kBottomLeft] = L * B > 0;
    s.present[kTopRight] = R * T > 0;
    s.present[kLeftEdge] = L > 0;
    s.present[kTopEdge] = T > 0;
    s.present[kCentre] = true;
    s.present[kBottomRight] = R * B > 0;
    s.present[kRightEdge] = R > 0;
    s.present[kBottomEdge] = B > 0;
    return s;
}

void PutOnto(Bitmap& dst, const Rect& rect, const Bitmap& composed, bool trans) {
    if (trans) {
        DrawTransparent(dst, rect, composed, kSkinKeyColour);
    } else {
        CopyRect(dst, {rect.Left, rect.Top}, composed, composed.bounds());
    }
}

} // namespace

Rect SkinFrameRect(const Bitmap& image, const SkinImageOptions& options) noexcept {
    const int count = options.frameCount < 1 ? 1 : options.frameCount;
    if (options.vertical) {
        const int fh = image.height() / count;
        const int y0 = FrameOffset(options.frame, fh, image.height());
        return {0, y0, image.width(), y0 + fh};
    }
    const int fw = image.width() / count;
    const int x0 = FrameOffset(options.frame, fw, image.width());
    return {x0, 0, x0 + fw, image.height()};
}

Bitmap RenderSkinImage(const Rect& rect, const Bitmap& image, const Rect& margins,
                       const SkinImageOptions& options) {
    const int w = rect.Width();
    const int h = rect.Height();
    if (w < 0 || h < 0) return {};
    Bitmap result(w, h);
    const Rect frame = SkinFrameRect(image, options);
    const NineSlice slices = SliceFrame(frame, CollapsedMargins(margins, w, h), w, h);
    for (int i = 0; i < 9; ++i) {
        if (!slices.present[i]) continue;
        const Piece& p = slices.pieces[i];
        if (i == kCentre && options.tile) {
            TileBitmap(result, p.target, image, p.source);
        } else {
            StretchCopy(result, p.target, image, p.source);
        }
    }
    return result;
}

void DrawSkinImage(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                   const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dst, rect, RenderSkinImage(rect, image, margins, options), options.transparent);
}

Bitmap RenderSkinBar(const Rect& rect, const Bitmap& image, const Rect& margins,
                     const SkinImageOptions& options) {
    if (rect.IsInverted()) return {};
    const int w = rect.Width();
    const int h = rect.Height();
    Bitmap work(w, h);
    const Rect f = SkinFrameRect(image, options);
    // The ends keep their source width, so only the part of each that fits the bar can show: an end
    // wider than the bar is cut to the bar's width, which draws the same pixels without stretching
    // arithmetic on widths far beyond the image. A negative end is taken as 0.
    const std::int64_t fullL = std::max(margins.Left, 0);
    const std::int64_t fullR = std::max(margins.Right, 0);
    const int L = static_cast<int>(std::min<std::int64_t>(fullL, w));
    const int R = static_cast<int>(std::min<std::int64_t>(fullR, w));
    StretchCopy(work, {0, 0, L, h}, image, {f.Left, f.Top, f.Left + L, f.Bottom});
    // A frame without a middle (fw <= L + R) leaves the space between the ends as it is. When it has
    // one, both ends are narrower than the frame and so were not cut.
    const std::int64_t middle = f.Width() - fullL - fullR;
    const int m = middle > 0 ? static_cast<int>(middle) : 0;
    if (m > 0) {
        for (int x = L; x < w - R; x += m) {
            StretchCopy(work, {x, 0, x + m, h}, image, {f.Left + L, f.Top, f.Left + L + m, f.Bottom});
        }
    }
    StretchCopy(work, {w - R, 0, w, h}, image, {f.Right - R, f.Top, f.Right, f.Bottom});
    return work;
}

void DrawSkinBar(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                 const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dst, rect, RenderSkinBar(rect, image, margins, options), options.transparent);
}

void DrawSkinBorder(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                    const SkinImageOptions& options) {
    const int w = rect.Width();
    const int h = rect.Height();
    if (w < 0 || h < 0) return;
    const Rect frame = SkinFrameRect(image, options);
    const NineSlice slices = SliceFrame(frame, CollapsedMargins(margins, w, h), w, h);
    for (int i = 0; i < 9; ++i) {
        if (i == kCentre || !slices.present[i]) continue;
        const Piece& p = slices.pieces[i];
        StretchCopy(dst, p.target.Offset(rect.Left, rect.Top), image, p.source);
    }
}

Bitmap RenderSkinFrame(const Rect& rect, const Bitmap& image, const SkinImageOptions& options) {
    if (rect.IsInverted()) return {};
    Bitmap work(rect.Width(), rect.Height());
    StretchCopy(work, work.bounds(), image, SkinFrameRect(image, options));
    return work;
}

void DrawSkinFrame(Bitmap& dst, const Rect& rect, const Bitmap& image, const SkinImageOptions& options) {
    if (rect.IsInverted()) return;
    PutOnto(dst, rect, RenderSkinFrame(rect, image, options), options.transparent);
}

void DrawTransparent(Bitmap& dst, const Rect& rect, const Bitmap& bitmap, Colour keyColour) {
    if (rect.IsInverted()) return;
    CopyTransparent(dst, {rect.Left, rect.Top}, bitmap, {0, 0, rect.Width(), rect.Height()},
                    ColourToPixel(keyColour));
}

void TileBitmap(Bitmap& dst, const Rect& destRect, const Bitmap& bitmap, const Rect& srcRect) {
    const int tw = srcRect.Width();
    const int th = srcRect.Height();
    if (tw <= 0 || th <= 0) return;
    Bitmap tileImage(tw, th);
    CopyRect(tileImage, {0, 0}, bitmap, srcRect);
    // Tiles wholly outside dst change nothing; start at the first one that can show.
    const Rect clip = Intersect(
        Rect{destRect.Left, destRect.Top, destRect.Right + tw - 1, destRect.Bottom + th - 1}, dst.bounds());
    if (clip.IsEmpty()) return;
    const int firstX = destRect.Left + std::max(0, (clip.Left - destRect.Left) / tw * tw);
    const int firstY = destRect.Top + std::max(0, (clip.Top - destRect.Top) / th * th);
    for (std::int64_t x = firstX; x < destRect.Right && x < clip.Right; x += tw) {
        for (std::int64_t y = firstY; y < destRect.Bottom && y < clip.Bottom; y += th) {
            CopyRect(dst, {static_cast<int>(x), static_cast<int>(y)}, tileImage, tileImage.bounds());
        }
    }
}

} // namespace skin
