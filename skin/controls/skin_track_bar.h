// TSkinTrackBar: a track bar keeps drawing its channel and ticks, and the skin draws its thumb, through the
// custom-draw notifications the track bar sends while it paints.
#pragma once

#include "skin/controls/skin_control.h"

#include <windows.h>
#include <commctrl.h>

namespace skin {

class TSkinTrackBar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;

    // The frame of the thumb strip for the thumb's state: hot under the mouse, pressed while dragged.
    static int ThumbFrame(bool enabled, bool pressed, bool hot);

  private:
    // The answer to one custom-draw notification.
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
    void DrawThumb(HDC dc);
    bool ThumbHot() const;
    void TrackHot();
    // The background the track bar erases with: the skin's face colour.
    void AnswerBackground(gui::TMessage& message);

    bool hot_ = false; // the mouse is over the thumb, as last drawn
    gui::UniqueBrush faceBrush_;
    COLORREF faceBrushColour_ = 0;
};

} // namespace skin
