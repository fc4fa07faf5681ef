// Mock windows drawn from a generated skin with the engine's own drawing primitives, following what each
// painter does with each element (frame indices, margins, transparency), so that a reviewer sees the skin
// as the program will show it. Text is drawn with the contact sheet's pixel font instead of the system's.
#pragma once

#include "tools/skingen/skin_model.h"

namespace skingen {

// The program's main window, active, with a menu bar and one of each skinned control. Pixels outside the
// window region (the rounded top corners) show backdrop.
skin::Bitmap DrawMainWindowPreview(const Skin& skin, skin::Pixel backdrop);
// An inactive message box: a close button only, a focused push button.
skin::Bitmap DrawDialogPreview(const Skin& skin, skin::Pixel backdrop);
// The skinned system menu, open, one item selected and one disabled.
skin::Bitmap DrawMenuPreview(const Skin& skin);

} // namespace skingen
