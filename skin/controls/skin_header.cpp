#include "skin/controls/skin_header.h"

#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/win_rect.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr int kItemTextChars = 200;
constexpr int kSortGlyphHalf = 4; // the glyph is a triangle 2 * half wide and half high

TextAlignment Alignment(int format) {
    switch (format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
        return TextAlignment::Right;
    case HDF_CENTER:
        return TextAlignment::Centre;
    default:
        return TextAlignment::Left;
    }
}

// A small triangle pointing up (ascending) or down, centred in area, in the text colour.
void DrawSortGlyph(HDC dc, const RECT& area, bool up) {
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    const int tip = up ? cy - kSortGlyphHalf / 2 : cy + kSortGlyphHalf / 2;
    const int base = up ? tip + kSortGlyphHalf : tip - kSortGlyphHalf;
    const POINT points[3] = {{cx - kSortGlyphHalf, base}, {cx + kSortGlyphHalf, base}, {cx, tip}};
    const gui::UniqueBrush brush(CreateSolidBrush(GetTextColor(dc)));
    const gui::UniquePen pen(CreatePen(PS_SOLID, 1, GetTextColor(dc)));
    const gui::SelectedObject selectedBrush(dc, brush.get());
    const gui::SelectedObject selectedPen(dc, pen.get());
    Polygon(dc, points, 3);
}

} // namespace

const rtl::TClassInfo& TSkinHeader::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinHeader", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinHeader::AttachHandle(HWND handle, TSkinData& skinData, gui::TCanvas& canvas) {
    TSkinControl::AttachHandle(handle, skinData, canvas);
    if (ISkinControlHost* host = Host()) host->RegisterControlObject(this);
}

int TSkinHeader::SectionAt(LPARAM point) const {
    HDHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const auto index = static_cast<int>(SendMessageW(Handle, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) ? index : -1;
}

bool TSkinHeader::BeforeMessage(gui::TMessage& message) {
    const bool hasImage = SkinData && SkinData->Headerbar && !SkinData->Headerbar->Image.empty();
    switch (message.Msg) {
    case WM_ERASEBKGND:
        if (!hasImage) return true;
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Only buttons are pressed; a press on a divider resizes instead.
        PressedSection =
            (GetWindowLongPtrW(Handle, GWL_STYLE) & HDS_BUTTONS) ? SectionAt(message.LParam) : -1;
        return true;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (PressedSection >= 0) {
            PressedSection = -1;
            InvalidateRect(Handle, nullptr, FALSE);
        }
        return true;
    default:
        return true;
    }
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
    const TDataSkinObject* element = SkinData ? SkinData->Headerbar.get() : nullptr;
    if (!element || element->Image.empty() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    Bitmap work(win::DibPixelAllocator(), rect.right - rect.left, rect.bottom - rect.top);
    const win::BitmapDc workDc(work);
    gui::TCanvas canvas(workDc.get());
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(Handle, WM_GETFONT, 0, 0));
    const gui::SelectedObject selectedFont(workDc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(workDc.get(), TRANSPARENT);
    SetTextColor(workDc.get(), GetSysColor(COLOR_BTNTEXT));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const auto count = static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0));
    int rightmost = rect.left;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        DrawHeaderItem(images, canvas, work, i, r);
        rightmost = std::max(rightmost, static_cast<int>(r.right));
    }
    if (rightmost < rect.right) {
        DrawSkinImage(work, Rect{rightmost, rect.top, rect.right, rect.bottom}, element->Image,
                      element->Margins(),
                      {.frame = kHeaderNormalFrame,
                       .frameCount = element->FrameCount > 0 ? element->FrameCount : kHeaderFrames,
                       .tile = element->Tile != 0});
    }
    GdiFlush();
    win::CopyToDc(dc, rect.left, rect.top, work, work.bounds());
}

void TSkinHeader::DrawHeaderItem(HIMAGELIST images, gui::TCanvas& canvas, Bitmap& work, int index,
                                 const RECT& r) {
    const TDataSkinObject& element = *SkinData->Headerbar;
    wchar_t text[kItemTextChars + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kItemTextChars + 1;
    SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const bool sorted = (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0;
    int frame = kHeaderNormalFrame;
    if (sorted) frame = kHeaderSortedFrame;
    if (index == PressedSection) frame = kHeaderPressedFrame;
    GdiFlush();
    DrawSkinImage(work, win::ToRect(r), element.Image, element.Margins(),
                  {.frame = frame,
                   .frameCount = element.FrameCount > 0 ? element.FrameCount : kHeaderFrames,
                   .tile = element.Tile != 0});
    RECT textArea = r;
    if (sorted && r.right - r.left > 2 * kSortGlyphArea) {
        textArea.right -= kSortGlyphArea;
        DrawSortGlyph(canvas.Handle(), RECT{textArea.right, r.top, r.right, r.bottom},
                      (item.fmt & HDF_SORTUP) != 0);
    }
    const std::string caption = gui::Narrow(text);
    if (caption.empty()) return; // a section without text shows its background only
    const int image = (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? item.iImage : -1;
    DrawIconAndText(canvas, textArea, Alignment(item.fmt), caption, image, images,
                    IsWindowEnabled(Handle) != FALSE);
}

} // namespace skin
