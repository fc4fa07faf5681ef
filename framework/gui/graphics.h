// Fonts and colours of the framework.
#pragma once

#include "framework/gui/handles.h"
#include "framework/rtl/colours.h"
#include "framework/rtl/component.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace gui {

using rtl::TColor;

// The RGB value a colour stands for now (system colours resolved).
COLORREF ColorToRGB(TColor colour);
// Fills rect on dc with colour (a system colour with the system's own brush).
void FillColour(HDC dc, const RECT& rect, TColor colour);
// A 32-bit bitmap for drawing off-screen, at least 1 x 1. A DIB section: a bitmap compatible with the
// screen costs some systems round trips to the display server to make and to select, on every paint.
UniqueBitmap CreateOffscreenBitmap(int width, int height);

enum TFontStyle : std::uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont : public rtl::TPersistent {
  public:
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::string Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor colour) { color_ = colour; }
    int Charset() const { return charset_; }
    void SetCharset(int charset);
    std::uint32_t Style() const { return style_; }
    void SetStyle(std::uint32_t style);
    void Assign(const TFont& other);

    // The GDI font, created on first use and recreated after a change.
    HFONT Handle();

  private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = rtl::clWindowText;
    int charset_ = DEFAULT_CHARSET;
    std::uint32_t style_ = 0;
    UniqueFont handle_;
};

} // namespace gui
