// Building blocks shared by the element families: a frame strip drawn frame by frame, and the section of a
// plain element (image, margins, transparency, tiling).
#pragma once

#include "tools/skingen/shapes.h"
#include "tools/skingen/skin_model.h"

#include <functional>
#include <string>
#include <vector>

namespace skingen {

// Draws frame `frame` (1-based) into a bitmap of the frame's size that starts filled with the key colour.
using FramePainter = std::function<void(Bitmap& frameBitmap, int frame)>;

// An image of frameNames.size() frames of frameWidth x frameHeight, side by side or (vertical) stacked.
SkinImage MakeStrip(std::string file, int frameWidth, int frameHeight, std::vector<std::string> frameNames,
                    bool vertical, const FramePainter& paint);

struct Margins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// A section with Image=<file> (or imageKey=<file>), the margins, Trans and Tile, added to the skin with its
// image.
Section& AddElement(Skin& skin, const std::string& section, SkinImage image, const Margins& margins,
                    bool trans, bool tile, const std::string& imageKey = "Image");

} // namespace skingen
