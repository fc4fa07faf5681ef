// The skin definition as text: sections and keys in the skin's order, CRLF line ends (the format of
// profile files), plain ASCII.
#pragma once

#include "tools/skingen/skin_model.h"

#include <string>

namespace skingen {

// The file name of the definition inside a skin folder and package.
inline constexpr const char* kDefinitionFile = "skin.ini";

std::string WriteDefinition(const Skin& skin);

} // namespace skingen
