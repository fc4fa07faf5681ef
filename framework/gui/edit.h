// Edit boxes: the system EDIT control, subclassed. TCustomEdit holds what every edit box has; TEdit is the
// single-line box, TMemo (memo.h) the multi-line one.
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TCustomEdit : public TWinControl {
  public:
    explicit TCustomEdit(TComponent* owner);
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

class TEdit : public TCustomEdit {
  public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  protected:
    void CreateParams(TCreateParams& params) override;
};

} // namespace gui
