// A deterministic mix of the kinds of bytes a coder meets (text, pixel rows, counters, noise, repeats),
// for figures beyond skin packages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin::bench {

std::vector<std::uint8_t> MakeMixedData(std::size_t size);

} // namespace skin::bench
