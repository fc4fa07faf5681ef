#include "framework/gui/edit.h"

#include "framework/gui/input_method.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 21;
    tabStop_ = true;
    color_ = rtl::clWindow;
}

const rtl::TClassInfo& TEdit::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TEdit", &TWinControl::StaticClassInfo(), {
        StringProperty("ImeName", &TEdit::SetImeName, &TEdit::ImeName),
        BooleanProperty("ReadOnly", &TEdit::SetReadOnly, &TEdit::ReadOnly),
        EventProperty("OnChange", &TEdit::OnChange),
    }};
    return info;
}

void TEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (handle_) SendMessageW(handle_, EM_SETREADONLY, readOnly, 0);
}

void TEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"EDIT";
    params.SystemClass = true;
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    if (readOnly_) params.Style |= ES_READONLY;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::WndProc(TMessage& message) {
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

} // namespace gui
