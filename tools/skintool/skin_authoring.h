// What skin authors' tools share: packing a skin folder in memory and checking a skin, for skintool and for
// the gallery's live reload.
#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <vector>

namespace skin::tool {

struct PackedFolder {
    std::vector<std::uint8_t> Compressed; // the skin file's bytes
    std::size_t Members = 0;
    std::uintmax_t UnpackedBytes = 0;
};

// Packs a folder's one .ini file and its .bmp files (in name order) as a skin file does. Raises
// rtl::Exception naming the folder when it is not one, holds no or several .ini files, or a member cannot be
// added.
PackedFolder PackSkinFolder(const std::filesystem::path& folder);

struct CheckCounts {
    int Problems = 0; // what would look broken
    int Warnings = 0; // likely slips the engine ignores
};

// Checks the skin in a folder or skin file and writes one line per finding to out, each starting with the
// member (and ":line" for the definition) it is about; warnings carry "warning:" after it. Raises
// rtl::Exception naming the file when the skin cannot be read at all.
CheckCounts CheckSkin(const std::filesystem::path& folderOrFile, std::ostream& out);

} // namespace skin::tool
