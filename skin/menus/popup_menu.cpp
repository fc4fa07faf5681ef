#include "skin/menus/popup_menu.h"

#include "framework/gui/canvas.h"
#include "framework/gui/image_list.h"
#include "framework/gui/menus.h"
#include "framework/gui/offscreen_buffer.h"
#include "framework/gui/shortcuts.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "skin/component/skin_data.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/engine.h"

#include <algorithm>
#include <string>

namespace skin {

namespace {

constexpr int kMenuFrame = 3; // the system's menu border, replaced by the skin's background
constexpr int kMenuItemFrames =
    5; // MenuItem: 1 normal, 2 separator, 3 selected disabled, 4 selected, 5 pressed
constexpr int kSelectedFrame = 4;
constexpr int kGlyphSize = 16;
constexpr int kShortCutGap = 10;
// A foreign item's width: its texts and the room around them (glyph column and margins, 26 in all), and
// between caption and shortcut as much again as DrawMenuItemContent keeps free after the shortcut.
constexpr int kForeignItemRoom = 26;
constexpr int kForeignShortCutRoom = 20;
constexpr int kSeparatorHeight = 8;

Pixel PixelOf(gui::TColor colour) {
    return ColourToPixel(static_cast<Colour>(gui::ColorToRGB(colour)));
}

// One text of an item in the menu colours.
void DrawMenuItemText(const TSkinData& skin, const TMenuItemLook& item, gui::TCanvas& canvas, UINT format,
                      bool selected, RECT& rect, const std::string& text) {
    if (text == "-") {
        if (format & DT_CALCRECT) return;
        RECT line = rect;
        OffsetRect(&line, 0, 4);
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    gui::TColor colour = selected ? skin.HilightTextColour : skin.MenuTextColour;
    if (!item.Enabled) {
        colour = skin.ButtonShadowColour == skin.MenuTextColour ? rtl::clBtnShadow : skin.ButtonShadowColour;
    }
    canvas.SetTextColor(colour);
    canvas.DrawText((format & DT_CALCRECT) && (text.empty() || text == "&") ? " " : text, rect, format);
}

// The system's check mark in colour: the system draws it black on white, as a mask, so it is drawn into a
// mask first and the colour goes where the mask is black.
void DrawCheckMark(HDC dc, const RECT& square, gui::TColor colour) {
    const int w = square.right - square.left, h = square.bottom - square.top;
    if (w <= 0 || h <= 0) return;
    const gui::UniqueDc maskDc(CreateCompatibleDC(dc));
    const gui::UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    const gui::UniqueBrush brush(CreateSolidBrush(gui::ColorToRGB(colour)));
    if (!maskDc || !mask || !brush) return;
    const gui::SelectedObject selectedMask(maskDc.get(), mask.get());
    RECT local{0, 0, w, h};
    DrawFrameControl(maskDc.get(), &local, DFC_MENU, DFCS_MENUCHECK);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    {
        const gui::SelectedObject selectedBrush(dc, brush.get());
        constexpr DWORD kBrushWhereSourceIsBlack = 0x00B8074A; // ((dest ^ brush) & source) ^ brush
        BitBlt(dc, square.left, square.top, w, h, maskDc.get(), 0, 0, kBrushWhereSourceIsBlack);
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

// Glyph column, caption and shortcut of an item inside rect.
void DrawMenuItemContent(const TSkinData& skin, const TMenuItemLook& item, gui::TCanvas& canvas,
                         bool selected, const RECT& rect) {
    const int leftWidth = skin.MenuItem ? skin.MenuItem->LeftWidth : 0;
    int glyph = item.Images ? item.Images->Width() : kGlyphSize;
    if (item.Checked) glyph = std::max(glyph, kGlyphSize);
    const bool separator = item.Caption == "-";
    RECT square{};
    if (item.RightToLeft) {
        square.right = rect.right - 1 - leftWidth;
        square.left = square.right - glyph;
    } else {
        square.left = rect.left + 1 + leftWidth;
        square.right = square.left + glyph;
    }
    square.top = rect.top + 1;
    square.bottom = square.top + glyph;
    if (separator) square.left = square.right = item.RightToLeft ? rect.right : 0;

    const bool hasImage = item.Images && item.ImageIndex >= 0 && item.ImageIndex < item.Images->Count();
    if (hasImage && !separator) {
        if (item.Checked) {
            // A checked image sits in a pressed-in square of the two light button colours.
            const gui::UniqueBrush dither = gui::CreateDitherBrush(rtl::clBtnFace, rtl::clBtnHighlight);
            FillRect(canvas.Handle(), &square, dither.get());
            DrawEdge(canvas.Handle(), &square, BDR_SUNKENOUTER, BF_RECT);
        }
        item.Images->Draw(canvas.Handle(), square.left, square.top, item.ImageIndex, !item.Enabled);
    } else if (item.Checked && !separator) {
        const gui::TColor text = selected ? skin.HilightTextColour : skin.MenuTextColour;
        DrawCheckMark(canvas.Handle(), square, item.Enabled ? text : skin.ButtonShadowColour);
    }

    RECT text = item.RightToLeft ? RECT{rect.left + 1, rect.top, square.left - 3, rect.bottom}
                                 : RECT{square.right + 3, rect.top, rect.right - 1, rect.bottom};
    const RECT whole = text;
    const UINT align = item.RightToLeft ? DT_RIGHT : 0u;
    DrawMenuItemText(skin, item, canvas, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | align,
                     selected, text, item.Caption);
    OffsetRect(&text, 0, ((whole.bottom - whole.top) - (text.bottom - text.top)) / 2);
    text.left = whole.left;
    text.right = whole.right;
    DrawMenuItemText(skin, item, canvas, DT_EXPANDTABS | DT_SINGLELINE | align, selected, text, item.Caption);
    if (!item.ShortCut.empty()) {
        RECT shortcut = item.RightToLeft
                            ? RECT{whole.left + kShortCutGap, text.top, whole.right, text.bottom}
                            : RECT{whole.left, text.top, whole.right - kShortCutGap, text.bottom};
        DrawMenuItemText(skin, item, canvas, item.RightToLeft ? 0u : DT_RIGHT, selected, shortcut,
                         item.ShortCut);
    }
}

// The separator line from the bottom rows of the MenuItem strip's second frame.
void DrawSkinMenuSeparator(const TDataSkinObject& element, Bitmap& work) {
    const int fw = element.Image.width() / kMenuItemFrames;
    const int ih = element.Image.height();
    const int w = work.width(), h = work.height();
    if (fw <= 0 || ih <= 0 || w <= 0 || h <= 0) return;
    const int y0 = h < ih ? ih - h : 0;
    Bitmap frame(fw, ih - y0);
    for (int y = 0; y < frame.height(); ++y) {
        std::copy_n(element.Image.scanline(y0 + y) + fw, fw, frame.scanline(y));
    }
    const Rect margins{std::min(element.LeftWidth, fw), 0, std::min(element.RightWidth, fw), 0};
    DrawSkinBar(work, Rect{0, 0, w, h}, frame, margins, {.transparent = true});
}

// The item's piece of its menu window's background, or the menu colour.
Bitmap ItemBackground(const TSkinData& skin, const RECT& rect, HMENU menu) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    Bitmap work(std::max(w, 0), std::max(h, 0), PixelOf(skin.MenuColour));
    const ISkinManager* manager = ActiveSkinManager();
    const Bitmap* background = manager ? manager->PopupBackgroundFor(menu) : nullptr;
    if (!background || background->empty()) return work;
    for (int y = 0; y < work.height(); ++y) {
        const int sy = rect.top + kMenuFrame + y;
        if (sy < 0 || sy >= background->height()) continue;
        for (int x = 0; x < work.width(); ++x) {
            const int sx = rect.left + kMenuFrame + x;
            if (sx >= 0 && sx < background->width()) work.set_pixel(x, y, background->pixel(sx, sy));
        }
    }
    return work;
}

// The item's background with its glyph and texts over it, at rect of dc. The texts are drawn on a kept
// off-screen surface, and the whole item reaches dc in one copy.
void PaintItemOnto(HDC dc, const RECT& rect, const Bitmap& background, const TSkinData& skin,
                   const TMenuItemLook& item, bool selected, TMenuFonts& fonts) {
    const int w = background.width(), h = background.height();
    const gui::BorrowedBuffer buffer(w, h);
    if (!buffer)
        throw rtl::Exception("cannot borrow an off-screen surface of " + std::to_string(w) + " x " +
                             std::to_string(h) + " for a menu item");
    win::CopyToDc(buffer.get(), 0, 0, background, background.bounds());
    gui::TCanvas canvas(buffer.get());
    canvas.SetFont(fonts.Get(item.Default));
    canvas.SetBkMode(TRANSPARENT);
    DrawMenuItemContent(skin, item, canvas, selected, RECT{0, 0, w, h});
    BitBlt(dc, rect.left, rect.top, w, h, buffer.get(), 0, 0, SRCCOPY);
}

} // namespace

// ---- the menu window ----

void TWinSkinPopMenu::Attach(HWND window, TSkinData& skinData, HMENU menu) {
    Window = window;
    SkinData = &skinData;
    Menu = menu;
    PrevWndProc.Install(window, gui::TWndMethod::Of<&TWinSkinPopMenu::PopupWndProc>(this));
}

void TWinSkinPopMenu::Detach() {
    if (ISkinManager* manager = ActiveSkinManager(); manager && manager->PendingPopupMenu() == this)
        manager->SetPendingPopupMenu(nullptr);
    PrevWndProc.Remove();
    Background = Bitmap();
}

bool TWinSkinPopMenu::CanPaint() const {
    return SkinData && !SkinData->SkinPending && SkinData->MenuBackground &&
           !SkinData->MenuBackground->Image.empty();
}

void TWinSkinPopMenu::RenderBackground(int width, int height) {
    const TDataSkinObject& element = *SkinData->MenuBackground;
    Background = RenderSkinImage(Rect{0, 0, width, height}, element.Image, element.Margins(),
                                 {.tile = element.Tile == 1});
    if (ISkinManager* manager = ActiveSkinManager(); manager && !Menu) manager->SetPendingPopupMenu(this);
}

void TWinSkinPopMenu::PopupWndProc(gui::TMessage& message) {
    if (message.Msg == SKM_ISSKINNED) {
        message.Result = 1;
        return;
    }
    if (const ISkinManager* manager = ActiveSkinManager(); !manager || !manager->IsEnabled())
        return PrevWndProc.CallPrevious(message);
    switch (message.Msg) {
    case WM_DESTROY:
        Detach();
        return PrevWndProc.CallPrevious(message);
    case WM_NCPAINT:
        if (!PaintMenuFrame()) PrevWndProc.CallPrevious(message);
        return;
    case WM_PAINT:
        // Some systems draw a menu's border with its items, inside the window: the skin's goes over it.
        PrevWndProc.CallPrevious(message);
        PaintMenuFrame();
        return;
    case WM_PRINT:
        if (!PrintMenu(message)) PrevWndProc.CallPrevious(message);
        return;
    default:
        return PrevWndProc.CallPrevious(message);
    }
}

bool TWinSkinPopMenu::PaintMenuFrame() {
    if (!CanPaint()) return false;
    RECT outer{};
    GetWindowRect(Window, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 2 * kMenuFrame || h <= 2 * kMenuFrame) return false;
    RenderBackground(w, h);
    gui::WindowDc dc(Window, gui::WindowDc::WholeWindow);
    if (!dc) return true;
    win::CopyToDc(dc.get(), 0, 0, Background, Rect{0, 0, w, kMenuFrame});
    win::CopyToDc(dc.get(), 0, h - kMenuFrame, Background, Rect{0, h - kMenuFrame, w, h});
    win::CopyToDc(dc.get(), 0, kMenuFrame, Background, Rect{0, kMenuFrame, kMenuFrame, h});
    win::CopyToDc(dc.get(), w - kMenuFrame, kMenuFrame, Background, Rect{w - kMenuFrame, kMenuFrame, w, h});
    return true;
}

bool TWinSkinPopMenu::PrintMenu(gui::TMessage& message) {
    RECT outer{};
    if (!CanPaint() || !GetWindowRect(Window, &outer)) return false;
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    RenderBackground(w, h);
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    win::CopyToDc(dc, 0, 0, Background, Background.bounds());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const gui::UniqueRegion clip(CreateRectRgn(kMenuFrame, kMenuFrame, w - kMenuFrame, h - kMenuFrame));
    SelectClipRgn(dc, clip.get());
    PrevWndProc.CallPrevious(message);
    SelectClipRgn(dc, nullptr);
    SetBkMode(dc, oldMode);
    return true;
}

void AssignPendingPopupMenu(HMENU menu) {
    ISkinManager* manager = ActiveSkinManager();
    TWinSkinPopMenu* pending = manager && menu ? manager->PendingPopupMenu() : nullptr;
    if (!pending) return;
    pending->Menu = menu;
    manager->SetPendingPopupMenu(nullptr);
}

// ---- items ----

TMenuItemLook LookOf(const gui::TMenuItem& item) {
    TMenuItemLook look;
    look.Caption = item.Caption();
    look.Enabled = item.Enabled();
    look.Checked = item.Checked();
    look.Default = item.Default();
    look.RightToLeft = item.IsRightToLeft();
    look.Images = item.GetImageList();
    look.ImageIndex = item.ImageIndex();
    if (item.ShortCut() != 0) look.ShortCut = gui::ShortCutToText(item.ShortCut());
    return look;
}

TMenuItemLook LookOfPosition(HMENU menu, UINT position) {
    TMenuItemLook look;
    wchar_t text[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = 80;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    std::string caption = gui::Narrow(text);
    if (const auto tab = caption.find('\t'); tab != std::string::npos) {
        look.ShortCut = caption.substr(tab + 1);
        caption.resize(tab);
    }
    look.Caption = (caption.empty() || (info.fType & MFT_SEPARATOR)) ? "-" : caption;
    look.Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
    look.Checked = (info.fState & MFS_CHECKED) != 0;
    look.Default = (info.fState & MFS_DEFAULT) != 0;
    return look;
}

bool FindMenuItem(HMENU menu, UINT command, ULONG_PTR itemData, TMenuItemPlace& place) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.wID == command && info.dwItemData == itemData) {
            place = TMenuItemPlace{menu, static_cast<UINT>(i)};
            return true;
        }
    }
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (sub && FindMenuItem(sub, command, itemData, place)) return true;
    }
    return false;
}

