// The review image of a skin: mock windows drawn from it at the top, then every image of the skin frame by
// frame at twice its size (key-coloured pixels shown as a pale checkerboard), each labelled with the
// section and key that name it, its size, frame count and layout, and the state each frame stands for.
#pragma once

#include "tools/skingen/skin_model.h"

#include <string>

namespace skingen {

skin::Bitmap DrawContactSheet(const Skin& skin, const std::string& title);

} // namespace skingen
