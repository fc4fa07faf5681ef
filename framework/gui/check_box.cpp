#include "framework/gui/check_box.h"

#include "framework/rtl/property_builders.h"

namespace gui {

const rtl::TClassInfo& TCheckBox::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TCheckBox",
        &TButtonControl::StaticClassInfo(),
        {
            BooleanProperty("AllowGrayed", &TCheckBox::SetAllowGrayed, &TCheckBox::AllowGrayed),
            BooleanProperty("Checked", &TCheckBox::SetChecked, &TCheckBox::Checked),
            EnumProperty("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::SetState,
                         &TCheckBox::State),
        }};
    return info;
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    CheckStateChanged();
}

void TCheckBox::SetAllowGrayed(bool allowGrayed) {
    allowGrayed_ = allowGrayed;
    if (handle_) SendMessageW(handle_, BM_SETSTYLE, ButtonStyle(), TRUE);
}

int TCheckBox::CheckState() const {
    return state_ == cbChecked ? BST_CHECKED : state_ == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED;
}

void TCheckBox::Clicked() {
    switch (state_) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbUnchecked);
        break;
    }
    Click();
}

} // namespace gui