void MeasureMenuItem(const TSkinData& skin, gui::TMenuItem& item, HDC dc, TMenuFonts& fonts, int& width,
                     int& height) {
    gui::TCanvas canvas(dc);
    canvas.SetFont(fonts.Get(false));
    gui::TMenuMeasureItemEvent own = std::move(item.OnMeasureItem);
    item.OnMeasureItem = nullptr;
    try {
        item.MeasureItem(canvas, width, height);
    } catch (...) {
        item.OnMeasureItem = std::move(own);
        throw;
    }
    item.OnMeasureItem = std::move(own);
    width += (skin.MenuItem ? skin.MenuItem->LeftWidth : 0) + (item.GetImageList() ? 10 : 35);
}

void MeasureForeignMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, TMenuFonts& fonts,
                            int& width, int& height) {
    if (item.Caption == "-") {
        height = kSeparatorHeight;
        return;
    }
    gui::TCanvas canvas(dc);
    canvas.SetFont(fonts.Get(item.Default)); // measured in the font it is drawn in
    // Measured as drawn: the accelerator's "&" takes no room.
    RECT caption{0, 0, 0, 0};
    canvas.DrawText(item.Caption, caption, DT_CALCRECT | DT_SINGLELINE);
    int texts = caption.right - caption.left;
    if (!item.ShortCut.empty()) texts += kForeignShortCutRoom + canvas.TextWidth(item.ShortCut);
    width = texts + kForeignItemRoom + (skin.MenuItem ? skin.MenuItem->LeftWidth : 0);
    // The system suggests a height; a suggestion smaller than the text would cut it.
    height = std::max(height, static_cast<int>(caption.bottom - caption.top)) + 4;
}

void MeasureSkinMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, TMenuFonts& fonts,
                         int& width, int& height) {
    if (item.Caption == "-") {
        width = 10;
        height = 8;
        return;
    }
    gui::TCanvas canvas(dc);
    canvas.SetFont(fonts.Get(item.Default));
    const std::string text = item.ShortCut.empty() ? item.Caption : item.Caption + "    " + item.ShortCut;
    const SIZE size = canvas.TextExtent(text);
    // Room for the skin's left margin and the glyph column (narrower beside an image list's images).
    const int extra = (skin.MenuItem ? skin.MenuItem->LeftWidth : 0) + (item.Images ? 12 : 35);
    width = static_cast<int>(size.cx) + extra;
    height = std::max(static_cast<int>(size.cy) + 6, 18);
}

void DrawSkinMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, const RECT& rect,
                      bool selected, HMENU menu, TMenuFonts& fonts) {
    if (!skin.MenuItem || skin.MenuItem->Image.empty())
        return DrawPlainMenuItem(skin, item, dc, rect, selected, fonts);
    AssignPendingPopupMenu(menu);
    Bitmap work = ItemBackground(skin, rect, menu);
    if (work.empty()) return;
    const TDataSkinObject& element = *skin.MenuItem;
    if (item.Caption == "-") {
        DrawSkinMenuSeparator(element, work);
    } else {
        DrawSkinImage(work, work.bounds(), element.Image, element.Margins(),
                      {.frame = selected ? kSelectedFrame : 1,
                       .frameCount = kMenuItemFrames,
                       .transparent = element.Trans != 0,
                       .tile = element.Tile == 1});
        return PaintItemOnto(dc, rect, work, skin, item, selected, fonts);
    }
    win::CopyToDc(dc, rect.left, rect.top, work, work.bounds());
}

void DrawForeignMenuItem(const TSkinData& skin, HMENU menu, const TMenuItemLook& item, bool selected,
                         const RECT& rect, HDC dc, TMenuFonts& fonts) {
    if (!skin.MenuItem || skin.MenuItem->Image.empty())
        return DrawPlainMenuItem(skin, item, dc, rect, selected, fonts);
    Bitmap work = ItemBackground(skin, rect, menu);
    if (work.empty()) return;
    const TDataSkinObject& element = *skin.MenuItem;
    DrawSkinImage(work, work.bounds(), element.Image, element.Margins(),
                  {.frame = selected ? kSelectedFrame : 1,
                   .frameCount = kMenuItemFrames,
                   .transparent = element.Trans != 0,
                   .tile = element.Tile == 1});
    PaintItemOnto(dc, rect, work, skin, item, selected, fonts);
}

void DrawPlainMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, const RECT& rect,
                       bool selected, TMenuFonts& fonts) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    const Bitmap work(w, h, PixelOf(selected ? skin.HilightColour : skin.MenuColour));
    PaintItemOnto(dc, rect, work, skin, item, selected, fonts);
}

} // namespace skin
