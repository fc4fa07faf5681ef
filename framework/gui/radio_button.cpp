#include "framework/gui/radio_button.h"

#include "framework/rtl/property_builders.h"

namespace gui {

const rtl::TClassInfo& TRadioButton::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TRadioButton",
        &TButtonControl::StaticClassInfo(),
        {
            BooleanProperty("Checked", &TRadioButton::SetChecked, &TRadioButton::Checked),
        }};
    return info;
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    CheckStateChanged();
    if (!checked_ || !Parent()) return;
    for (TControl* sibling : Parent()->Controls()) {
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this)
            radio->SetChecked(false);
    }
}

void TRadioButton::Clicked() {
    SetChecked(true);
    Click();
}

} // namespace gui
