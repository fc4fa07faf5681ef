// A button without a window: its parent paints it and hands it the mouse. Buttons of one parent with the same
// non-zero GroupIndex form a group of which at most one is Down.
#pragma once

#include "framework/gui/button_glyph.h"
#include "framework/gui/control.h"

namespace gui {

class TSpeedButton : public TGraphicControl {
  public:
    explicit TSpeedButton(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Glyph, NumGlyphs, Layout, Margin and Spacing (published as the button's own).
    TButtonGlyph& ButtonGlyph() { return glyph_; }

    bool Down() const { return down_; }
    // Only buttons of a group stay down; the one going down lifts the others of its group. The down button
    // of a group comes up only when AllowAllUp.
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex) { groupIndex_ = groupIndex; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allowAllUp) { allowAllUp_ = allowAllUp; }
    // A flat button shows its edge only while the mouse is over it or it is down.
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // The mouse is over the button (between CM_MOUSEENTER and CM_MOUSELEAVE).
    bool MouseInControl() const { return mouseInControl_; }

    void WndProc(TMessage& message) override;

  protected:
    void Paint(HDC dc) override;

  private:
    void MouseDown(TMessage& message);
    void MouseMove(TMessage& message);
    void MouseUp(TMessage& message);
    bool Contains(const TMessage& message) const;

    TButtonGlyph glyph_;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
    bool mouseInControl_ = false;
    bool dragging_ = false; // pressed on the button, button not yet released
    bool pressed_ = false;  // dragging and the mouse over the button: shown pushed
};

} // namespace gui
