// TSkinStatusBar: a status bar drawn from the skin instead of by itself: each panel (or the simple text)
// over the skin's status bar edges, and the size grip from the skin's extra images.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/draw/alignment.h"

namespace skin {

class TSkinStatusBar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool BeforeMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // Frame 5 of the skin's extra images: where the grip goes in a status bar of size (width, height).
    static RECT SizeGripRect(const TDataSkinObject& extraImages, int width, int height);

  private:
    void DrawPanel(gui::TCanvas& canvas, Bitmap& work, const RECT& rect, int frame, TextAlignment alignment,
                   const std::string& text);
};

} // namespace skin
