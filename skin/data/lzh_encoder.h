// The reverse of TLZH, for skin authors' tools and for tests: an LZHUF encoder with the same constants
// and the same adaptive model, so that its output decodes through TLZH::Expand byte for byte.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace skin {

// The code of data alone (what TLZH::Expand reads), without the size field.
std::vector<std::uint8_t> LzhEncode(std::span<const std::uint8_t> data);

// The compressed stream as skins are stored: the size of data as a 4-byte little-endian signed integer,
// then the code. Raises rtl::Exception for data larger than kMaxExpandedSize, which no reader accepts.
std::vector<std::uint8_t> LzhCompress(std::span<const std::uint8_t> data);

} // namespace skin
