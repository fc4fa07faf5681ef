// Bitmaps on device contexts: a bitmap's pixels can live in a DIB section, so GDI can draw on them (text
// onto off-screen images) through a memory device context, and a composed bitmap reaches any device
// context in one operation.
#pragma once

#include "skin/draw/bitmap.h"
#include "skin/draw/win/gdi_handles.h"

#include <windows.h>

namespace skin::win {

// Makes buffers in top-down 32-bit DIB sections, the layout of Bitmap, so pixels need no conversion.
const PixelAllocator& DibPixelAllocator() noexcept;

// The DIB section holding bitmap's pixels; a bitmap whose pixels are elsewhere is moved into one first
// (and stays there). Null for an empty bitmap.
HBITMAP DibHandle(Bitmap& bitmap);

// A memory device context with bitmap selected into it, in COLORONCOLOR stretch mode. The bitmap must not
// be resized while this lives. GDI output is flushed when it ends, so the pixels can be read again.
class BitmapDc {
  public:
    explicit BitmapDc(Bitmap& bitmap);
    // On a memory device context the caller keeps between uses (making one costs more than drawing a line
    // of text): the bitmap is selected into it for this object's life only.
    BitmapDc(HDC memoryDc, Bitmap& bitmap);
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;
    ~BitmapDc();

    HDC get() const noexcept { return dc_; }

  private:
    void Select(Bitmap& bitmap);

    UniqueDc owned_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// Copies srcRect of bitmap to dc with its top-left corner at (x, y), in one operation, opaquely.
void CopyToDc(HDC dc, int x, int y, const Bitmap& bitmap, const Rect& srcRect);

// Copies srcRect of dc into bitmap at `at` (for instance what a window shows, to compose over it).
void CopyFromDc(Bitmap& bitmap, Point at, HDC dc, const Rect& srcRect);

} // namespace skin::win
