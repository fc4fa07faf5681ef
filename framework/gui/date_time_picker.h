// A date or time field with its drop-down calendar or spin arrows: the common controls' date and time picker.
#pragma once

#include "framework/gui/control.h"

namespace gui {

enum TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TWinControl {
  public:
    explicit TDateTimePicker(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Date: a short date with a drop-down calendar; time: a time with spin arrows.
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    SYSTEMTIME DateTime() const;
    void SetDateTime(const SYSTEMTIME& value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    TDateTimeKind kind_ = dtkDate;
    SYSTEMTIME value_{};
    bool valueSet_ = false;
};

} // namespace gui
