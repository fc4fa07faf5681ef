// Non-client objects of a skinned window: the caption buttons drawn from the skin's [Button...] elements
// and the menu bar items. Each has a place in window coordinates and a state (normal, pressed, hot) that
// the non-client mouse messages of its form skinning object move it through.
#pragma once

#include "skin/data/skin_records.h"

#include <windows.h>

namespace skin {

class TWinSkinForm;

// States of a non-client object; they are also the frame numbers of a caption button's strip.
constexpr int kStateNormalFrame = 1;
constexpr int kStatePressedFrame = 2;
constexpr int kStateHotFrame = 3;

class TNCObject {
  public:
    explicit TNCObject(TWinSkinForm& skinForm) : SkinForm(skinForm) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm& SkinForm;
    RECT Bounds{};
    bool Visible = false;
    int State = kStateNormalFrame;
};

// One caption button, bound to its skin element (not owned).
class TWinSysButton : public TNCObject {
  public:
    TWinSysButton(TWinSkinForm& skinForm, const TDataSkinSysButton& element)
        : TNCObject(skinForm), Element(&element) {}

    void Paint() override;

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
