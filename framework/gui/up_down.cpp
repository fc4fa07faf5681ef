#include "framework/gui/up_down.h"

#include "framework/gui/common_controls.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner) {
    width_ = 17;
    height_ = 21;
}

const rtl::TClassInfo& TUpDown::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TUpDown",
        &TRangeControl::StaticClassInfo(),
        {
            IntegerProperty("Increment", &TUpDown::SetIncrement, &TUpDown::Increment),
            EnumProperty("Orientation", {"udVertical", "udHorizontal"}, &TUpDown::SetOrientation,
                         &TUpDown::Orientation),
            ComponentProperty("Associate", &TUpDown::SetAssociate),
            EventProperty("OnChanging", &TUpDown::OnChanging),
        }};
    return info;
}

void TUpDown::SendRange() {
    SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    UDACCEL accel{0, static_cast<UINT>(increment_ > 0 ? increment_ : 1)};
    SendMessageW(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SendPosition() {
    SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

int TUpDown::ReadPosition() const {
    BOOL failed = FALSE;
    const auto value =
        static_cast<int>(SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return failed ? position_ : value;
}

void TUpDown::SetIncrement(int value) {
    increment_ = value;
    if (handle_) SendRange();
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
    TRangeControl::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove && component == associate_) associate_ = nullptr;
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
    TRangeControl::CreateWnd();
    if (associate_ && associate_->Parent()) {
        SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
        SendPosition(); // the edit shows the position from the start
    }
}

void TUpDown::WndProc(TMessage& message) {
    switch (message.Msg) {
    // An arrow was clicked: the up-down tells its parent, which hands it back here.
    case CN_HSCROLL:
    case CN_VSCROLL:
        position_ = Position();
        message.Result = 0;
        if (OnChanging) OnChanging(this);
        return;
    default:
        return TRangeControl::WndProc(message);
    }
}

} // namespace gui
