// Non-client objects of a skinned window: the caption buttons and, later, the menu bar items. Their layout,
// painting, mouse handling and the skinned system menu come with the caption button support; here they
// are bound to their skin elements so that the frame can reserve and refresh them.
#pragma once

#include <windows.h>

#include "skin/data/skin_records.h"

namespace skin {

class TWinSkinForm;

// An object drawn in the non-client area, in window coordinates.
class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& owner) : Owner(owner) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // The mouse left the object: back to its normal look.
    virtual void MouseLeave() {}

    TWinSkinForm& Owner;
    RECT BoundsRect{};
};

// One caption button, bound to its skin element.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& owner, const TDataSkinSysButton& element) : TNCObject(owner), Element(&element) {}

    const TDataSkinSysButton* Element;
};

} // namespace skin
