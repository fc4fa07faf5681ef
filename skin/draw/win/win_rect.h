// The engine's rectangles at the Windows edge: inside the engine every rectangle is a skin::Rect; these
// two conversions are the only place a RECT becomes one or one becomes a RECT. Both keep the four edges
// as they are (an inverted rectangle stays inverted).
#pragma once

#include "skin/draw/geometry.h"

#include <windows.h>

namespace skin::win {

constexpr Rect ToRect(const RECT& r) noexcept {
    return Rect{r.left, r.top, r.right, r.bottom};
}

constexpr RECT ToWinRect(const Rect& r) noexcept {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

} // namespace skin::win
