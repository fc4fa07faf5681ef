// A push button (the system BUTTON control, subclassed).
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TButton : public TWinControl {
  public:
    explicit TButton(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // A button with a modal result closes its modal form with that result.
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    void Click() override;
    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;

  private:
    int modalResult_ = 0;
    bool default_ = false;
};

} // namespace gui
