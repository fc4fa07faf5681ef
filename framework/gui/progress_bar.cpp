#include "framework/gui/progress_bar.h"

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner) {
    width_ = 150;
    height_ = 16;
}

const rtl::TClassInfo& TProgressBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TProgressBar",
        &TRangeControl::StaticClassInfo(),
        {
            BooleanProperty("Smooth", &TProgressBar::SetSmooth, &TProgressBar::Smooth),
            EnumProperty("Orientation", {"pbHorizontal", "pbVertical"}, &TProgressBar::SetOrientation,
                         &TProgressBar::Orientation),
        }};
    return info;
}

void TProgressBar::SendRange() {
    SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TProgressBar::SendPosition() {
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

int TProgressBar::ReadPosition() const {
    return static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
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

void TProgressBar::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.ClassName = PROGRESS_CLASSW;
    params.SystemClass = true;
    // Smooth and vertical are window styles the control reads when it is created.
    if (smooth_) params.Style |= PBS_SMOOTH;
    if (orientation_ == pbVertical) params.Style |= PBS_VERTICAL;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

} // namespace gui
