// Finding the controls of a skinned window and giving each one its control skinning object. The decision
// list comes with the control skinning objects; until then no control is taken over.
#pragma once

#include "framework/gui/form.h"

namespace skin {

class TWinSkinForm;

// The walk over a framework form's components.
void SkinFormControls(TWinSkinForm& formObject, gui::TForm& form);
// The walk over the child windows of a window that is no framework form (message boxes, dialogs).
void SkinChildWindows(TWinSkinForm& formObject);

} // namespace skin
