// Skin images made larger (or smaller) for a screen of another pixel density. A skin image is a strip of
// frames (see skin_image.h) whose margins are drawn at their own size and whose middles are stretched or
// tiled; scaled, it keeps that shape:
//
// - at a whole-number ratio (2, 3 ...) every pixel becomes an n x n block, so edges stay crisp;
// - at any other ratio the margins (corners and the borders' ends) take their nearest source pixel and the
//   middles are interpolated (bilinear), so borders stay sharp while long runs stay smooth;
// - each frame is scaled on its own into a frame of the scaled size, so frames never bleed into each
//   other, and the scaled strip is exactly frameCount scaled frames long;
// - the skin key colour stays exact: a pixel whose neighbours include the key colour, or whose blend would
//   come out as the key colour, takes its nearest source pixel instead of a blend.
#pragma once

#include "skin/draw/bitmap.h"
#include "skin/draw/geometry.h"

namespace skin {

// A scale factor as a fraction: numerator / denominator (both above 0), e.g. 144 / 96.
struct ScaleRatio {
    int Numerator = 1;
    int Denominator = 1;

    constexpr bool IsIdentity() const noexcept { return Numerator == Denominator; }
    constexpr bool IsWholeNumber() const noexcept { return Numerator % Denominator == 0; }
};

// A length at the ratio, rounded half away from zero (as the system's MulDiv rounds). Raises
// rtl::Exception for a ratio whose terms are not both above 0.
int ScaleLength(int length, ScaleRatio ratio);

// How an image is laid out: its frames and the margins of each frame, in source pixels (LeftWidth,
// TopHeight, RightWidth, BottomHeight, as TDataSkinObject::Margins gives them).
struct ImageLayout {
    int frameCount = 1;    // a count below 1 is taken as 1
    bool vertical = false; // the frames are stacked instead of side by side
    Rect margins{};
};

// The image at the ratio, frame by frame. Columns (rows, when vertical) past the last whole frame are
// dropped, as the painters never use them. A frame that would shrink to nothing keeps one pixel. An empty
// image stays empty.
Bitmap ScaleSkinImage(const Bitmap& image, ScaleRatio ratio, const ImageLayout& layout);

} // namespace skin
