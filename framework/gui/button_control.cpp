#include "framework/gui/button_control.h"

#include "framework/rtl/property_builders.h"

namespace gui {

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    width_ = 97;
    height_ = 17;
    tabStop_ = true;
}

const rtl::TClassInfo& TButtonControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TButtonControl",
                                 &TWinControl::StaticClassInfo(),
                                 {
                                     EnumProperty("Alignment", {"taLeftJustify", "taRightJustify"},
                                                  &TButtonControl::SetAlignment, &TButtonControl::Alignment),
                                 }};
    return info;
}

void TButtonControl::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE) & ~static_cast<LONG_PTR>(BS_LEFTTEXT);
    if (alignment_ == taLeftJustify) style |= BS_LEFTTEXT;
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
    Invalidate();
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    params.SystemClass = true;
    params.Style |= ButtonStyle();
    if (alignment_ == taLeftJustify) params.Style |= BS_LEFTTEXT;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TButtonControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(handle_, BM_SETCHECK, static_cast<WPARAM>(CheckState()), 0);
}

void TButtonControl::CheckStateChanged() {
    if (handle_) SendMessageW(handle_, BM_SETCHECK, static_cast<WPARAM>(CheckState()), 0);
    if (!HasState(rtl::csLoading)) Perform(CM_CHECKSTATECHANGED, static_cast<WPARAM>(CheckState()), 0);
}

void TButtonControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) Clicked();
        return;
    case BM_SETSTATE:
        DefaultHandler(message);
        Perform(CM_BUTTONSTATECHANGED, message.WParam, 0);
        return;
    default:
        return TWinControl::WndProc(message);
    }
}

} // namespace gui
