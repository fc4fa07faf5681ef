// Finding the controls of a skinned window and giving each one its control skinning object: for a framework
// form by class name, framework class, tag and the skin data's Skin3rd list, each kind gated by a member of
// the skin data's SkinControls; for a plain window (message boxes, dialogs) by window class and style.
#pragma once

#include "framework/rtl/component.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gui {
class TControl;
}

namespace skin {

class TWinSkinForm;
class TSkinControl;
class ISkinControlObject;

// Tags that force a kind, whatever the class (tag modulo 100), and the tag that counts as scrolling.
constexpr int kTagCombo = 95;
constexpr int kTagScrolling = 96;
constexpr int kTagEdit = 97;
constexpr int kTagScrollBars = 55;

// The walk over the components a container (the form, or a nested container) owns; recursive.
void SkinFormControls(TWinSkinForm& formObject, rtl::TComponent& container);
// The same decisions for some of the components a container owns (controls whose window was made anew):
// those with a window and no skinning object for it.
void SkinControls(TWinSkinForm& formObject, rtl::TComponent& container,
                  const std::vector<rtl::TComponent*>& components);
// The walk over the child windows of a window that is no framework form (message boxes, dialogs).
void SkinChildWindows(TWinSkinForm& formObject);

// The Skin3rd lookup for an upper-case class name: true when the list names the class, whether or not an
// object was made for it.
bool MapBySkin3rd(TWinSkinForm& formObject, const std::string& className, rtl::TComponent& control);
bool IsAlreadySkinned(const TWinSkinForm& formObject, rtl::TComponent& control);
bool HasScrollBars(rtl::TComponent& control);
// The first control skinning object of the window whose control window is window.
ISkinControlObject* FindControlObject(const TWinSkinForm& formObject, HWND window);
// Lists object (which the form object owns from then on) unless it is listed; true when it was.
bool RegisterControlObject(TWinSkinForm& formObject, ISkinControlObject* object);

} // namespace skin
