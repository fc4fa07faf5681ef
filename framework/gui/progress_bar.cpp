#include "framework/gui/progress_bar.h"

#include <commctrl.h>

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 16;
}

const rtl::TClassInfo& TProgressBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TProgressBar", &TWinControl::StaticClassInfo(), {
        IntegerProperty("Min", &TProgressBar::SetMin, &TProgressBar::Min),
        IntegerProperty("Max", &TProgressBar::SetMax, &TProgressBar::Max),
        IntegerProperty("Position", &TProgressBar::SetPosition, &TProgressBar::Position),
        BooleanProperty("Smooth", &TProgressBar::SetSmooth, &TProgressBar::Smooth),
        EnumProperty("Orientation", {"pbHorizontal", "pbVertical"}, &TProgressBar::SetOrientation,
                     &TProgressBar::Orientation),
    }};
    return info;
}

void TProgressBar::SetMin(int value) {
    min_ = value;
    if (handle_) SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SetMax(int value) {
    max_ = value;
    if (handle_) SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TProgressBar::Position() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0)) : position_;
}

void TProgressBar::SetPosition(int value) {
    position_ = value;
    if (handle_) SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetSmooth(bool value) {
    if (value == smooth_) return;
    smooth_ = value;
    Recreate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Recreate();
}

void TProgressBar::Recreate() {
    // Smooth and vertical are window styles the control reads when it is created.
    if (!handle_) return;
    position_ = Position();
    DestroyHandle();
    HandleNeeded();
}

void TProgressBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.ClassName = PROGRESS_CLASSW;
    params.SystemClass = true;
    if (smooth_) params.Style |= PBS_SMOOTH;
    if (orientation_ == pbVertical) params.Style |= PBS_VERTICAL;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TProgressBar::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

} // namespace gui
