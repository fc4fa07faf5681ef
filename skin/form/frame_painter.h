// TFramePainter: the skinned frame of one window. It paints the four borders and the caption strip, composed
// off-screen (top border, text, caption buttons) and put on the window in one copy, and the menu bar row; it
// builds the window's shape from the borders where they carry the skin key colour. It owns what the frame
// is drawn with: the caption bitmap, the window's icon and the caption font.
#pragma once

#include "framework/gui/canvas.h"
#include "framework/gui/handles.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/geometry.h"

#include <windows.h>

#include <string>
#include <utility>

namespace skin {

class TWinSkinForm;

// While it lives, a window DC draws in the window's own left-to-right coordinates. The system mirrors the DCs
// of windows laid out right to left; the skinned frame places its borders, caption and buttons itself.
class UnmirroredDc {
  public:
    explicit UnmirroredDc(HDC dc) : dc_(dc), layout_(dc ? GetLayout(dc) : 0) {
        if (layout_ != GDI_ERROR && (layout_ & LAYOUT_RTL)) SetLayout(dc_, 0);
    }
    ~UnmirroredDc() {
        if (layout_ != GDI_ERROR && (layout_ & LAYOUT_RTL)) SetLayout(dc_, layout_);
    }
    UnmirroredDc(const UnmirroredDc&) = delete;
    UnmirroredDc& operator=(const UnmirroredDc&) = delete;

  private:
    HDC dc_;
    DWORD layout_;
};

class TFramePainter {
  public:
    // form: the skinning object whose window, skin and state the frame is painted from.
    explicit TFramePainter(TWinSkinForm& form) : form_(form) {}
    TFramePainter(const TFramePainter&) = delete;
    TFramePainter& operator=(const TFramePainter&) = delete;

    // The whole frame onto dc, or onto the window's own DC when dc is null.
    void PaintFrame(HDC dc);
    // One border (side 1 left, 2 right, 3 top, 4 bottom) rendered at width x height in the current state.
    Bitmap RenderBorder(int side, int width, int height) const;

    // The window's region for a window of width x height, or none when it cannot be made. The caller gives
    // it to the window; until then it is the caller's to free.
    gui::UniqueRegion WindowRegion(int width, int height);
    // The region last made fits a window of width x height (a plain rectangle never counts as made).
    bool RegionFits(int width, int height) const { return width == RegionWidth && height == RegionHeight; }
    void ForgetRegionSize() { RegionWidth = RegionHeight = 0; }

    // The window's caption font and its icon (or the skin's stand-in), read again.
    void ReadCaptionFont();
    void LoadWindowIcon();
    HFONT CaptionFont() const { return captionFont_.get(); }
    const Bitmap& Icon() const { return IconBitmap; }
    bool HasOwnIcon() const { return hasOwnIcon_; }

    const std::string& CaptionText() const { return captionText_; }
    void SetCaptionText(std::string text) { captionText_ = std::move(text); }
    // Where the caption text went, as last painted, and the window's width then.
    const RECT& CaptionTextRect() const { return captionTextRect_; }
    int PaintedWidth() const { return WindowWidth; }
    // The caption as composed before its buttons: what shows through them.
    const Bitmap& CaptionUnderButtons() const { return CaptionBackground; }
    // The composed caption and the kept borders are thrown away: the next paint composes them anew (a new
    // skin, a new DPI, a window no longer skinned).
    void DropComposed();

  private:
    // A border as RenderBorder makes it, kept for the next paint of the same size in the same state.
    struct KeptBorder {
        Bitmap Image;
        int Width = 0, Height = 0;
        bool Active = false;
    };
    const Bitmap& BorderImage(int side, int width, int height);
    void PaintBorder(int side, const Rect& rect, HDC dc);
    void PaintCaption(HDC dc);
    void PaintCaptionText(gui::TCanvas& canvas, const RECT& rect);

    TWinSkinForm& form_;
    gui::UniqueFont captionFont_;
    Bitmap IconBitmap;
    bool hasOwnIcon_ = false;   // IconBitmap is the window's own icon, not the skin's stand-in
    KeptBorder keptBorders_[4]; // by side - 1
    gui::UniqueDc captionDc_;   // the caption's text is drawn through it; made at the first paint
    Bitmap CaptionBitmap;
    Bitmap CaptionBackground;
    std::string CaptionPrefix = "  ";
    std::string captionText_;
    RECT WindowRect{};
    RECT captionTextRect_{};
    int WindowWidth = 0, WindowHeight = 0;
    int RegionWidth = 0, RegionHeight = 0;
};

} // namespace skin
