// A 5 x 7 pixel font for the labels of contact sheets and the mock windows drawn on them. The engine draws
// real text with the system's fonts; this only has to be legible on a review image.
#pragma once

#include "skin/draw/bitmap.h"

#include <string_view>

namespace skingen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6; // glyph width plus one column of space
inline constexpr int kLineHeight = 9;

// Width in pixels of text at the given scale (characters outside printable ASCII draw as '?').
int TextWidth(std::string_view text, int scale = 1);
// Draws text with its top-left corner at (x, y); pixels outside the bitmap are skipped.
void DrawText(skin::Bitmap& bitmap, int x, int y, std::string_view text, skin::Pixel colour, int scale = 1);

} // namespace skingen
