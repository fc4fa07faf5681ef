#include "framework/gui/graphics.h"

#include "framework/rtl/property_builders.h"
#include "framework/rtl/text.h"

#include <algorithm>

namespace gui {
namespace {

// Character sets are stored by their GDI names.
const std::vector<std::string>& CharsetNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n(256);
        n[ANSI_CHARSET] = "ANSI_CHARSET";
        n[DEFAULT_CHARSET] = "DEFAULT_CHARSET";
        n[SYMBOL_CHARSET] = "SYMBOL_CHARSET";
        n[GB2312_CHARSET] = "GB2312_CHARSET";
        n[CHINESEBIG5_CHARSET] = "CHINESEBIG5_CHARSET";
        n[OEM_CHARSET] = "OEM_CHARSET";
        return n;
    }();
    return names;
}

} // namespace

COLORREF ColorToRGB(TColor colour) {
    if (rtl::IsSystemColour(colour)) return GetSysColor(static_cast<int>(colour & 0xFF));
    return colour & 0xFFFFFF;
}

void FillColour(HDC dc, const RECT& rect, TColor colour) {
    if (rtl::IsSystemColour(colour)) {
        // The system keeps these brushes: nothing to create on every fill.
        FillRect(dc, &rect, GetSysColorBrush(static_cast<int>(colour & 0xFF)));
        return;
    }
    const UniqueBrush brush(CreateSolidBrush(ColorToRGB(colour)));
    FillRect(dc, &rect, brush.get());
}

UniqueBitmap CreateOffscreenBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

const rtl::TClassInfo& TFont::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TFont",
        &TPersistent::StaticClassInfo(),
        {
            StringProperty("Name", &TFont::SetName, &TFont::Name),
            IntegerProperty("Height", &TFont::SetHeight, &TFont::Height),
            ColourProperty("Color", &TFont::SetColor),
            EnumProperty("Charset", CharsetNames(), &TFont::SetCharset, &TFont::Charset),
            SetProperty("Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, &TFont::SetStyle),
        }};
    return info;
}

void TFont::SetName(const std::string& name) {
    name_ = name;
    handle_.reset();
}
void TFont::SetHeight(int height) {
    height_ = height;
    handle_.reset();
}
void TFont::SetCharset(int charset) {
    charset_ = charset;
    handle_.reset();
}
void TFont::SetStyle(std::uint32_t style) {
    style_ = style;
    handle_.reset();
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    charset_ = other.charset_;
    style_ = other.style_;
    handle_.reset();
}

HFONT TFont::Handle() {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
        lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfQuality = DEFAULT_QUALITY;
        const std::u16string face = rtl::Utf8ToUtf16(name_);
        lstrcpynW(lf.lfFaceName, reinterpret_cast<const wchar_t*>(face.c_str()), LF_FACESIZE);
        handle_.reset(CreateFontIndirectW(&lf));
    }
    return handle_.get();
}

} // namespace gui
