#include "skin/draw/image_scaling.h"

#include "framework/rtl/exceptions.h"
#include "skin/draw/colour.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace skin {
namespace {

// Interpolation weights are in 1/256ths.
constexpr int kWeightOne = 256;
constexpr int kWeightHalf = kWeightOne / 2;

// Where one destination column (or row) of a frame takes its pixels: a blend of source columns First and
// Second with Weight / 256 of Second, or, for a margin, First alone (Weight 0). Nearest is the one of the
// two a blend falls back to.
struct Tap {
    int First = 0;
    int Second = 0;
    int Weight = 0;
    int Nearest = 0;
};

Tap Single(int source) {
    return Tap{source, source, 0, source};
}

// The taps of one axis: a source run of `size` pixels whose first `start` and last `end` pixels are
// margins, scaled to `scaledSize` pixels.
std::vector<Tap> AxisTaps(int size, int start, int end, int scaledSize, ScaleRatio ratio) {
    start = std::max(start, 0);
    end = std::max(end, 0);
    if (std::int64_t{start} + end > size) start = end = 0; // margins that do not fit: all of it stretches
    const int scaledStart = std::min(ScaleLength(start, ratio), scaledSize);
    const int scaledEnd = std::min(ScaleLength(end, ratio), scaledSize - scaledStart);
    const int middle = size - start - end;
    const int scaledMiddle = scaledSize - scaledStart - scaledEnd;
    std::vector<Tap> taps(static_cast<std::size_t>(scaledSize));
    for (int d = 0; d < scaledSize; ++d) {
        Tap& tap = taps[static_cast<std::size_t>(d)];
        if (d < scaledStart) {
            // Margin to margin, by nearest pixel: the middle never shows in it.
            tap =
                Single(static_cast<int>((std::int64_t{2} * d + 1) * start / (std::int64_t{2} * scaledStart)));
        } else if (d >= scaledSize - scaledEnd) {
            const int e = d - (scaledSize - scaledEnd);
            tap = Single(size - end +
                         static_cast<int>((std::int64_t{2} * e + 1) * end / (std::int64_t{2} * scaledEnd)));
        } else if (middle <= 0) {
            // No middle to stretch: the nearer margin's inner pixel fills the gap rounding left.
            const bool firstHalf = 2 * (d - scaledStart) < scaledMiddle;
            tap = Single(std::clamp(firstHalf ? start - 1 : size - end, 0, size - 1));
        } else {
            // Pixel centres mapped onto pixel centres, in 1/256ths of a source pixel.
            const std::int64_t at = (std::int64_t{2} * (d - scaledStart) + 1) * middle * kWeightOne /
                                        (std::int64_t{2} * scaledMiddle) -
                                    kWeightHalf;
            const std::int64_t clamped =
                std::clamp<std::int64_t>(at, 0, std::int64_t{middle - 1} * kWeightOne);
            const int index = static_cast<int>(clamped / kWeightOne);
            const int weight = static_cast<int>(clamped % kWeightOne);
            const int next = std::min(index + 1, middle - 1);
            tap = Tap{start + index, start + next, weight, start + (weight >= kWeightHalf ? next : index)};
        }
    }
    return taps;
}

int ScaledSize(int size, ScaleRatio ratio) {
    return size > 0 ? std::max(ScaleLength(size, ratio), 1) : 0;
}

Pixel Blend(Pixel a, Pixel b, int weight) {
    Pixel result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        result |= static_cast<Pixel>((ca * (kWeightOne - weight) + cb * weight + kWeightHalf) / kWeightOne)
                  << shift;
    }
    return result;
}

bool IsKey(Pixel p) {
    return (p & kPixelRgbMask) == kSkinKeyPixel;
}

