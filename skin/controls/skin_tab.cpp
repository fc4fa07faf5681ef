#include "skin/controls/skin_tab.h"

#include "framework/gui/graphics.h"
#include "framework/gui/handles.h"
#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/controls/skin_up_down.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

namespace skin {
namespace {

// Characters of a tab's text the painter reads.
constexpr int kTabTextChars = 80;
// The page border's slices do not come from the skin: the border image is drawn with these.
constexpr Rect kPageBorderMargins{4, 5, 4, 4};
// The page rectangle reaches this far out of the control's display area.
constexpr int kPageBorderGrow = 4;
constexpr int kFrameNormal = 1;
constexpr int kFrameSelected = 2;

bool HasImage(const std::unique_ptr<TDataSkinBorder>& element) {
    return element && !element->Image.empty();
}

COLORREF Resolved(Colour colour) {
    return gui::ColorToRGB(static_cast<gui::TColor>(colour));
}

struct TabItem {
    std::string Text;
    int Image = -1;
};

TabItem ReadTabItem(HWND window, int index) {
    std::array<wchar_t, kTabTextChars + 1> text{};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = text.data();
    item.cchTextMax = kTabTextChars;
    if (!SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return {};
    return {gui::Narrow(item.pszText ? item.pszText : L""), item.iImage};
}

// A tab's rectangle (window coordinates) in the horizontally lying strip.
RECT StripRectOf(const RECT& r, std::uint8_t side, int length, const RECT& window, const RECT& page) {
    switch (side) {
    case kTabsBottom:
        return RECT{r.left, r.top - (page.bottom + 1), r.right, r.bottom - (page.bottom + 1)};
    case kTabsLeft:
        return RECT{length - r.bottom, r.left, length - r.top, r.right};
    case kTabsRight:
        return RECT{r.top - 1, window.right - r.right, r.bottom - 1, window.right - r.left};
    default:
        return RECT{r.left, r.top + 1, r.right, r.bottom + 1};
    }
}

} // namespace

std::uint8_t TabSideOfStyle(DWORD style) noexcept {
    const bool farSide = (style & TCS_BOTTOM) != 0; // TCS_RIGHT is the same bit
    const bool vertical = (style & TCS_VERTICAL) != 0;
    if (vertical) return farSide ? kTabsRight : kTabsLeft;
    return farSide ? kTabsBottom : kTabsTop;
}

TSkinControl* SkinTabScroller(rtl::TComponent* formObject, HWND scroller, TSkinData& skinData,
                              gui::TCanvas& canvas, bool inTabSet) {
    auto* host = dynamic_cast<ISkinControlHost*>(formObject);
    if (!host) return nullptr;
    auto* upDown = new TSkinUpDown(formObject);
    host->RegisterControlObject(upDown);
    upDown->InTabSet = inTabSet;
    upDown->AttachHandle(scroller, skinData, canvas);
    InvalidateRect(scroller, nullptr, TRUE);
    return upDown;
}

const rtl::TClassInfo& TSkinTab::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinTab", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinTab::AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas) {
    TSkinControl::AttachHandle(handle, skinData, canvas);
    ReadWindowState();
    PrepareTabImages();
    FindTabScroller();
}

bool TSkinTab::BeforeMessage(gui::TMessage&) {
    return true;
}

void TSkinTab::SkinChanged() {
    TSkinControl::SkinChanged();
    PrepareTabImages();
}

void TSkinTab::PrepareTabImages() {
    TabSide = TabSideOfStyle(static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE)));
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabs || tabs->Image.empty() || tabs->SecondImage.empty()) {
        // No images of an earlier skin may stay behind for this one.
        TabImage = Bitmap();
        BorderImage = Bitmap();
        return;
    }
    TabImage = tabs->Image;
    BorderImage = tabs->SecondImage;
    switch (TabSide) {
    case kTabsBottom:
        FlipBitmap(TabImage);
        FlipBitmap(BorderImage);
        break;
    case kTabsLeft:
        RotateBitmapLeft(BorderImage);
        break;
    case kTabsRight:
        RotateBitmapRight(BorderImage);
        break;
    default:
        break;
    }
}

