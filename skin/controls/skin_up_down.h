// TSkinUpDown: up-down (spin) buttons drawn from the skin instead of by themselves, stand-alone, as the
// spin button inside an edit, or as the scroller of a tab set (always side by side there).
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinUpDown : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Arrow directions, as the frames of the skin's strips count them.
    enum Direction { Up = 0, Down = 1, Left = 2, Right = 3 };
    // States of a half: normal, pressed, disabled, hot.
    static constexpr int kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4;
    // The frame (of 8) of the skin's strip for a half in state pointing in direction.
    static int HalfFrame(Direction direction, int state);
    // A small arrow of lines, its point near (x, y), in the pen selected into dc.
    static void DrawArrowLines(HDC dc, int x, int y, Direction direction);

    bool InEdit = false;   // the spin button of an edit
    bool InTabSet = false; // the scroller of a tab set

  private:
    int HalfState(const RECT& half, bool enabled, POINT cursor) const;
    void DrawHalf(Bitmap& work, HDC dc, const RECT& half, Direction direction, int state);
};

} // namespace skin
