// A generated skin held in memory: the definition's sections with their keys in writing order, and the
// images the definition names, each with the frame layout its painter reads and a name per frame for the
// contact sheet.
#pragma once

#include "skin/draw/bitmap.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skingen {

struct Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;

    // Adds a key; a key set twice keeps its first place and takes the new value.
    Section& Set(std::string_view key, std::string_view value);
    Section& Set(std::string_view key, int value);
    // The value of a key (letter case ignored, as the definition reader does), or nullptr.
    const std::string* Find(std::string_view key) const;
    // The key read as an integer; fallback when it is missing or not a plain decimal number.
    int Int(std::string_view key, int fallback) const;
};

struct SkinImage {
    std::string File; // member name in the package, lower case, ".bmp"
    skin::Bitmap Pixels;
    int Frames = 1;
    bool Vertical = false;               // frames stacked rather than side by side
    std::vector<std::string> FrameNames; // one per frame: the state it stands for
};

class Skin {
  public:
    // Appends a section; raises rtl::Exception when one of that name exists.
    Section& AddSection(std::string_view name);
    // Appends an image; raises rtl::Exception for a second image of the same file name, a frame count
    // that does not divide the image, or a frame name list of the wrong length.
    const SkinImage& AddImage(SkinImage image);

    const Section* FindSection(std::string_view name) const;
    // The section of that name; raises rtl::Exception when there is none.
    const Section& GetSection(std::string_view name) const;
    Section& GetSection(std::string_view name);
    // The image a section key names, or nullptr.
    const SkinImage* ImageOf(std::string_view section, std::string_view key) const;
    const SkinImage* FindImage(std::string_view file) const;

    const std::vector<Section>& Sections() const noexcept { return sections_; }
    const std::vector<SkinImage>& Images() const noexcept { return images_; }

  private:
    std::vector<Section> sections_;
    std::vector<SkinImage> images_;
};

// A colour as the definition writes it: "red green blue" in decimal.
std::string ColourText(skin::Pixel p);

} // namespace skingen
