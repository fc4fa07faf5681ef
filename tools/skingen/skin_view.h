// Read access to a generated skin the way the engine reads it: an element's image, margins and flags from
// its section, colours from their colour texts. The preview uses it, so what it shows follows the
// definition that is written, not the generator's parameters.
#pragma once

#include "skin/draw/geometry.h"
#include "tools/skingen/skin_model.h"

#include <string_view>

namespace skingen {

struct ElementView {
    const SkinImage* Image = nullptr; // nullptr when the section or its image is missing
    skin::Rect Margins;               // LeftWidth, TopHeight, RightWidth, BottomHeight
    bool Trans = false;
    bool Tile = false;
    int Frames = 1;

    bool Present() const noexcept { return Image != nullptr; }
};

// The element of a section: image from imageKey, margins and flags from the usual keys, frame count as
// given (the engine fixes it per element).
ElementView ElementOf(const Skin& skin, std::string_view section, int frames,
                      std::string_view imageKey = "Image");

// A colour text ("r g b") read as a pixel; fallback when the key is missing or malformed.
skin::Pixel ColourOf(const Skin& skin, std::string_view section, std::string_view key, skin::Pixel fallback);

} // namespace skingen
