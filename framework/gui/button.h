// A push button (the system BUTTON control, subclassed).
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

} // namespace gui
