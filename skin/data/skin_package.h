// Layout of an uncompressed skin package, shared by the reader and the writer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

inline constexpr std::uint32_t kPackageVersion = 20000;
inline constexpr std::size_t kPackageHeaderSize = 16; // version, name list length, 8 reserved bytes
inline constexpr std::size_t kNameListLengthOffset = 4;
inline constexpr std::size_t kReservedOffset = 8;
inline constexpr std::size_t kPackageReservedSize = 8;
inline constexpr std::size_t kMemberSizeBytes = 4;
inline constexpr std::size_t kMaxPackageMembers = 1001; // the size table of the reader has 1001 entries

inline std::uint32_t ReadUint32Le(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace skin
