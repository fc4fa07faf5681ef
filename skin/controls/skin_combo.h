// TSkinComBox: combo boxes get a sunken edge from the skin around the whole control and the drop-down button
// from the skin's combo button images, one frame per state. The text area stays the control's own painting.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

// Frames of the combo button, the sunken edge and the arrow glyph.
constexpr int kComboNormal = 1;
constexpr int kComboPressed = 2;
constexpr int kComboDisabled = 3;
constexpr int kComboHot = 4; // also focused

class TSkinComBox : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    int StateFrame() const;

    DWORD WindowStyle = 0;
    DWORD WindowExStyle = 0;
};

} // namespace skin
