// The caption buttons of a skinned window, drawn from the skin's [Button...] elements: non-client objects
// (skin/menus/nc_object.h) that draw themselves over the caption of their form skinning object.
#pragma once

#include "skin/data/skin_records.h"
#include "skin/menus/nc_object.h"

#include <windows.h>

namespace skin {

class TWinSkinForm;

// One caption button, bound to its skin element (not owned).
class TWinSysButton : public TNCObject {
  public:
    TWinSysButton(TWinSkinForm& skinForm, const TDataSkinSysButton& element);

    void Paint() override;

    TWinSkinForm& SkinForm;
    const TDataSkinSysButton* Element;
};

// Caption button actions.
constexpr int kActionClose = 0;
constexpr int kActionMaximize = 1;
constexpr int kActionMinimize = 2;
constexpr int kActionSystemMenu = 3;
constexpr int kActionIcon = 11;
// Visibility code of the buttons drawn on the menu bar (the MDI child buttons).
constexpr int kVisibilityOnMenuBar = 100;

} // namespace skin