// One destination pixel from the source frame whose top-left corner is at (ox, oy).
Pixel Sample(const Bitmap& image, int ox, int oy, const Tap& tx, const Tap& ty) {
    const Pixel* row0 = image.scanline(oy + ty.First) + ox;
    if (tx.Weight == 0 && ty.Weight == 0) return row0[tx.First];
    const Pixel* row1 = image.scanline(oy + ty.Second) + ox;
    const Pixel p00 = row0[tx.First], p10 = row0[tx.Second], p01 = row1[tx.First], p11 = row1[tx.Second];
    const bool xBlends = tx.Weight != 0, yBlends = ty.Weight != 0;
    const bool touchesKey = IsKey(p00) || (xBlends && IsKey(p10)) || (yBlends && IsKey(p01)) ||
                            (xBlends && yBlends && IsKey(p11));
    const Pixel nearest = image.scanline(oy + ty.Nearest)[ox + tx.Nearest];
    if (touchesKey) return nearest;
    const Pixel blended = Blend(Blend(p00, p10, tx.Weight), Blend(p01, p11, tx.Weight), ty.Weight);
    return IsKey(blended) ? nearest : blended;
}

// Every pixel an n x n block.
Bitmap ReplicatePixels(const Bitmap& image, int usedWidth, int usedHeight, int factor) {
    Bitmap result(usedWidth * factor, usedHeight * factor);
    for (int y = 0; y < result.height(); ++y) {
        const Pixel* source = image.scanline(y / factor);
        Pixel* target = result.scanline(y);
        for (int x = 0; x < result.width(); ++x)
            target[x] = source[x / factor];
    }
    return result;
}

} // namespace

int ScaleLength(int length, ScaleRatio ratio) {
    if (ratio.Numerator <= 0 || ratio.Denominator <= 0) {
        throw rtl::Exception("scale ratio " + std::to_string(ratio.Numerator) + "/" +
                             std::to_string(ratio.Denominator) + ": both terms must be above 0");
    }
    const std::int64_t product = std::int64_t{length} * ratio.Numerator;
    const std::int64_t half = ratio.Denominator / 2;
    const std::int64_t scaled =
        product >= 0 ? (product + half) / ratio.Denominator : -((-product + half) / ratio.Denominator);
    return static_cast<int>(
        std::clamp<std::int64_t>(scaled, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Bitmap ScaleSkinImage(const Bitmap& image, ScaleRatio ratio, const ImageLayout& layout) {
    (void)ScaleLength(0, ratio); // checks the ratio
    if (image.empty()) return Bitmap();
    const int frames = std::max(layout.frameCount, 1);
    const int frameWidth = layout.vertical ? image.width() : image.width() / frames;
    const int frameHeight = layout.vertical ? image.height() / frames : image.height();
    if (frameWidth <= 0 || frameHeight <= 0) return Bitmap(); // fewer pixels than frames: nothing usable
    const int usedWidth = layout.vertical ? frameWidth : frameWidth * frames;
    const int usedHeight = layout.vertical ? frameHeight * frames : frameHeight;
    if (ratio.IsIdentity()) {
        Bitmap copy(usedWidth, usedHeight);
        for (int y = 0; y < usedHeight; ++y)
            std::copy_n(image.scanline(y), usedWidth, copy.scanline(y));
        return copy;
    }
    if (ratio.IsWholeNumber())
        return ReplicatePixels(image, usedWidth, usedHeight, ratio.Numerator / ratio.Denominator);

    const int scaledWidth = ScaledSize(frameWidth, ratio);
    const int scaledHeight = ScaledSize(frameHeight, ratio);
    const std::vector<Tap> xTaps =
        AxisTaps(frameWidth, layout.margins.Left, layout.margins.Right, scaledWidth, ratio);
    const std::vector<Tap> yTaps =
        AxisTaps(frameHeight, layout.margins.Top, layout.margins.Bottom, scaledHeight, ratio);
    Bitmap result(layout.vertical ? scaledWidth : scaledWidth * frames,
                  layout.vertical ? scaledHeight * frames : scaledHeight);
    for (int frame = 0; frame < frames; ++frame) {
        const int ox = layout.vertical ? 0 : frame * frameWidth;
        const int oy = layout.vertical ? frame * frameHeight : 0;
        const int tx0 = layout.vertical ? 0 : frame * scaledWidth;
        const int ty0 = layout.vertical ? frame * scaledHeight : 0;
        for (int y = 0; y < scaledHeight; ++y) {
            Pixel* target = result.scanline(ty0 + y) + tx0;
            const Tap& ty = yTaps[static_cast<std::size_t>(y)];
            for (int x = 0; x < scaledWidth; ++x)
                target[x] = Sample(image, ox, oy, xTaps[static_cast<std::size_t>(x)], ty);
        }
    }
    return result;
}

} // namespace skin
