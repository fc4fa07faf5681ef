// In-place turns of skin images, for images a skin stores once and uses in other orientations.
#pragma once

#include "skin/draw/bitmap.h"

namespace skin {

// Pixel (x, y) moves to (w - 1 - x, y).
void MirrorBitmap(Bitmap& bitmap);
// Row y moves to row h - 1 - y.
void FlipBitmap(Bitmap& bitmap);
// A quarter turn counter-clockwise: the bitmap becomes h wide and w high, (x, y) moves to (y, w - 1 - x).
void RotateBitmapLeft(Bitmap& bitmap);
// A quarter turn clockwise: the bitmap becomes h wide and w high, (x, y) moves to (h - 1 - y, x).
void RotateBitmapRight(Bitmap& bitmap);

} // namespace skin
