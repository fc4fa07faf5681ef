#include "skin/draw/region.h"

#include <algorithm>
#include <array>

namespace skin {
namespace {

// Membership of a channel value in the key range, looked up per channel: three table reads per pixel
// instead of six comparisons.
using ChannelTable = std::array<bool, 256>;

ChannelTable KeyRange(std::uint8_t key, std::uint8_t tolerance) {
    ChannelTable table{};
    const int last = std::min(255, key + tolerance);
    for (int v = key; v <= last; ++v)
        table[static_cast<std::size_t>(v)] = true;
    return table;
}

} // namespace

bool RegionRuns::Contains(Point p) const noexcept {
    // Rows are sorted by Top, runs within a row by Left.
    auto row =
        std::lower_bound(Rects.begin(), Rects.end(), p.Y, [](const Rect& r, int y) { return r.Top < y; });
    for (; row != Rects.end() && row->Top == p.Y; ++row) {
        if (row->Contains(p)) return true;
    }
    return false;
}

RegionRuns CreateRegionFromBitmap(const Bitmap& bitmap, int dx, int dy, Colour keyColour,
                                  std::uint8_t redTolerance, std::uint8_t greenTolerance,
                                  std::uint8_t blueTolerance) {
    const Pixel key = ColourToPixel(keyColour);
    const ChannelTable red = KeyRange(RedOf(key), redTolerance);
    const ChannelTable green = KeyRange(GreenOf(key), greenTolerance);
    const ChannelTable blue = KeyRange(BlueOf(key), blueTolerance);
    // Skin images are mostly long stretches of one colour: remember the verdict of the last colour seen.
    Pixel lastPixel = 0;
    bool lastVerdict = red[0] && green[0] && blue[0];
    const auto transparent = [&](Pixel p) {
        if (p != lastPixel) {
            lastPixel = p;
            lastVerdict = red[RedOf(p)] && green[GreenOf(p)] && blue[BlueOf(p)];
        }
        return lastVerdict;
    };

    RegionRuns runs;
    const int w = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        const Pixel* row = bitmap.scanline(y);
        int x = 0;
        while (x < w) {
            while (x < w && transparent(row[x]))
                ++x;
            if (x == w) break;
            const int start = x;
            while (x < w && !transparent(row[x]))
                ++x;
            runs.Rects.push_back({start + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    return runs;
}

} // namespace skin
