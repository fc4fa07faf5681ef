// A progress bar: the common controls' progress window, filled in proportion to Position between Min and
// Max, as a smooth bar or in blocks, horizontal or vertical.
#pragma once

#include "framework/gui/control.h"

namespace gui {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void Recreate();

    int min_ = 0, max_ = 100, position_ = 0;
    bool smooth_ = false;
    TProgressBarOrientation orientation_ = pbHorizontal;
};

} // namespace gui
