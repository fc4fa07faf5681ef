// The drawing routines the control skinning objects share: a skin element or one frame of an image strip
// onto a device context or a bitmap, button glyphs, and text placed the way the skinned controls place it.
// Every routine draws nothing for an inverted rectangle (right < left or bottom < top).
#pragma once

#include "framework/gui/canvas.h"
#include "skin/data/skin_records.h"
#include "skin/draw/alignment.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/win/bitmap_dc.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace skin {

// A canvas on a composed bitmap with a window's font selected (the default GUI font when it has none, or for
// no window); everything goes back when it ends.
class FaceCanvas {
  public:
    FaceCanvas(Bitmap& bitmap, HWND window);
    gui::TCanvas& canvas() { return canvas_; }
    HDC dc() const { return dc_.get(); }

  private:
    win::BitmapDc dc_;
    gui::TCanvas canvas_;
};

// One frame of the element (frames side by side) nine-sliced to rect, copied opaquely or, when the
// element's Trans is 1, with the key colour transparent.
void DrawSkinElement(HDC dc, const RECT& rect, const TDataSkinObject& element, int frameIndex,
                     int frameCount);
void DrawSkinElement(Bitmap& target, const RECT& rect, const TDataSkinObject& element, int frameIndex,
                     int frameCount);

// Frame frameIndex (1-based) of a strip of frameCount frames side by side, stretched to rect, key colour
// transparent. The canvas variant draws on the canvas's device context.
void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex, const Bitmap& bitmap);
void DrawStripFrame(gui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const Bitmap& bitmap);

// Frame frameIndex of a glyph strip at its own size at rect's top-left, transparent where it has the colour
// of its top-left pixel.
void DrawGlyphFrame(gui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const Bitmap& bitmap);

// Text vertically centred one pixel above the middle of rect, aligned left, centred or right; disabled
// text in the system's button shadow colour.
void DrawCaptionText(gui::TCanvas& canvas, const RECT& rect, TextAlignment alignment, bool enabled,
                     const std::string& text);

// One line centred in rect both ways, drawn with the DT_LEFT, DT_CENTER or DT_RIGHT flag of alignment.
void DrawCentredText(gui::TCanvas& canvas, const RECT& rect, const std::string& text, TextAlignment alignment,
                     bool enabled);

// An image list's icon (none for imageIndex -1 or no list) followed by one line of text, the pair placed
// left (2 pixels in), centred or right (2 pixels in) by alignment and centred vertically.
void DrawIconAndText(gui::TCanvas& canvas, const RECT& rect, TextAlignment alignment, const std::string& text,
                     int imageIndex, HIMAGELIST imageList, bool enabled);

} // namespace skin
