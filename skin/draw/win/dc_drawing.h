// The drawing primitives onto a device context (a window's own DC included): each composes off-screen
// with the portable routines and reaches the device context in one operation; with key-colour
// transparency only the pixels that are not of the key colour change there.
#pragma once

#include "skin/draw/bitmap.h"

#include <windows.h>

namespace skin::win {

// Copies rect's width x height from bitmap's top-left corner to rect on dc; where bitmap has exactly
// keyColour the device context keeps its pixels (one MaskBlt with a mask made from the key colour).
void DrawTransparent(HDC dc, const Rect& rect, const Bitmap& bitmap, Colour keyColour);

void DrawSkinImage(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins, int frameIndex,
                   int frameCount, bool trans, bool tile, bool vertical);
void DrawSkinBar(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins, int frameIndex,
                 int frameCount, bool trans, bool vertical);
void DrawSkinFrame(HDC dc, const Rect& rect, const Bitmap& image, int frameIndex, int frameCount, bool trans);

} // namespace skin::win
