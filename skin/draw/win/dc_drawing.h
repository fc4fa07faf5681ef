// The drawing primitives onto a device context (a window's own DC included): each composes off-screen
// with the portable routines and reaches the device context in one operation; with key-colour
// transparency only the pixels that are not of the key colour change there.
#pragma once

#include "skin/draw/bitmap.h"
#include "skin/draw/skin_image.h"

#include <windows.h>

namespace skin::win {

// Copies rect's width x height from bitmap's top-left corner to rect on dc; where bitmap has exactly
// keyColour the device context keeps its pixels (one MaskBlt with a mask made from the key colour).
void DrawTransparent(HDC dc, const Rect& rect, const Bitmap& bitmap, Colour keyColour);

// The image routines of skin_image.h onto a device context.
void DrawSkinImage(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins,
                   const SkinImageOptions& options);
void DrawSkinBar(HDC dc, const Rect& rect, const Bitmap& image, const Rect& margins,
                 const SkinImageOptions& options);
void DrawSkinFrame(HDC dc, const Rect& rect, const Bitmap& image, const SkinImageOptions& options);

} // namespace skin::win
