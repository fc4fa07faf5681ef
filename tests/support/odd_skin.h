// Odd but loadable skins, made deterministically from a seed: images of 1 x 1 and of widths that are
// not a multiple of their frame count, frame counts of 0, 1 and more than the image has pixels, margins
// of 0 and far beyond the image, every Trans/Tile/Style value, missing sections and images, the key
// colour everywhere, caption buttons outside the caption, font sizes of 0 and 200. The tests and the
// load fuzzer seed from them, and both hand what loads to PaintEveryElement.
#pragma once

#include "skin/data/package_writer.h"
#include "skin/data/skin_definition.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace skin::test {

struct OddSkin {
    std::string Definition; // the member "skin.ini"
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> Images;

    PackageWriter Package() const;
};

OddSkin MakeOddSkin(std::uint32_t seed);

// Draws every element of a loaded skin the way the painters would in a window of width x height (sizes
// above maxSide are cut to it): each element nine-sliced, as a bar, as whole frames and as a border, for
// frames 1 to its frame count and one past it, horizontally and vertically, opaque and key-colour
// transparent; the window frame's region runs; a right-to-left (mirrored) copy of the frame and the
// turned images. Returns a checksum of the pixels drawn, so the work cannot be optimised away.
std::uint32_t PaintEveryElement(const TSkinDefinition& skin, int width, int height, int maxSide = 256);

} // namespace skin::test
