// The common part of the controls that show a position between a lower and an upper limit (progress bars,
// track bars, up-downs): the three values kept while there is no window and handed to it when there is, and
// the window made again for styles the control reads only when it is created.
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TRangeControl : public TWinControl {
  public:
    explicit TRangeControl(TComponent* owner) : TWinControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // The window's position while there is one.
    int Position() const;
    void SetPosition(int value);

  protected:
    // The window's messages for the range and the position.
    virtual void SendRange() = 0;
    virtual void SendPosition() = 0;
    virtual int ReadPosition() const = 0;
    // The position changed (set by the program, or moved by the user and noticed by the control).
    virtual void PositionChanged() {}
    // Makes the window again, keeping the position.
    void Recreate();
    void CreateWnd() override;

    int min_ = 0, max_ = 100, position_ = 0;
};

} // namespace gui
