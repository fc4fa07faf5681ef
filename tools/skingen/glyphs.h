// The small pictures drawn on buttons: caption glyphs as crisp 1-pixel lines, and the smoothed marks of
// the controls (arrows, check mark, chevrons). Each takes the rectangle it is centred in.
#pragma once

#include "tools/skingen/shapes.h"

namespace skingen {

enum class CaptionGlyph { Close, Maximize, Restore, Minimize, Help };

// Caption glyphs are drawn on a grid of `size` pixels (9 for caption buttons, 7 for the MDI buttons),
// centred in rect.
void DrawCaptionGlyph(Bitmap& bitmap, const Rect& rect, CaptionGlyph glyph, int size, Pixel colour);

enum class Direction { Up, Down, Left, Right };

// An open chevron (two strokes) pointing in direction, `span` pixels across its base, centred in rect.
void DrawChevron(Bitmap& bitmap, const Rect& rect, Direction direction, double span, double width,
                 Pixel colour, const Brush& brush = {});
// A solid triangle of crisp pixel rows pointing in direction: `base` pixels wide (odd), base / 2 + 1 deep.
void DrawTriangle(Bitmap& bitmap, const Rect& rect, Direction direction, int base, Pixel colour);
// The check mark of a check box, scaled to rect.
void DrawCheckMark(Bitmap& bitmap, const Rect& rect, double width, Pixel colour, const Brush& brush = {});

} // namespace skingen
