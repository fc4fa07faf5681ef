// TSkinScControl: a stand-alone scroll bar control (the window is the bar), either orientation, painted
// from the skin after the control paints itself and after every change of its position or range. The
// control tracks its own thumb.
#pragma once

#include "skin/controls/skin_scroll_bar.h"

namespace skin {

class TSkinScControl : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    int HitPart = kHitNone;
    int TrackLength = 0;
    int ThumbLength = 0;
    int ThumbPos = 0;

  private:
    bool OnReflectedScroll(gui::TMessage& message, bool vertical);
    bool Vertical() const;
    // Thumb metrics from the control's range, page and position; false for an unreasonable range.
    bool CalcThumb(int barLength);

    Bitmap barBitmap_{win::DibPixelAllocator(), 0, 0}; // the bar is composed here, kept between paints
};

} // namespace skin
