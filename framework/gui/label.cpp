#include "framework/gui/label.h"

#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

namespace gui {

const rtl::TClassInfo& TLabel::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TLabel",
                                 &TGraphicControl::StaticClassInfo(),
                                 {
                                     BooleanProperty("AutoSize", &TLabel::SetAutoSize, &TLabel::AutoSize),
                                     BooleanProperty("WordWrap", &TLabel::SetWordWrap, &TLabel::WordWrap),
                                 }};
    return info;
}

void TLabel::Paint(HDC dc) {
    TFont* font = EffectiveFont();
    SelectedObject selected(dc, font->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour =
        SetTextColor(dc, Enabled() ? ColorToRGB(font->Color()) : GetSysColor(COLOR_GRAYTEXT));
    RECT rect{0, 0, Width(), Height()};
    const std::wstring text = Wide(GetText());
    UINT format = DT_LEFT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

} // namespace gui
