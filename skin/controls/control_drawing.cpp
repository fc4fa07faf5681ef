#include "skin/controls/control_drawing.h"

#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/dc_drawing.h"
#include "skin/draw/win/win_rect.h"

#include <optional>

namespace skin {
namespace {

constexpr UINT kIconTextFlags = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;

// The DrawText flag of an alignment.
UINT TextFlag(TextAlignment alignment) noexcept {
    switch (alignment) {
    case TextAlignment::Centre:
        return DT_CENTER;
    case TextAlignment::Right:
        return DT_RIGHT;
    case TextAlignment::Left:
        break;
    }
    return DT_LEFT;
}

bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}
int WidthOf(const RECT& r) {
    return r.right - r.left;
}
int HeightOf(const RECT& r) {
    return r.bottom - r.top;
}

// The device context's font without bold, italic, underline and strike-out while this lives; a plain font
// is left as it is.
class PlainFont {
  public:
    explicit PlainFont(HDC dc) {
        LOGFONTW font{};
        HGDIOBJ current = GetCurrentObject(dc, OBJ_FONT);
        if (!current || !GetObjectW(current, sizeof font, &font)) return;
        if (font.lfWeight <= FW_NORMAL && !font.lfItalic && !font.lfUnderline && !font.lfStrikeOut) return;
        font.lfWeight = FW_NORMAL;
        font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
        plain_.reset(CreateFontIndirectW(&font));
        if (plain_) selected_.emplace(dc, plain_.get());
    }

  private:
    gui::UniqueFont plain_; // outlives its selection, which is declared after it
    std::optional<gui::SelectedObject> selected_;
};

void ShadowWhenDisabled(gui::TCanvas& canvas, bool enabled) {
    if (!enabled) SetTextColor(canvas.Handle(), GetSysColor(COLOR_BTNSHADOW));
}

} // namespace

FaceCanvas::FaceCanvas(Bitmap& bitmap, HWND window) : dc_(bitmap), canvas_(dc_.get()) {
    HFONT font = window ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) : nullptr;
    canvas_.SetFont(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void DrawSkinElement(HDC dc, const RECT& rect, const TDataSkinObject& element, int frameIndex,
                     int frameCount) {
    if (Inverted(rect)) return;
    win::DrawSkinImage(dc, win::ToRect(rect), element.Image, element.Margins(),
                       {.frame = frameIndex,
                        .frameCount = frameCount,
                        .transparent = element.Trans == 1,
                        .tile = element.Tile != 0});
}

void DrawSkinElement(Bitmap& target, const RECT& rect, const TDataSkinObject& element, int frameIndex,
                     int frameCount) {
    if (Inverted(rect)) return;
    DrawSkinImage(target, win::ToRect(rect), element.Image, element.Margins(),
                  {.frame = frameIndex,
                   .frameCount = frameCount,
                   .transparent = element.Trans == 1,
                   .tile = element.Tile != 0});
}

void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frameIndex, const Bitmap& bitmap) {
    if (Inverted(rect) || bitmap.empty()) return;
    win::DrawSkinFrame(dc, win::ToRect(rect), bitmap,
                       {.frame = frameIndex, .frameCount = frameCount, .transparent = true});
}

void DrawStripFrame(gui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const Bitmap& bitmap) {
    if (canvas) DrawStripFrame(canvas.Handle(), rect, frameCount, frameIndex, bitmap);
}

void DrawGlyphFrame(gui::TCanvas& canvas, const RECT& rect, int frameCount, int frameIndex,
                    const Bitmap& bitmap) {
    if (!canvas || Inverted(rect) || bitmap.empty()) return;
    const Rect frame = SkinFrameRect(bitmap, {.frame = frameIndex, .frameCount = frameCount});
    if (frame.IsEmpty()) return;
    Bitmap glyph(frame.Width(), frame.Height());
    CopyRect(glyph, Point{0, 0}, bitmap, frame);
    const Colour key = PixelToColour(glyph.pixel(0, 0) & kPixelRgbMask);
    win::DrawTransparent(canvas.Handle(), MakeRect(rect.left, rect.top, glyph.width(), glyph.height()), glyph,
                         key);
}

void DrawCaptionText(gui::TCanvas& canvas, const RECT& rect, TextAlignment alignment, bool enabled,
                     const std::string& text) {
    if (!canvas || Inverted(rect)) return;
    const UINT align = TextFlag(alignment);
    const PlainFont plain(canvas.Handle());
    canvas.SetBkMode(TRANSPARENT);
    RECT measured = rect;
    canvas.DrawText(text, measured, align | DT_EXPANDTABS | DT_NOCLIP | DT_CALCRECT);
    const int dy = (HeightOf(rect) - HeightOf(measured)) / 2 - 1;
    if (align == DT_CENTER) {
        OffsetRect(&measured, (WidthOf(rect) - WidthOf(measured)) / 2, dy);
    } else {
        OffsetRect(&measured, 0, dy);
        measured.left = rect.left;
        measured.right = rect.right;
    }
    ShadowWhenDisabled(canvas, enabled);
    canvas.DrawText(text, measured, align | DT_EXPANDTABS);
}

void DrawCentredText(gui::TCanvas& canvas, const RECT& rect, const std::string& text, TextAlignment alignment,
                     bool enabled) {
    if (!canvas || Inverted(rect)) return;
    const UINT align = TextFlag(alignment);
    const PlainFont plain(canvas.Handle());
    canvas.SetBkMode(TRANSPARENT);
    RECT measured = rect;
    canvas.DrawText(text, measured, align | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP | DT_CALCRECT);
    OffsetRect(&measured, (WidthOf(rect) - WidthOf(measured)) / 2, (HeightOf(rect) - HeightOf(measured)) / 2);
    ShadowWhenDisabled(canvas, enabled);
    canvas.DrawText(text, measured, align | DT_SINGLELINE | DT_EXPANDTABS);
}

void DrawIconAndText(gui::TCanvas& canvas, const RECT& rect, TextAlignment alignment, const std::string& text,
                     int imageIndex, HIMAGELIST imageList, bool enabled) {
    if (!canvas || Inverted(rect)) return;
    int iconWidth = 0, iconHeight = 0;
    if (imageIndex != -1 && imageList && !ImageList_GetIconSize(imageList, &iconWidth, &iconHeight)) {
        iconWidth = iconHeight = 0;
    }
    const PlainFont plain(canvas.Handle());
    RECT measured{rect.left, rect.top, rect.left, rect.top};
    if (!text.empty()) canvas.DrawText(text, measured, kIconTextFlags | DT_NOCLIP | DT_CALCRECT);
    const int textWidth = WidthOf(measured);
    int start = 2;
    if (alignment == TextAlignment::Centre) start = (WidthOf(rect) - iconWidth - textWidth) / 2;
    if (alignment == TextAlignment::Right) start = WidthOf(rect) - iconWidth - textWidth - 2;
    if (iconWidth > 0) {
        ImageList_Draw(imageList, imageIndex, canvas.Handle(), rect.left + start,
                       rect.top + (HeightOf(rect) - iconHeight) / 2, ILD_TRANSPARENT);
    }
    if (text.empty()) return;
    canvas.SetBkMode(TRANSPARENT);
    ShadowWhenDisabled(canvas, enabled);
    const int textHeight = HeightOf(measured);
    const int left = rect.left + start + iconWidth + 1;
    const int top = rect.top + (HeightOf(rect) - textHeight) / 2;
    RECT target{left, top, left + textWidth, top + textHeight};
    canvas.DrawText(text, target, kIconTextFlags);
}

} // namespace skin
