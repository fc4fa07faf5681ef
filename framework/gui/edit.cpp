#include "framework/gui/edit.h"

#include "framework/gui/input_method.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 21;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TCustomEdit::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TCustomEdit",
        &TWinControl::StaticClassInfo(),
        {
            StringProperty("ImeName", &TCustomEdit::SetImeName, &TCustomEdit::ImeName),
            BooleanProperty("ReadOnly", &TCustomEdit::SetReadOnly, &TCustomEdit::ReadOnly),
            EventProperty("OnChange", &TCustomEdit::OnChange),
        }};
    return info;
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (handle_) SendMessageW(handle_, EM_SETREADONLY, readOnly, 0);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"EDIT";
    params.SystemClass = true;
    params.Style |= ES_LEFT;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    if (readOnly_) params.Style |= ES_READONLY;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        ActivateInputMethod(imeName_);
        break;
    case WM_KILLFOCUS:
        ActivateDefaultKeyboardLayout(imeName_);
        break;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE && OnChange && !HasState(rtl::csLoading)) OnChange(this);
        return;
    default:
        break;
    }
    TWinControl::WndProc(message);
}

const rtl::TClassInfo& TEdit::StaticClassInfo() {
    static const rtl::TClassInfo info{"TEdit", &TCustomEdit::StaticClassInfo(), {}};
    return info;
}

void TEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.Style |= ES_AUTOHSCROLL;
}

} // namespace gui
