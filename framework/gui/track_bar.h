// A track bar: the common controls' slider, a thumb moved along a channel between Min and Max by the mouse
// or the keyboard, with tick marks; OnChange follows every move.
#pragma once

#include "framework/gui/range_control.h"

namespace gui {

enum TTrackBarOrientation { trHorizontal, trVertical };
// Tick marks: every Frequency positions, none, or only where the program puts them.
enum TTickStyle { tsAuto, tsNone, tsManual };
// Which side the ticks (and the thumb's point) are on: below/right, above/left, or both.
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TTrackBar : public TRangeControl {
  public:
    explicit TTrackBar(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle value);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark value);

    rtl::TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() const override;
    void PositionChanged() override;

  private:
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
};

} // namespace gui
