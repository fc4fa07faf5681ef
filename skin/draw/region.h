// The shape of a bitmap without its key-coloured pixels, as the rectangles a window region is built from.
// The Windows edge (win/gdi_region.h) turns them into a region.
#pragma once

#include "skin/draw/bitmap.h"

#include <cstdint>
#include <vector>

namespace skin {

// One rectangle per maximal horizontal run of shape pixels, row by row from the top and left to right
// within a row, each one pixel high. That order is the y-x banded order Windows region data expects.
struct RegionRuns {
    std::vector<Rect> Rects;

    bool IsEmpty() const noexcept { return Rects.empty(); }
    // True when the point lies in one of the rectangles.
    bool Contains(Point p) const noexcept;
};

// The runs of the pixels of bitmap that are not transparent, moved by (dx, dy). A pixel is transparent
// when each of its red, green and blue components lies in [key component, key component + tolerance]
// (capped at 255), bounds included; tolerances run from 0 to 255. A wholly transparent bitmap gives no
// runs.
RegionRuns CreateRegionFromBitmap(const Bitmap& bitmap, int dx, int dy, Colour keyColour,
                                  std::uint8_t redTolerance, std::uint8_t greenTolerance,
                                  std::uint8_t blueTolerance);

} // namespace skin
