// A skin as the files of a skin folder: the definition and one BMP per image.
#pragma once

#include "tools/skingen/skin_model.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skingen {

struct SkinFile {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

// The definition first, then the images in the order the skin holds them.
std::vector<SkinFile> SkinFiles(const Skin& skin);

// Writes the files into folder (created if missing) and removes other .bmp and .ini files found there, so
// an image dropped from the generator does not linger. Raises rtl::Exception naming the file on failure.
void WriteSkinFolder(const std::vector<SkinFile>& files, const std::filesystem::path& folder);

// Writes bytes to a file, raising rtl::Exception with the path on failure.
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

} // namespace skingen
