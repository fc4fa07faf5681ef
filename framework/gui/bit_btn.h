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

    TButtonGlyph& ButtonGlyph() { return glyph_; }
    TBitmap* Glyph() { return glyph_.Glyph(); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    TButtonLayout Layout() const { return glyph_.Layout(); }
    int Margin() const { return glyph_.Margin(); }
    int Spacing() const { return glyph_.Spacing(); }

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void CnDrawItem(TMessage& message);

    TButtonGlyph glyph_;
};

} // namespace gui
