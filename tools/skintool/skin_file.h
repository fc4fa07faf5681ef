// Loading a skin file into a TSkinReader, with messages that name the file.
#pragma once

#include "skin/data/skin_reader.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace skin::tool {

// Reads the file into reader and gives back its bytes. Raises rtl::Exception naming the file for a
// damaged package and for one of another version.
std::vector<std::uint8_t> LoadSkinFile(const std::filesystem::path& path, TSkinReader& reader);

} // namespace skin::tool
