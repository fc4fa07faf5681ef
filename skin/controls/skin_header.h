// TSkinHeader: the column header of list views and header windows, every section drawn from the skin's
// header element (normal, pressed while the mouse holds it down, sorted with its sort glyph) with its icon
// and text, and the space right of the last section filled with the normal look.
#pragma once

#include "skin/controls/skin_control.h"

#include <windows.h>
#include <commctrl.h>

namespace skin {

// Frames of the header element.
constexpr int kHeaderFrames = 5;
constexpr int kHeaderNormalFrame = 1;
constexpr int kHeaderPressedFrame = 3;
constexpr int kHeaderSortedFrame = 5;
// Width kept at a sorted section's right end for its sort glyph.
constexpr int kSortGlyphArea = 16;

class TSkinHeader : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Attaches to the header window and lists the object with the form skinning object.
    void AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas) override;
    bool BeforeMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The section the left button went down on, -1 when none is held.
    int PressedSection = -1;

  private:
    void DrawHeaderItem(HIMAGELIST images, gui::TCanvas& canvas, Bitmap& work, int index, const RECT& r);
    int SectionAt(LPARAM point) const;
};

} // namespace skin
