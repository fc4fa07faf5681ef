// Window regions from region runs: the rectangles reach the system in batches, each made into a region
// (ExtCreateRegion) and united into the result (CombineRgn), so no single request grows without bound.
#pragma once

#include "skin/draw/region.h"
#include "skin/draw/win/gdi_handles.h"

namespace skin::win {

// Rectangles per ExtCreateRegion call.
inline constexpr std::size_t kRegionBatch = 2000;

// The region of the runs; an empty region for no runs. Raises rtl::Exception when GDI refuses.
UniqueRegion CreateGdiRegion(const RegionRuns& runs);

// The region of bitmap's shape (see skin::CreateRegionFromBitmap), ready for SetWindowRgn.
UniqueRegion CreateRegionFromBitmap(const Bitmap& bitmap, int dx, int dy, Colour keyColour,
                                    std::uint8_t redTolerance, std::uint8_t greenTolerance,
                                    std::uint8_t blueTolerance);

} // namespace skin::win
