// TSkinTab: the tab strip and the page border of a common-control tab window (tab controls, page controls,
// tabbed notebooks), for tabs on any of the four sides, painted over the control's own painting. The strip
// is always composed lying horizontally and turned into place; the window's own scroll arrows (an up-down
// child) are left out of the strip and skinned by their own painter.
#pragma once

#include "skin/controls/skin_control.h"

#include <cstdint>

namespace skin {

// Sides of a tab window's strip.
constexpr std::uint8_t kTabsTop = 0;
constexpr std::uint8_t kTabsBottom = 1;
constexpr std::uint8_t kTabsLeft = 2;
constexpr std::uint8_t kTabsRight = 3;

// The side a tab window with the given style has its tabs on.
std::uint8_t TabSideOfStyle(DWORD style) noexcept;

// Skins the scroll arrows of a tab window or a tab set with the up-down painter; answers the painter, or
// null while none is made.
TSkinControl* SkinTabScroller(rtl::TComponent* formObject, HWND scroller, TSkinData& skinData,
                              gui::TCanvas& canvas, bool inTabSet);

class TSkinTab : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas) override;
    bool BeforeMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The side from the window's style, and the skin's tab and border images turned for it.
    void PrepareTabImages();
    // Finds the window's scroll arrows and has them skinned once; answers whether they are shown.
    bool FindTabScroller();

    std::uint8_t TabSide = kTabsTop;
    Bitmap TabImage;
    Bitmap BorderImage;
    Bitmap StripBitmap;
    TSkinControl* UpDown = nullptr; // owned by the form skinning object

  private:
    HWND scroller_ = nullptr;
    // The strip's tabs, composed in StripBitmap and put on dc over strip.
    void DrawStrip(HDC dc, const RECT& window, const RECT& page, const RECT& strip);
    void DrawPageBorder(HDC dc, const RECT& page);
};

} // namespace skin
