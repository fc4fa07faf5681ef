// Builds a whole skin from its parameters: every element family in definition order.
#pragma once

#include "tools/skingen/skin_model.h"
#include "tools/skingen/skin_params.h"

namespace skingen {

Skin BuildSkin(const SkinParams& params);

} // namespace skingen
