// A single-line edit box (the system EDIT control, subclassed).
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string ImeName() const { return imeName_; }
    void SetImeName(const std::string& name) { imeName_ = name; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    rtl::TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::string imeName_;
    bool readOnly_ = false;
};

} // namespace gui
