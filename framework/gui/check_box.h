// A check box: unchecked, checked or (when allowed) greyed.
#pragma once

#include "framework/gui/button_control.h"

namespace gui {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
  public:
    explicit TCheckBox(TComponent* owner) : TButtonControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    // Whether a click passes through the greyed state.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allowGrayed);

  protected:
    void Clicked() override;
    int CheckState() const override;
    DWORD ButtonStyle() const override { return allowGrayed_ ? BS_3STATE : BS_CHECKBOX; }

  private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

} // namespace gui
