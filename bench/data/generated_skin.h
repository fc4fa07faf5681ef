// A skin package as the skin tool packs a skin folder: the light theme skingen draws, enlarged to about
// 120 KB, its parts saved as 8- or 24-bit BMPs (flat faces, outlines and gradients compress well).
#pragma once

#include <cstdint>
#include <vector>

namespace skin::bench {

// The uncompressed package: the definition first, then the bitmaps by name, as 'skintool pack' orders them.
std::vector<std::uint8_t> MakeGeneratedSkinPackage();

} // namespace skin::bench
