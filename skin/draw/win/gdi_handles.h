// The framework's handle owners, under the names the drawing code uses.
#pragma once

#include "framework/gui/handles.h"

namespace skin::win {

using gui::SelectedObject;
using gui::UniqueBitmap;
using gui::UniqueBrush;
using gui::UniqueDc;
using gui::UniqueFont;
using gui::UniqueGdi;
using gui::UniquePen;
using gui::UniqueRegion;
using gui::WindowDc;

} // namespace skin::win
