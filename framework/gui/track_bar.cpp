#include "framework/gui/track_bar.h"

#include <commctrl.h>

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 45;
    tabStop_ = true;
}

const rtl::TClassInfo& TTrackBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TTrackBar", &TWinControl::StaticClassInfo(), {
        IntegerProperty("Min", &TTrackBar::SetMin, &TTrackBar::Min),
        IntegerProperty("Max", &TTrackBar::SetMax, &TTrackBar::Max),
        IntegerProperty("Position", &TTrackBar::SetPosition, &TTrackBar::Position),
        IntegerProperty("Frequency", &TTrackBar::SetFrequency, &TTrackBar::Frequency),
        EnumProperty("Orientation", {"trHorizontal", "trVertical"}, &TTrackBar::SetOrientation,
                     &TTrackBar::Orientation),
        EnumProperty("TickStyle", {"tsAuto", "tsNone", "tsManual"}, &TTrackBar::SetTickStyle, &TTrackBar::TickStyle),
        EnumProperty("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &TTrackBar::SetTickMarks,
                     &TTrackBar::TickMarks),
        EventProperty("OnChange", &TTrackBar::OnChange),
    }};
    return info;
}

void TTrackBar::SetMin(int value) {
    min_ = value;
    if (handle_) SendMessageW(handle_, TBM_SETRANGEMIN, TRUE, min_);
}

void TTrackBar::SetMax(int value) {
    max_ = value;
    if (handle_) SendMessageW(handle_, TBM_SETRANGEMAX, TRUE, max_);
}

int TTrackBar::Position() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0)) : position_;
}

void TTrackBar::SetPosition(int value) {
    const int before = Position();
    position_ = value;
    if (handle_) SendMessageW(handle_, TBM_SETPOS, TRUE, value);
    if (Position() != before && OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int value) {
    frequency_ = value;
    if (handle_) SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
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

void TTrackBar::Recreate() {
    // Orientation and ticks are window styles the control reads when it is created.
    if (!handle_) return;
    position_ = Position();
    DestroyHandle();
    HandleNeeded();
}

void TTrackBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.ClassName = TRACKBAR_CLASSW;
    params.SystemClass = true;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.Style |= orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
    if (tickStyle_ == tsNone) params.Style |= TBS_NOTICKS;
    if (tickStyle_ == tsAuto) params.Style |= TBS_AUTOTICKS;
    if (tickMarks_ == tmTopLeft) params.Style |= TBS_TOP;
    if (tickMarks_ == tmBoth) params.Style |= TBS_BOTH;
}

void TTrackBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(handle_, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Scrolled() {
    const int now = Position();
    if (now == position_) return;
    position_ = now;
    if (OnChange) OnChange(this);
}

void TTrackBar::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        message.Result = 0;
        return Scrolled();
    default: return TWinControl::WndProc(message);
    }
}

} // namespace gui
