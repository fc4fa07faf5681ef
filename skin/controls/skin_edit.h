// TSkinEdit: edit boxes (framework edits and the edit windows of dialogs) get a flat two-line border in the
// skin's colours over their own three-dimensional one; the text area stays the edit's own painting.
#pragma once

#include "skin/controls/skin_control.h"

namespace skin {

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void AfterMessage(gui::TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The spin button child of the edit (class "msctls_updown32" or "TSpinButton"), or null. The up-down
    // painter takes it over once it exists; until then every paint looks again.
    static HWND FindUpDown(HWND edit);
    // The border for WM_PRINT, onto dc (0: the window's own).
    void PrintBorder(HDC dc);

    TSkinControl* UpDown = nullptr; // owned by the form skinning object

private:
    void DrawPrintBorder(HDC dc, const RECT& rect);
};

} // namespace skin
