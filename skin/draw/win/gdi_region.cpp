#include "skin/draw/win/gdi_region.h"

#include "framework/rtl/exceptions.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace skin::win {
namespace {

UniqueRegion RegionOfBatch(const Rect* rects, std::size_t count, std::vector<std::uint8_t>& data) {
    data.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(count);
    header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    header.rcBound = {rects[0].Left, rects[0].Top, rects[0].Right, rects[0].Bottom};
    std::uint8_t* at = data.data() + sizeof(RGNDATAHEADER);
    for (std::size_t i = 0; i < count; ++i, at += sizeof(RECT)) {
        const RECT r{rects[i].Left, rects[i].Top, rects[i].Right, rects[i].Bottom};
        header.rcBound.left = std::min(header.rcBound.left, r.left);
        header.rcBound.top = std::min(header.rcBound.top, r.top);
        header.rcBound.right = std::max(header.rcBound.right, r.right);
        header.rcBound.bottom = std::max(header.rcBound.bottom, r.bottom);
        std::memcpy(at, &r, sizeof(RECT));
    }
    std::memcpy(data.data(), &header, sizeof(header));
    UniqueRegion region(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                        reinterpret_cast<const RGNDATA*>(data.data())));
    if (!region) {
        throw rtl::Exception("cannot create a region of " + std::to_string(count) + " rectangles (error " +
                             std::to_string(GetLastError()) + ")");
    }
    return region;
}

} // namespace

UniqueRegion CreateGdiRegion(const RegionRuns& runs) {
    if (runs.Rects.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    std::vector<std::uint8_t> data;
    UniqueRegion result;
    for (std::size_t start = 0; start < runs.Rects.size(); start += kRegionBatch) {
        const std::size_t count = std::min(kRegionBatch, runs.Rects.size() - start);
        UniqueRegion batch = RegionOfBatch(runs.Rects.data() + start, count, data);
        if (!result) {
            result = std::move(batch);
        } else if (CombineRgn(result.get(), result.get(), batch.get(), RGN_OR) == ERROR) {
            throw rtl::Exception("cannot unite region batches (error " + std::to_string(GetLastError()) +
                                 ")");
        }
    }
    return result;
}

UniqueRegion CreateRegionFromBitmap(const Bitmap& bitmap, int dx, int dy, Colour keyColour,
                                    std::uint8_t redTolerance, std::uint8_t greenTolerance,
                                    std::uint8_t blueTolerance) {
    return CreateGdiRegion(
        skin::CreateRegionFromBitmap(bitmap, dx, dy, keyColour, redTolerance, greenTolerance, blueTolerance));
}

} // namespace skin::win