bool TSkinTab::FindTabScroller() {
    HWND scroller = FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
    if (!scroller) return false;
    if (scroller != scroller_ || !UpDown) {
        scroller_ = scroller;
        UpDown = SkinTabScroller(Owner(), scroller, *SkinData, *Canvas, false);
    }
    return (GetWindowLongPtrW(scroller, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
    const RECT window{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    RECT page = window;
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, kPageBorderGrow, kPageBorderGrow);
    switch (TabSide) {
    case kTabsBottom:
        page.bottom -= 1;
        break;
    case kTabsLeft:
        page.left += 1;
        break;
    case kTabsRight:
        page.right -= 1;
        break;
    default:
        page.top += 1;
        break;
    }
    if (!HasImage(SkinData->Tabs) || TabImage.empty()) return;
    RECT strip{};
    switch (TabSide) {
    case kTabsBottom:
        strip = RECT{window.left, page.bottom, window.right, window.bottom};
        break;
    case kTabsLeft:
        strip = RECT{window.left, window.top, page.left, window.bottom};
        break;
    case kTabsRight:
        strip = RECT{page.right, window.top, window.right, window.bottom};
        break;
    default:
        strip = RECT{window.left, window.top, window.right, page.top};
        break;
    }
    if (strip.right > strip.left && strip.bottom > strip.top) DrawStrip(dc, window, page, strip);
    if (!BorderImage.empty()) DrawPageBorder(dc, page);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& window, const RECT& page, const RECT& strip) {
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const bool vertical = TabSide == kTabsLeft || TabSide == kTabsRight;
    const int length = vertical ? strip.bottom - strip.top : strip.right - strip.left;
    const int thickness = vertical ? strip.right - strip.left : strip.bottom - strip.top;
    const int count = static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int focused = static_cast<int>(SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    const auto imageList = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
    StripBitmap.set_size(length, thickness);
    FillRect(StripBitmap, StripBitmap.bounds(), ColourToPixel(static_cast<Colour>(FaceColour())));
    {
        const win::BitmapDc stripDc(StripBitmap);
        gui::TCanvas canvas(stripDc.get());
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
        canvas.SetFont(font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (!SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
                continue;
            const RECT at = StripRectOf(r, TabSide, length, window, page);
            if (at.right <= 0 || at.left >= length) continue; // scrolled out of the strip
            const TabItem item = ReadTabItem(Handle, i);
            const int frame = i == focused ? kFrameSelected : kFrameNormal;
            GdiFlush(); // the text drawn so far reaches the pixels before the image goes over them
            skin::DrawSkinImage(StripBitmap, win::ToRect(at), TabImage, tabs.Margins(),
                                {.frame = frame,
                                 .frameCount = tabs.FrameCount,
                                 .transparent = tabs.Trans != 0,
                                 .tile = tabs.Tile != 0});
            SetTextColor(stripDc.get(),
                         Resolved(frame == kFrameSelected ? tabs.MouseOverColour2 : tabs.NormalColour2));
            DrawIconAndText(canvas, at, TextAlignment::Centre, item.Text, item.Image, imageList, Enabled);
        }
    }
    if (TabSide == kTabsRight) RotateBitmapRight(StripBitmap);
    if (TabSide == kTabsLeft) RotateBitmapLeft(StripBitmap);
    const gui::SavedDc saved(dc);
    if (FindTabScroller()) {
        RECT own{}, arrows{};
        GetWindowRect(Handle, &own);
        GetWindowRect(scroller_, &arrows);
        OffsetRect(&arrows, -own.left, -own.top);
        ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
    }
    win::CopyToDc(dc, strip.left, strip.top, StripBitmap, StripBitmap.bounds());
}

void TSkinTab::DrawPageBorder(HDC dc, const RECT& page) {
    const int w = page.right - page.left;
    const int h = page.bottom - page.top;
    if (w <= 0 || h <= 0) return;
    Bitmap border(w, h);
    DrawSkinBorder(border, border.bounds(), BorderImage, kPageBorderMargins, {});
    // Only the eight outer pieces: the page inside is the control's.
    const int left = std::min(kPageBorderMargins.Left, w), right = std::min(kPageBorderMargins.Right, w);
    const int top = std::min(kPageBorderMargins.Top, h), bottom = std::min(kPageBorderMargins.Bottom, h);
    win::CopyToDc(dc, page.left, page.top, border, Rect{0, 0, w, top});
    win::CopyToDc(dc, page.left, page.bottom - bottom, border, Rect{0, h - bottom, w, h});
    win::CopyToDc(dc, page.left, page.top, border, Rect{0, 0, left, h});
    win::CopyToDc(dc, page.right - right, page.top, border, Rect{w - right, 0, w, h});
}

} // namespace skin
