// A synthetic skin the size of the program's stored one: a definition using every element, colour and
// caption button section the engine reads, and 44 24-bit BMPs, about 128 KB unpacked.
#pragma once

#include <cstdint>
#include <vector>

namespace skin::bench {

// The skin as stored: the compressed package.
std::vector<std::uint8_t> MakeSyntheticSkin();

} // namespace skin::bench
