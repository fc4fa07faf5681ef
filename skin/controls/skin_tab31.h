// TSkinTab31: the framework's old-style tab set drawn from the skin's tab image, turned upside down since
// the set's tabs hang from its top edge. The set's scroller is skinned by the up-down painter.
#pragma once

#include "skin/controls/skin_control.h"

namespace gui {
class TTabScroller;
}

namespace skin {

class TSkinTab31 : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void Attach(gui::TWinControl& control, TSkinData& skinData, bool useSkinColour,
                gui::TCanvas& canvas) override;
    bool BeforeMessage(gui::TMessage& message) override;
    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    Bitmap TabImage;
    TSkinControl* UpDown = nullptr;        // owned by the form skinning object
    gui::TTabScroller* Scroller = nullptr; // the tab set's

  private:
    // TabImage from the skin's tab image, turned so that the tabs hang down.
    void PrepareTabImage();
};

} // namespace skin
