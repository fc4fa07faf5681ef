#include "framework/gui/button_glyph.h"

#include "framework/gui/handles.h"
#include "framework/gui/wide.h"

#include <algorithm>

namespace gui {

TButtonGlyph::TButtonGlyph() {
    glyph_.OnChange = [this] { Changed(); };
}

const rtl::TClassInfo& TButtonGlyph::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TButtonGlyph",
        &TPersistent::StaticClassInfo(),
        {
            SubObjectProperty("Glyph", &TButtonGlyph::Glyph),
            IntegerProperty("NumGlyphs", &TButtonGlyph::SetNumGlyphs, &TButtonGlyph::NumGlyphs),
            EnumProperty("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                         &TButtonGlyph::SetLayout, &TButtonGlyph::Layout),
            IntegerProperty("Margin", &TButtonGlyph::SetMargin, &TButtonGlyph::Margin),
            IntegerProperty("Spacing", &TButtonGlyph::SetSpacing, &TButtonGlyph::Spacing),
        }};
    return info;
}

void TButtonGlyph::SetNumGlyphs(int count) {
    numGlyphs_ = std::clamp(count, 1, 4);
    Changed();
}

void TButtonGlyph::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    Changed();
}

void TButtonGlyph::SetMargin(int margin) {
    margin_ = margin;
    Changed();
}

void TButtonGlyph::SetSpacing(int spacing) {
    spacing_ = spacing;
    Changed();
}

TGlyphPlacement PlaceGlyphAndCaption(SIZE clientSize, SIZE glyphSize, SIZE textSize, TButtonLayout layout,
                                     int margin, int spacing, std::optional<int> speedButtonSpan) {
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    // Along the layout's axis (a) and across it (c).
    const int clientA = horizontal ? clientSize.cx : clientSize.cy;
    const int glyphA = horizontal ? glyphSize.cx : glyphSize.cy;
    const int textA = horizontal ? textSize.cx : textSize.cy;
    if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = (clientA - (glyphA + textA)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        const int total = glyphA + spacing + textA;
        margin = speedButtonSpan ? (*speedButtonSpan - total) / 2 + 1 : (clientA - total) / 2;
    } else if (spacing == -1) {
        spacing = (clientA - (margin + glyphA) - textA) / 2;
    }
    TGlyphPlacement placement;
    POINT text{};
    if (horizontal) {
        placement.Glyph.y = (clientSize.cy - glyphSize.cy + 1) / 2;
        text.y = (clientSize.cy - textSize.cy + 1) / 2;
    } else {
        placement.Glyph.x = (clientSize.cx - glyphSize.cx + 1) / 2;
        text.x = (clientSize.cx - textSize.cx + 1) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        placement.Glyph.x = margin;
        text.x = margin + glyphSize.cx + spacing;
        placement.TextFormat = DT_LEFT;
        break;
    case blGlyphRight:
        placement.Glyph.x = clientSize.cx - margin - glyphSize.cx;
        text.x = placement.Glyph.x - spacing - textSize.cx;
        placement.TextFormat = DT_RIGHT;
        break;
    case blGlyphTop:
        placement.Glyph.y = margin;
        text.y = margin + glyphSize.cy + spacing;
        placement.TextFormat = DT_CENTER;
        break;
    case blGlyphBottom:
        placement.Glyph.y = clientSize.cy - margin - glyphSize.cy;
        text.y = placement.Glyph.y - spacing - textSize.cy;
        placement.TextFormat = DT_CENTER;
        break;
    }
    placement.Text = RECT{text.x, text.y, text.x + textSize.cx, text.y + textSize.cy};
    return placement;
}

void TButtonGlyph::Draw(HDC dc, const RECT& rect, TGlyphImage image, const std::string& caption, HFONT font,
                        bool enabled, int offset) const {
    const SelectedObject selectedFont(dc, font);
    const std::wstring text = Wide(caption);
    RECT measured{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    SIZE textSize{};
    if (!text.empty()) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
        textSize = SIZE{measured.right - measured.left, measured.bottom - measured.top};
    }
    SIZE glyphSize{};
    if (!glyph_.Empty()) glyphSize = SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
    const TGlyphPlacement placement =
        PlaceGlyphAndCaption(SIZE{rect.right - rect.left, rect.bottom - rect.top}, glyphSize, textSize,
                             layout_, margin_, spacing_);
    const int dx = rect.left + offset, dy = rect.top + offset;
    if (!glyph_.Empty()) {
        const int index = static_cast<int>(image) < numGlyphs_ ? static_cast<int>(image) : 0;
        const UniqueDc source(CreateCompatibleDC(dc));
        const SelectedObject selectedGlyph(source.get(), glyph_.Handle());
        // The glyph's bottom-left pixel gives the colour that lets the face show through.
        const COLORREF transparent = GetPixel(source.get(), index * glyphSize.cx, glyphSize.cy - 1);
        TransparentBlt(dc, dx + placement.Glyph.x, dy + placement.Glyph.y, glyphSize.cx, glyphSize.cy,
                       source.get(), index * glyphSize.cx, 0, glyphSize.cx, glyphSize.cy, transparent);
    }
    if (text.empty()) return;
    RECT textRect = placement.Text;
    OffsetRect(&textRect, dx, dy);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              placement.TextFormat | DT_SINGLELINE);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

std::vector<rtl::TPropInfo> JoinProperties(std::vector<rtl::TPropInfo> base,
                                           const std::vector<rtl::TPropInfo>& extra) {
    base.insert(base.end(), extra.begin(), extra.end());
    return base;
}

} // namespace gui
