// Owner-drawn menu items: the framework's own measuring and drawing, the items' events, and the answers to
// WM_MEASUREITEM and WM_DRAWITEM.
#include "framework/gui/canvas.h"
#include "framework/gui/image_list.h"
#include "framework/gui/menus.h"

#include <algorithm>

namespace gui {
namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kTextPadding = 4;    // above and below the caption
constexpr int kGlyphMargin = 2;    // around the glyph column
constexpr int kTextGap = 6;        // between the glyph column and the caption
constexpr int kShortCutGap = 16;   // between the caption and the shortcut
constexpr int kRightMargin = 10;   // after the last text
constexpr int kMenuBarPadding = 6; // each side of a menu bar item's caption

UniqueFont CreateMenuFont() {
    LOGFONTW font{};
    return ReadMenuLogFont(font) ? CreateFontFromLogFont(font) : UniqueFont{};
}

int GlyphWidth(const TImageList* images) {
    return images && images->Count() > 0 ? images->Width() : GetSystemMetrics(SM_CXMENUCHECK);
}

SIZE TextSize(TCanvas& canvas, const std::string& text, UINT format) {
    RECT rect{0, 0, 0, 0};
    canvas.DrawText(text.empty() ? " " : text, rect, format | DT_CALCRECT | DT_SINGLELINE);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    StandardMeasure(canvas, width, height);
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    if (OnAdvancedDrawItem) {
        OnAdvancedDrawItem(this, canvas, rect, state);
    } else if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, (state & ODS_SELECTED) != 0);
    } else {
        StandardDraw(canvas, rect, state);
    }
}

void TMenuItem::StandardMeasure(TCanvas& canvas, int& width, int& height) const {
    if (IsLine()) {
        width = 0;
        height = kSeparatorHeight;
        return;
    }
    const SIZE caption = TextSize(canvas, caption_, 0);
    if (IsMenuBarItem()) {
        width = caption.cx + 2 * kMenuBarPadding;
        height = caption.cy + kTextPadding;
        return;
    }
    const TImageList* images = GetImageList();
    width = kGlyphMargin + GlyphWidth(images) + kGlyphMargin + kTextGap + caption.cx + kRightMargin;
    if (shortCut_ != scNone)
        width += kShortCutGap + TextSize(canvas, ShortCutToText(shortCut_), DT_NOPREFIX).cx;
    height = std::max<int>(caption.cy + kTextPadding, GetSystemMetrics(SM_CYMENUCHECK));
    if (images && images->Count() > 0) height = std::max(height, images->Height() + 2 * kGlyphMargin);
}

void TMenuItem::StandardDraw(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) const {
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool rightToLeft = IsRightToLeft();
    canvas.SetBrushColor(selected ? rtl::clHighlight : rtl::clMenu);
    canvas.FillRect(rect);
    HDC dc = canvas.Handle();
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TImageList* images = GetImageList();
    const int glyph = IsMenuBarItem() ? 0 : GlyphWidth(images);
    RECT square{rect.left + kGlyphMargin, rect.top, rect.left + kGlyphMargin + glyph, rect.bottom};
    if (rightToLeft)
        square = {rect.right - kGlyphMargin - glyph, rect.top, rect.right - kGlyphMargin, rect.bottom};
    if (glyph > 0 && images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(dc, square.left, square.top + (square.bottom - square.top - images->Height()) / 2,
                     imageIndex_, !enabled_);
    } else if (glyph > 0 && checked_) {
        const int size = std::min<int>(glyph, square.bottom - square.top);
        RECT mark{square.left, square.top + (square.bottom - square.top - size) / 2, 0, 0};
        mark.right = mark.left + size;
        mark.bottom = mark.top + size;
        DrawFrameControl(dc, &mark, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }

    canvas.SetBkMode(TRANSPARENT);
    canvas.SetTextColor(!enabled_ ? rtl::clGrayText : selected ? rtl::clHighlightText : rtl::clMenuText);
    // A default item is bold: a bold copy of the font on the context, put back before it is freed.
    UniqueFont bold;
    HFONT plain = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (default_) {
        LOGFONTW font{};
        if (plain && GetObjectW(plain, sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            bold = CreateFontFromLogFont(font);
            canvas.SetFont(bold.get());
        }
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (state & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    RECT text = rect;
    const int indent = glyph > 0 ? kGlyphMargin + glyph + kGlyphMargin + kTextGap : kMenuBarPadding;
    if (rightToLeft) {
        text.left += kRightMargin;
        text.right -= indent;
        canvas.DrawText(caption_, text, format | DT_RIGHT | DT_RTLREADING);
    } else {
        text.left += indent;
        text.right -= kRightMargin;
        canvas.DrawText(caption_, text, format);
    }
    if (shortCut_ != scNone && !IsMenuBarItem()) {
        canvas.DrawText(ShortCutToText(shortCut_), text,
                        (format | DT_NOPREFIX) | (rightToLeft ? DT_LEFT : DT_RIGHT));
    }
    if (bold) canvas.SetFont(plain);
}

bool MeasureMenuItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromItemData(measure.itemData);
    if (!item) return false;
    const WindowDc screen(nullptr);
    const UniqueFont font = CreateMenuFont();
    TCanvas canvas(screen.get());
    if (font) canvas.SetFont(font.get());
    int width = static_cast<int>(measure.itemWidth);
    int height = static_cast<int>(measure.itemHeight);
    item->MeasureItem(canvas, width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool DrawMenuItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromItemData(draw.itemData);
    if (!item) return false;
    const UniqueFont font = CreateMenuFont();
    TCanvas canvas(draw.hDC);
    if (font) canvas.SetFont(font.get());
    item->DrawItem(canvas, draw.rcItem, draw.itemState);
    return true;
}

} // namespace gui
