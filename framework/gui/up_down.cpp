#include "framework/gui/up_down.h"

#include <commctrl.h>

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    width_ = 17;
    height_ = 21;
}

const rtl::TClassInfo& TUpDown::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TUpDown", &TWinControl::StaticClassInfo(), {
        IntegerProperty("Min", &TUpDown::SetMin, &TUpDown::Min),
        IntegerProperty("Max", &TUpDown::SetMax, &TUpDown::Max),
        IntegerProperty("Position", &TUpDown::SetPosition, &TUpDown::Position),
        IntegerProperty("Increment", &TUpDown::SetIncrement, &TUpDown::Increment),
        EnumProperty("Orientation", {"udVertical", "udHorizontal"}, &TUpDown::SetOrientation, &TUpDown::Orientation),
        ComponentProperty("Associate", &TUpDown::SetAssociate),
        EventProperty("OnChanging", &TUpDown::OnChanging),
    }};
    return info;
}

void TUpDown::ApplyRange() {
    if (!handle_) return;
    SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    UDACCEL accel{0, static_cast<UINT>(increment_ > 0 ? increment_ : 1)};
    SendMessageW(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SetMin(int value) {
    min_ = value;
    ApplyRange();
}

void TUpDown::SetMax(int value) {
    max_ = value;
    ApplyRange();
}

void TUpDown::SetIncrement(int value) {
    increment_ = value;
    ApplyRange();
}

int TUpDown::Position() const {
    if (!handle_) return position_;
    BOOL failed = FALSE;
    const auto value = static_cast<int>(SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return failed ? position_ : value;
}

void TUpDown::SetPosition(int value) {
    position_ = value;
    if (handle_) SendMessageW(handle_, UDM_SETPOS32, 0, value);
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Recreate();
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == associate_) return;
    associate_ = control;
    // Sitting beside the edit is decided when the window is made.
    Recreate();
}

void TUpDown::Notification(TComponent* component, rtl::TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::Recreate() {
    if (!handle_) return;
    position_ = Position();
    DestroyHandle();
    HandleNeeded();
}

void TUpDown::CreateParams(TCreateParams& params) {
    EnsureCommonControls(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.ClassName = UPDOWN_CLASSW;
    params.SystemClass = true;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
    params.Style |= UDS_ARROWKEYS;
    if (orientation_ == udHorizontal) params.Style |= UDS_HORZ;
    if (associate_) params.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_NOTHOUSANDS;
}

void TUpDown::CreateWnd() {
    TWinControl::CreateWnd();
    ApplyRange();
    if (associate_ && associate_->Parent()) SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        position_ = Position();
        message.Result = 0;
        if (OnChanging) OnChanging(this);
        return;
    default: return TWinControl::WndProc(message);
    }
}

} // namespace gui
