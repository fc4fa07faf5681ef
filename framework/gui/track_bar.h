// A track bar: the common controls' slider, a thumb moved along a channel between Min and Max by the mouse
// or the keyboard, with tick marks; OnChange follows every move.
#pragma once

#include "framework/gui/control.h"

namespace gui {

enum TTrackBarOrientation { trHorizontal, trVertical };
// Tick marks: every Frequency positions, none, or only where the program puts them.
enum TTickStyle { tsAuto, tsNone, tsManual };
// Which side the ticks (and the thumb's point) are on: below/right, above/left, or both.
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
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
    void CreateWnd() override;

private:
    void Recreate();
    void Scrolled();

    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
    TTickStyle tickStyle_ = tsAuto;
    TTickMark tickMarks_ = tmBottomRight;
};

} // namespace gui
