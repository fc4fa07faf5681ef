#include "tools/skingen/skin_builder.h"

#include "tools/skingen/elements.h"

namespace skingen {

Skin BuildSkin(const SkinParams& params) {
    Skin skin;
    AddSkinName(skin, params);
    AddFrameElements(skin, params);
    AddCaptionButtons(skin, params);
    AddButtonElements(skin, params);
    AddEditElements(skin, params);
    AddScrollElements(skin, params);
    AddTabElements(skin, params);
    AddBarElements(skin, params);
    AddMenuElements(skin, params);
    AddColourSections(skin, params);
    return skin;
}

} // namespace skingen
