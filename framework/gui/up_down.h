// An up-down control: the common controls' pair of arrow buttons changing Position between Min and Max,
// stand-alone or beside an associated edit whose number it shows and changes.
#pragma once

#include "framework/gui/range_control.h"

namespace gui {

enum TUDOrientation { udVertical, udHorizontal };

class TUpDown : public TRangeControl {
  public:
    explicit TUpDown(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Increment() const { return increment_; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    // The edit the arrows count in: the up-down sits at its right edge and writes Position into its text.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* control);

    rtl::TNotifyEvent OnChanging;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, rtl::TOperation operation) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() const override;

  private:
    int increment_ = 1;
    TUDOrientation orientation_ = udVertical;
    TWinControl* associate_ = nullptr;
};

} // namespace gui
