#include "framework/gui/button.h"

#include "framework/gui/form.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    width_ = 75;
    height_ = 25;
    tabStop_ = true;
}

const rtl::TClassInfo& TButton::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TButton",
        &TWinControl::StaticClassInfo(),
        {
            IntegerProperty("ModalResult", &TButton::SetModalResult, &TButton::ModalResult),
            BooleanProperty("Default", &TButton::SetDefault, &TButton::Default),
        }};
    return info;
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"BUTTON";
    params.SystemClass = true;
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TButton::Click() {
    if (modalResult_ != 0) {
        for (TWinControl* parent = Parent(); parent; parent = parent->Parent()) {
            if (auto* form = dynamic_cast<TForm*>(parent)) {
                form->SetModalResult(modalResult_);
                break;
            }
        }
    }
    TWinControl::Click();
}

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED) Click();
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
