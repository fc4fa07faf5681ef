// Drawing of skin images: nine-slice rendering with a stretched or tiled centre, three-slice bars,
// border-only nine-slice, whole-frame stretching, key-colour transparent copies and tiling.
//
// A skin image is a strip of frameCount equal frames (one per visual state), side by side or, when
// `vertical`, stacked; frames are numbered from 1. Margins are given as a Rect whose fields hold the
// element's LeftWidth, TopHeight, RightWidth and BottomHeight (TDataSkinObject::Margins). Every routine
// draws onto a destination Bitmap, so a painter composes off-screen and puts the result on the window
// once. Stretching follows the COLORONCOLOR rule (see StretchCopy).
#pragma once

#include "skin/draw/bitmap.h"

namespace skin {

// Which frame of a skin image strip is drawn, and how. Call sites name what differs from the defaults:
// DrawSkinImage(dst, rect, image, margins, {.frame = 2, .frameCount = 4, .transparent = true}).
struct SkinImageOptions {
    int frame = 1;            // 1-based
    int frameCount = 1;       // a count below 1 is taken as 1
    bool transparent = false; // put with the skin key colour transparent (the Draw routines)
    bool tile = false;        // the nine-slice centre is tiled instead of stretched
    bool vertical = false;    // the frames are stacked instead of side by side
};

// The rectangle of the options' frame in image. The frame width (height, when vertical) is the image's
// divided by frameCount; remainder columns (rows) are never used.
Rect SkinFrameRect(const Bitmap& image, const SkinImageOptions& options) noexcept;

// Renders one frame nine-sliced into a new bitmap of rect's width and height. Corners keep their size,
// edges are stretched along their length, the centre is stretched or (tile) tiled. When the bitmap is
// narrower than LeftWidth + RightWidth both are taken as 0, and likewise for the heights, so the frame
// is then stretched across that axis. A rect of negative width or height gives an empty bitmap.
Bitmap RenderSkinImage(const Rect& rect, const Bitmap& image, const Rect& margins,
                       const SkinImageOptions& options);

// RenderSkinImage into rect of dst, copied opaquely or (transparent) with the skin key colour transparent.
void DrawSkinImage(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                   const SkinImageOptions& options);

// Three slices along x, each stretched to rect's height at its own width: the left end (LeftWidth), the
// middle (the rest of the frame) repeated, the right end (RightWidth) drawn last, over the others.
void DrawSkinBar(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                 const SkinImageOptions& options);

// The work bitmap of DrawSkinBar, rect's size (empty for an inverted rect), before it is put anywhere.
Bitmap RenderSkinBar(const Rect& rect, const Bitmap& image, const Rect& margins,
                     const SkinImageOptions& options);

// The eight outer pieces of the nine-slice, drawn straight onto dst inside rect; the centre is never
// touched. Always opaque.
void DrawSkinBorder(Bitmap& dst, const Rect& rect, const Bitmap& image, const Rect& margins,
                    const SkinImageOptions& options);

// A whole frame stretched to rect, opaque or (transparent) key-colour transparent.
void DrawSkinFrame(Bitmap& dst, const Rect& rect, const Bitmap& image, const SkinImageOptions& options);

// The work bitmap of DrawSkinFrame: the frame stretched to rect's size (empty for an inverted rect).
Bitmap RenderSkinFrame(const Rect& rect, const Bitmap& image, const SkinImageOptions& options);

// Copies rect's width x height from bitmap's top-left corner to rect, unscaled; pixels of exactly
// keyColour are not drawn.
void DrawTransparent(Bitmap& dst, const Rect& rect, const Bitmap& bitmap, Colour keyColour);

// Repeats srcRect of bitmap over destRect, column by column from destRect's top-left corner. The tiles
// are not clipped to destRect: the last column and row reach past its right and bottom edges.
void TileBitmap(Bitmap& dst, const Rect& destRect, const Bitmap& bitmap, const Rect& srcRect);

} // namespace skin
