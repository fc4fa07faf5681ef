// Whole-file reading and writing for skintool; errors name the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace skin::tool {

// A skin file never needs to be larger: its code is at most slightly larger than the 64 MiB a package
// may hold. Bigger files are refused before they are read into memory.
inline constexpr std::uintmax_t kMaxInputFileSize = 128u * 1024 * 1024;

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The path as the user gave it, for messages.
std::string Quoted(const std::filesystem::path& path);

} // namespace skin::tool
