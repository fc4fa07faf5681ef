#include "framework/gui/button.h"

namespace gui {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    width_ = 75;
    height_ = 25;
    tabStop_ = true;
}

const rtl::TClassInfo& TButton::StaticClassInfo() {
    static const rtl::TClassInfo info{"TButton", &TWinControl::StaticClassInfo(), {}};
    return info;
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    params.SystemClass = true;
    params.Style |= BS_PUSHBUTTON;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED) Click();
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
