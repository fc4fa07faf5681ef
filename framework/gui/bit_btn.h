// A push button with a glyph beside its caption: the system BUTTON, owner-drawn.
#pragma once

#include "framework/gui/button.h"
#include "framework/gui/button_glyph.h"

namespace gui {

class TBitBtn : public TButton {
  public:
    explicit TBitBtn(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Glyph, NumGlyphs, Layout, Margin and Spacing (published as the button's own).
    TButtonGlyph& ButtonGlyph() { return glyph_; }

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;

  private:
    void CnDrawItem(TMessage& message);

    TButtonGlyph glyph_;
};

} // namespace gui
