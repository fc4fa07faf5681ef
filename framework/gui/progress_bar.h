// A progress bar: the common controls' progress window, filled in proportion to Position between Min and
// Max, as a smooth bar or in blocks, horizontal or vertical.
#pragma once

#include "framework/gui/range_control.h"

namespace gui {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TRangeControl {
  public:
    explicit TProgressBar(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);

  protected:
    void CreateParams(TCreateParams& params) override;
    void SendRange() override;
    void SendPosition() override;
    int ReadPosition() const override;

  private:
    bool smooth_ = false;
    TProgressBarOrientation orientation_ = pbHorizontal;
};

} // namespace gui
