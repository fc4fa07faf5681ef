// TSkinEdit: edit boxes (framework edits and the edit windows of dialogs) get a flat two-line border in the
// skin's colours over their own three-dimensional one; the text area stays the edit's own painting.
#pragma once

#include "skin/controls/skin_control.h"
#include "skin/controls/skin_up_down.h"

namespace skin {

class TSkinEdit : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The spin button child of an edit window (class "msctls_updown32" or "TSpinButton"), or null.
    static HWND SpinButtonOf(HWND edit);
    // Gives the edit's spin button, once it has one, an up-down painter owned by the form skinning object;
    // until then every paint looks again.
    void FindUpDown(HWND edit, TSkinData& skinData, gui::TCanvas& canvas);
    // The border for WM_PRINT, onto dc (0: the window's own).
    void PrintBorder(HDC dc);

    TSkinUpDown* UpDown = nullptr; // owned by the form skinning object

  private:
    void DrawPrintBorder(HDC dc, const RECT& rect);
};

} // namespace skin
