// The form scratch bitmap: one off-screen bitmap the form skinning code shares as its back buffer (menu
// bar and form painting). It exists from the program's static initialisation to its static finalisation
// and is used by the user-interface thread only; painters size it to what they compose.
#pragma once

#include "skin/draw/bitmap.h"

namespace skin {

// The scratch bitmap, or null before it is made and after it is freed (then no frame is painted).
Bitmap* FormScratchBitmap() noexcept;

} // namespace skin
