// Loading a skin file into a TSkinReader, with messages that name the file.
#pragma once

#include <filesystem>

#include "skin/data/skin_reader.h"

namespace skin::tool {

// Raises rtl::Exception naming the file for a damaged package and for one of another version.
void LoadSkinFile(const std::filesystem::path& path, TSkinReader& reader);

} // namespace skin::tool
