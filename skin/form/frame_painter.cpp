#include "skin/form/frame_painter.h"

#include "skin/component/skin_data.h"
#include "skin/diagnostics.h"
#include "skin/draw/blit.h"
#include "skin/draw/image_scaling.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/gdi_region.h"
#include "skin/draw/win/win_rect.h"
#include "skin/form/skin_form.h"
#include "skin/form/window_dpi.h"

#include <algorithm>
#include <optional>

namespace skin {
namespace {

enum Side { kLeft = 1, kRight = 2, kTop = 3, kBottom = 4 };

const TDataSkinBorder& BorderOf(const TSkinData& skin, int side) {
    switch (side) {
    case kLeft:
        return *skin.BorderLeft;
    case kRight:
        return *skin.BorderRight;
    case kTop:
        return *skin.BorderTop;
    default:
        return *skin.BorderBottom;
    }
}

// A region piece united into the window's region.
void AddPiece(HRGN target, HRGN piece) {
    if (piece) CombineRgn(target, target, piece, RGN_OR);
}

gui::UniqueRegion RectRegion(int left, int top, int right, int bottom) {
    return gui::UniqueRegion(CreateRectRgn(left, top, right, bottom));
}

// More rectangles than the outline of any window needs: a skin that scatters its key colour over a whole
// border would otherwise make each resize build and hand over a region of tens of thousands of rectangles
// (hundreds of milliseconds under Wine, whose window manager gets every one). Such a piece is solid.
constexpr std::size_t kMostShapeRects = 4096;

gui::UniqueRegion ShapeRegion(const Bitmap& bitmap, int dx, int dy) {
    const RegionRuns runs = CreateRegionFromBitmap(bitmap, dx, dy, kSkinKeyColour, 1, 1, 1);
    if (runs.Rects.size() > kMostShapeRects)
        return RectRegion(dx, dy, dx + bitmap.width(), dy + bitmap.height());
    return win::CreateGdiRegion(runs);
}

// The icon drawn where the key colour shows through. Its soft edges are decided pixel by pixel, from the
// icon drawn once on black and once on white: mostly covered pixels keep their colour, the rest become the
// key colour. Drawn straight onto the key colour, the edges would blend into a magenta fringe.
Bitmap IconOnKeyColour(HICON icon, int cx, int cy) {
    Bitmap onBlack(cx, cy, 0x000000), onWhite(cx, cy, 0xFFFFFF);
    for (Bitmap* background : {&onBlack, &onWhite}) {
        win::BitmapDc memory(*background);
        DrawIconEx(memory.get(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    }
    Bitmap result(cx, cy, kSkinKeyPixel);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const Pixel black = onBlack.pixel(x, y) & 0xFFFFFF;
            const Pixel white = onWhite.pixel(x, y) & 0xFFFFFF;
            // Coverage from the green channel: 255 where the background does not show at all.
            const int alpha =
                255 - (static_cast<int>((white >> 8) & 0xFF) - static_cast<int>((black >> 8) & 0xFF));
            if (alpha < 128) continue;
            const auto unblend = [&](int shift) {
                return static_cast<Pixel>(
                           std::min(255, static_cast<int>((black >> shift) & 0xFF) * 255 / alpha))
                       << shift;
            };
            Pixel colour = unblend(16) | unblend(8) | unblend(0);
            if (colour == kSkinKeyPixel) colour ^= 0x000100; // a key-coloured icon pixel must still show
            result.set_pixel(x, y, colour);
        }
    }
    return result;
}

} // namespace

Bitmap TFramePainter::RenderBorder(int side, int width, int height) const {
    const bool Active = form_.IsActive();
    const TDataSkinBorder& border = BorderOf(*form_.Skin(), side);
    const bool stacked = side == kTop || side == kBottom;
    const int frame = (Active || border.FrameCount == 1) ? 1 : 2;
    return RenderSkinImage(
        Rect{0, 0, width, height}, border.Image, border.Margins(),
        {.frame = frame, .frameCount = border.FrameCount, .tile = border.Tile != 1, .vertical = stacked});
}

const Bitmap& TFramePainter::BorderImage(int side, int width, int height) {
    KeptBorder& kept = keptBorders_[side - 1];
    const bool active = form_.IsActive();
    if (kept.Image.empty() || kept.Width != width || kept.Height != height || kept.Active != active) {
        kept.Image = RenderBorder(side, width, height);
        kept.Width = width;
        kept.Height = height;
        kept.Active = active;
    }
    return kept.Image;
}

void TFramePainter::PaintBorder(int side, const Rect& rect, HDC dc) {
    if (rect.IsInverted() || rect.IsEmpty()) return;
    const Bitmap& bitmap = BorderImage(side, rect.Width(), rect.Height());
    win::CopyToDc(dc, rect.Left, rect.Top, bitmap, bitmap.bounds());
}

void TFramePainter::PaintFrame(HDC dc) {
    const int Phase = form_.SkinPhase();
    const TSkinData* SkinData = form_.Skin();
    if (Phase != kPhaseActive && Phase != kPhaseReskinning) return;
    if (form_.Kind() == FrameKind::Popup || form_.IsMaximizedMdiChild() || !SkinData || SkinData->SkinPending)
        return;
    HWND Window = form_.Handle();
    const RECT borders = form_.Borders();
    const int FrameLeft = borders.left, FrameTop = borders.top, FrameRight = borders.right,
              FrameBottom = borders.bottom;
    std::optional<gui::WindowDc> own;
    if (!dc) {
        own.emplace(Window, gui::WindowDc::WholeWindow);
        dc = own->get();
        if (!dc) return;
    }
    const UnmirroredDc unmirrored(dc);
    try {
        GetWindowRect(Window, &WindowRect);
        const int w = WindowRect.right - WindowRect.left;
        const int h = WindowRect.bottom - WindowRect.top;
        WindowWidth = w;
        WindowHeight = h;
        PaintBorder(kLeft, Rect{0, 0, FrameLeft, h}, dc);
        PaintBorder(kRight, Rect{w - FrameRight, 0, w, h}, dc);
        PaintBorder(kBottom, Rect{FrameLeft, h - FrameBottom, w - FrameRight, h}, dc);
        PaintCaption(dc);
        if (TWinSkinMenu* MenuBarObject = form_.MenuBar()) {
            const int MenuBarHeight = form_.MenuRowHeight();
            MenuBarObject->PaintMenuBar(dc,
                                        RECT{FrameLeft, FrameTop, w - FrameRight, FrameTop + MenuBarHeight});
        }
    } catch (...) {
        // A frame that cannot be painted stays as it was; the window goes on working.
        ReportCurrentException("frame painter");
    }
    // The repaint drew every object in its normal look. A pressed one stays the hot object: the activation
    // that a click on an inactive window sets off repaints the frame between the press and the release.
    TNCObject* HotObject = form_.HotNcObject();
    if (HotObject && HotObject->State != kStatePressedFrame) {
        HotObject->State = kStateNormalFrame;
        form_.SetHotNcObject(nullptr);
    }
}

void TFramePainter::PaintCaption(HDC dc) {
    const RECT borders = form_.Borders();
    const int FrameLeft = borders.left, FrameTop = borders.top, FrameRight = borders.right;
    const int w = WindowWidth;
    if (w <= 0 || FrameTop <= 0) return;
    CaptionBitmap.set_size(w, FrameTop);
    // The side borders' top ends are part of the strip, as just painted. Taken from the borders rather than
    // read back from the window, which would return other windows' pixels where the window is covered.
    const int h = WindowHeight;
    if (FrameLeft > 0 && h > 0)
        CopyRect(CaptionBitmap, Point{0, 0}, BorderImage(kLeft, FrameLeft, h),
                 Rect{0, 0, FrameLeft, FrameTop});
    if (FrameRight > 0 && h > 0)
        CopyRect(CaptionBitmap, Point{w - FrameRight, 0}, BorderImage(kRight, FrameRight, h),
                 Rect{0, 0, FrameRight, FrameTop});
    const Rect strip{FrameLeft, 0, w - FrameRight, FrameTop};
    if (!strip.IsEmpty())
        CopyRect(CaptionBitmap, Point{FrameLeft, 0}, BorderImage(kTop, strip.Width(), FrameTop),
                 Rect{0, 0, strip.Width(), FrameTop});
    {
        if (!captionDc_) captionDc_.reset(CreateCompatibleDC(nullptr));
        win::BitmapDc memory(captionDc_.get(), CaptionBitmap);
        gui::TCanvas canvas(memory.get());
        PaintCaptionText(canvas, win::ToWinRect(strip));
    }
    CaptionBackground.set_size(w, FrameTop);
    CopyRect(CaptionBackground, Point{0, 0}, CaptionBitmap, CaptionBitmap.bounds());
    // The buttons follow the text: some are anchored to it.
    form_.CaptionButtons().Layout();
    form_.CaptionButtons().Paint(CaptionBitmap);
    win::CopyToDc(dc, 0, 0, CaptionBitmap, CaptionBitmap.bounds());
    SetBkMode(dc, OPAQUE);
}

void TFramePainter::PaintCaptionText(gui::TCanvas& canvas, const RECT& r) {
    const bool Active = form_.IsActive(), RightToLeft = form_.ReadsRightToLeft();
    const TSkinData* SkinData = form_.Skin();
    const std::string& CaptionText = captionText_;
    const TDataSkinTitle& title = *SkinData->Title;
    canvas.SetFont(captionFont_ ? captionFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    const int previousMode = canvas.SetBkMode(TRANSPARENT);
    canvas.SetTextColor(Active ? SkinData->TitleTextActiveColour : SkinData->TitleTextNoActiveColour);

    RECT m = r;
    canvas.DrawText(CaptionPrefix + " " + CaptionText, m, DT_CALCRECT | DT_NOCLIP);
    m.right += title.TextBackLeft + title.TextBackRight;
    const int available = r.right - r.left;
    const int textWidth = m.right - m.left;
    int dx = 0;
    switch (RightToLeft ? 2 : title.TextAlignment) {
    case 0:
        dx = title.LeftWidth;
        break; // the text shift
    case 1:
        dx = (available - textWidth) / 2;
        break;
    case 2:
        dx = available - title.RightWidth - textWidth;
        break;
    default:
        break;
    }
    const int dy = ((r.bottom - r.top) - (m.bottom - m.top)) / 2 + title.TopHeight / 2;
    OffsetRect(&m, dx, dy);
    if (form_.WindowStyle() & WS_POPUP) {
        m.right = std::max<LONG>(m.right, form_.RightButtonsStart() - 5);
    } else {
        m.right = std::min<LONG>(m.right, r.right - title.RightWidth);
    }
    captionTextRect_ = m;

    if (!title.Image.empty()) {
        GdiFlush(); // the bar is drawn into the same pixels GDI draws the text into
        const Rect margins{title.TextBackLeft, 0, title.TextBackRight, 0};
        DrawSkinBar(CaptionBitmap, Rect{m.left, r.top, m.right, r.bottom}, title.Image, margins,
                    {.frame = Active ? 1 : 2, .frameCount = 2, .transparent = true, .vertical = true});
    }
    m.left += title.TextBackLeft;
    m.right -= title.TextBackRight;
    canvas.DrawText(CaptionPrefix + CaptionText, m,
                    DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | (RightToLeft ? DT_RIGHT : 0u));
    canvas.SetBkMode(previousMode);
}

gui::UniqueRegion TFramePainter::WindowRegion(int w, int h) {
    const TSkinData& skin = *form_.Skin();
    const RECT borders = form_.Borders();
    const int FrameLeft = borders.left, FrameTop = borders.top, FrameRight = borders.right,
              FrameBottom = borders.bottom;
    gui::UniqueRegion region;
    if (skin.BorderLeft->Trans + skin.BorderRight->Trans + skin.BorderTop->Trans + skin.BorderBottom->Trans ==
        0) {
        region = RectRegion(0, 0, w, h);
    } else {
        RegionWidth = w;
        RegionHeight = h;
        region = RectRegion(FrameLeft, FrameTop, w - FrameRight, h - FrameBottom);
        if (form_.Kind() != FrameKind::Popup) {
            AddPiece(region.get(), skin.BorderLeft->Trans == 1 && h > 1
                                       ? ShapeRegion(RenderBorder(kLeft, FrameLeft, h), 0, 0).get()
                                       : RectRegion(0, 0, FrameLeft, h).get());
            AddPiece(region.get(),
                     skin.BorderRight->Trans == 1 && h > 1
                         ? ShapeRegion(RenderBorder(kRight, FrameRight, h), w - FrameRight, 0).get()
                         : RectRegion(w - FrameRight, 0, w, h).get());
            const int middle = w - FrameLeft - FrameRight;
            if (skin.BorderBottom->Trans == 1 && FrameBottom >= 2 && middle > 0) {
                AddPiece(region.get(),
                         ShapeRegion(RenderBorder(kBottom, middle, FrameBottom), FrameLeft, h - FrameBottom)
                             .get());
            } else {
                AddPiece(region.get(), RectRegion(FrameLeft, h - FrameBottom, w - FrameRight, h).get());
            }
            if (skin.BorderTop->Trans == 1 && FrameTop > 1 && middle > 0) {
                // The last painted caption: key-coloured pixels of its text and buttons cut the window too.
                Bitmap strip;
                if (!CaptionBitmap.empty() && CaptionBitmap.height() >= FrameTop &&
                    CaptionBitmap.width() >= FrameLeft + middle) {
                    strip = Bitmap(middle, FrameTop);
                    for (int y = 0; y < FrameTop; ++y) {
                        std::copy_n(CaptionBitmap.scanline(y) + FrameLeft, middle, strip.scanline(y));
                    }
                } else {
                    strip = RenderBorder(kTop, middle, FrameTop);
                }
                AddPiece(region.get(), ShapeRegion(strip, FrameLeft, 0).get());
            } else {
                AddPiece(region.get(), RectRegion(FrameLeft, 0, w - FrameRight, FrameTop).get());
            }
        }
    }
    return region;
}

void TFramePainter::DropComposed() {
    CaptionBitmap = Bitmap();
    CaptionBackground = Bitmap();
    captionDc_.reset();
    for (KeptBorder& kept : keptBorders_)
        kept = KeptBorder();
}

void TFramePainter::ReadCaptionFont() {
    if (LOGFONTW font{}; gui::ReadCaptionLogFont(font)) {
        font.lfHeight = SystemLengthAt(font.lfHeight, form_.Dpi());
        captionFont_ = gui::CreateFontFromLogFont(font);
    }
}

void TFramePainter::LoadWindowIcon() {
    Bitmap& target = IconBitmap;
    HWND Window = form_.Handle();
    const TSkinData* SkinData = form_.Skin();
    const int cx = SystemLengthAt(GetSystemMetrics(SM_CXSMICON), form_.Dpi());
    const int cy = SystemLengthAt(GetSystemMetrics(SM_CYSMICON), form_.Dpi());
    Bitmap icon(cx, cy, kSkinKeyPixel);
    HICON handle = reinterpret_cast<HICON>(SendMessageW(Window, WM_GETICON, ICON_SMALL, 0));
    if (!handle) handle = reinterpret_cast<HICON>(SendMessageW(Window, WM_GETICON, ICON_BIG, 0));
    hasOwnIcon_ = handle != nullptr;
    if (handle) {
        gui::UniqueIcon copy(static_cast<HICON>(CopyImage(handle, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
        if (!copy) copy.reset(static_cast<HICON>(CopyImage(handle, IMAGE_ICON, cx, cy, 0)));
        target = IconOnKeyColour(copy ? copy.get() : handle, cx, cy);
        return;
    }
    target = icon;
    if (!SkinData) return;
    if (!SkinData->SkinIconBitmap.empty()) {
        target = SkinData->SkinIconBitmap;
        return;
    }
    if (const ISkinManager* manager = ActiveSkinManager()) {
        for (const TSkinData* data : manager->SkinDataList()) {
            if (data->SkinFormtype() == sfMainform && !data->SkinIconBitmap.empty())
                target = data->SkinIconBitmap;
        }
    }
    // An icon lent at another DPI is made the size this window shows icons at.
    if (!target.empty() && target.width() != cx)
        target = ScaleSkinImage(target, ScaleRatio{cx, target.width()}, {});
}

} // namespace skin
