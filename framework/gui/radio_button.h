// A radio button: checking one unchecks the other radio buttons of the same parent.
#pragma once

#include "framework/gui/button_control.h"

namespace gui {

class TRadioButton : public TButtonControl {
  public:
    explicit TRadioButton(TComponent* owner) : TButtonControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

  protected:
    void Clicked() override;
    int CheckState() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }
    DWORD ButtonStyle() const override { return BS_RADIOBUTTON; }

  private:
    bool checked_ = false;
};

} // namespace gui
