#include "framework/gui/track_bar.h"

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {

TTrackBar::TTrackBar(TComponent* owner) : TRangeControl(owner) {
    width_ = 150;
    height_ = 45;
    tabStop_ = true;
    max_ = 10;
}

const rtl::TClassInfo& TTrackBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TTrackBar",
        &TRangeControl::StaticClassInfo(),
        {
            IntegerProperty("Frequency", &TTrackBar::SetFrequency, &TTrackBar::Frequency),
            EnumProperty("Orientation", {"trHorizontal", "trVertical"}, &TTrackBar::SetOrientation,
                         &TTrackBar::Orientation),
            EnumProperty("TickStyle", {"tsAuto", "tsNone", "tsManual"}, &TTrackBar::SetTickStyle,
                         &TTrackBar::TickStyle),
            EnumProperty("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &TTrackBar::SetTickMarks,
                         &TTrackBar::TickMarks),
            EventProperty("OnChange", &TTrackBar::OnChange),
        }};
    return info;
}

void TTrackBar::SendRange() {
    SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(handle_, TBM_SETRANGEMAX, TRUE, max_);
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SendPosition() {
    SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

int TTrackBar::ReadPosition() const {
    return static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
}

void TTrackBar::PositionChanged() {
    if (OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = value;
    if (handle_) SendRange();
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Recreate();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
    if (value == tickStyle_) return;
    tickStyle_ = value;
    Recreate();
}

void TTrackBar::SetTickMarks(TTickMark value) {
    if (value == tickMarks_) return;
    tickMarks_ = value;
    Recreate();
}

void TTrackBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.ClassName = TRACKBAR_CLASSW;
    params.SystemClass = true;
    // Orientation and ticks are window styles the control reads when it is created.
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.Style |= orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
    if (tickStyle_ == tsNone) params.Style |= TBS_NOTICKS;
    if (tickStyle_ == tsAuto) params.Style |= TBS_AUTOTICKS;
    if (tickMarks_ == tmTopLeft) params.Style |= TBS_TOP;
    if (tickMarks_ == tmBoth) params.Style |= TBS_BOTH;
}

void TTrackBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    // The user moved the thumb: the bar tells its parent, which hands it back here.
    case CN_HSCROLL:
    case CN_VSCROLL: {
        message.Result = 0;
        const int now = Position();
        if (now == position_) return;
        position_ = now;
        return PositionChanged();
    }
    default:
        return TWinControl::WndProc(message);
    }
}

} // namespace gui
