#include "tools/skingen/bmp_output.h"

#include <set>

namespace skingen {

namespace {

constexpr int kMaxIndexed1 = 2;
constexpr int kMaxIndexed4 = 16;
constexpr int kMaxIndexed8 = 256;

} // namespace

int CountColours(const skin::Bitmap& bitmap) {
    std::set<skin::Pixel> colours;
    for (skin::Pixel p : bitmap.pixels())
        colours.insert(p & skin::kPixelRgbMask);
    return static_cast<int>(colours.size());
}

std::vector<skin::BmpEncoding> CandidateEncodings(int colours) {
    using skin::BmpEncoding;
    std::vector<BmpEncoding> out;
    if (colours <= kMaxIndexed1) out.push_back(BmpEncoding::Indexed1);
    if (colours <= kMaxIndexed4) out.insert(out.end(), {BmpEncoding::Indexed4, BmpEncoding::Rle4});
    if (colours <= kMaxIndexed8) out.insert(out.end(), {BmpEncoding::Indexed8, BmpEncoding::Rle8});
    out.push_back(BmpEncoding::Rgb24);
    return out;
}

std::vector<std::uint8_t> EncodeSmallest(const skin::Bitmap& bitmap) {
    std::vector<std::uint8_t> best;
    for (skin::BmpEncoding e : CandidateEncodings(CountColours(bitmap))) {
        std::vector<std::uint8_t> bytes = skin::WriteBmp(bitmap, {e, false, false});
        if (best.empty() || bytes.size() < best.size()) best = std::move(bytes);
    }
    return best;
}

} // namespace skingen
