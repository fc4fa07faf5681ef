// A synthetic skin package of about the stored skin's size (128 KB): one definition and 44 bitmaps
// drawn like skin parts (gradients, bevels, magenta key areas, a little dithering noise).
#pragma once

#include <cstdint>
#include <vector>

namespace skin::bench {

std::vector<std::uint8_t> MakeSampleSkinPackage();

} // namespace skin::bench
