// Reads a skin folder the way the engine reads a skin package: the definition with profile-file rules
// (names without case, first section and key win, values trimmed and unquoted, integers decimal, "$" or
// "0x" hexadecimal) and every bitmap a key names, by the engine's reference rules. Written apart from the
// generator so the tests check the files, not the code that made them.
#pragma once

#include "skin/draw/bitmap.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace skintest {

class Profile {
  public:
    static Profile Parse(const std::string& text);

    std::vector<std::string> SectionNames() const;
    bool HasSection(const std::string& section) const;
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;
    int Int(const std::string& section, const std::string& key, int fallback) const;
    // A colour text "r g b" as a pixel, or nullopt.
    std::optional<skin::Pixel> Colour(const std::string& section, const std::string& key) const;
    // Every (section, key, value) whose value names a bitmap (ends in ".bmp", any case).
    std::vector<std::pair<std::string, std::string>> BitmapReferences() const;

  private:
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Keys;
    };
    const Section* Find(const std::string& section) const;
    std::vector<Section> sections_;
};

struct SkinFolder {
    std::filesystem::path Folder;
    Profile Definition;
    std::map<std::string, skin::Bitmap> Bitmaps; // by lower-case file name
    std::map<std::string, std::uintmax_t> FileSizes;

    // The bitmap a key names, following the engine's rules (the part after the last '\' or ':', an exact
    // lower-case ".bmp" ending, names without case); nullptr when it would not load.
    const skin::Bitmap* Bitmap(const std::string& section, const std::string& key) const;
    std::uintmax_t TotalBytes() const;
};

// Loads the folder's single .ini and every .bmp in it; raises std::runtime_error naming what failed.
SkinFolder LoadSkinFolder(const std::filesystem::path& folder);

// Reads a whole file; raises std::runtime_error when it cannot.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

} // namespace skintest
