// Block transfers between bitmaps: plain copies, nearest-neighbour stretching and key-colour transparent
// copies. Every transfer clips against both bitmaps: pixels outside the destination are not written and
// pixels outside the source are not read (the destination keeps what it had there).
#pragma once

#include "skin/draw/bitmap.h"

#include <vector>

namespace skin {

void FillRect(Bitmap& dst, const Rect& rect, Pixel p) noexcept;

// 1:1 copy of srcRect of src to dst with its top-left corner at `at`.
void CopyRect(Bitmap& dst, Point at, const Bitmap& src, const Rect& srcRect) noexcept;

// As CopyRect, but source pixels whose colour (0x00RRGGBB, top byte ignored) equals key are skipped.
void CopyTransparent(Bitmap& dst, Point at, const Bitmap& src, const Rect& srcRect, Pixel key) noexcept;

// Stretches srcRect of src onto dstRect of dst the way the Windows COLORONCOLOR stretch mode does: every
// destination pixel is a copy of one source pixel, whole columns and rows being dropped on a shrink and
// repeated on a grow, never blended. Nothing is drawn when either rectangle has no pixels.
void StretchCopy(Bitmap& dst, const Rect& dstRect, const Bitmap& src, const Rect& srcRect);

// Which source index each of dstLength destination indices copies (0-based, relative to the start of
// the source span). `columns` selects the horizontal rule, which differs from the vertical one when
// shrinking. Exposed for the tests that pin the mapping down.
std::vector<int> StretchAxisMap(int srcLength, int dstLength, bool columns);

} // namespace skin
