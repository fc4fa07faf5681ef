#include "skin/controls/skin_scroll_bar.h"

#include "framework/gui/handles.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"

#include <algorithm>
#include <optional>

namespace skin {
namespace {

// Coordinates beyond this are taken as a window in the middle of being laid out: nothing is drawn.
constexpr int kLargestCoordinate = 10000;
// The thumb's smallest length on the systems that have no SM_CXHTHUMB of their own worth using.
constexpr int kOldSystemMinimumThumb = 8;
constexpr int kThumbFramesDefault = 3;
constexpr int kTrackFrames = 4;
constexpr int kThumbNormalFrame = 1;
constexpr int kThumbPressedFrame = 2;

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
int LengthOf(const RECT& r, bool vertical) {
    return vertical ? r.bottom - r.top : r.right - r.left;
}

// A rectangle of the bar bitmap: along the bar from `from` to `to`, across it the full thickness.
Rect Along(bool vertical, int from, int to) {
    return vertical ? Rect{0, from, kSkinBarThickness, to} : Rect{from, 0, to, kSkinBarThickness};
}

int ArrowFrame(int base, bool pressed, bool disabled) {
    if (disabled) return base + kArrowDisabledOffset;
    return pressed ? base + kArrowPressedOffset : base;
}

} // namespace

int MinimumThumbLength() {
    // The high bit of the version marks the old family of systems.
    return (GetVersion() & 0x80000000u) ? GetSystemMetrics(SM_CXHSCROLL) / 2 : kOldSystemMinimumThumb;
}

void ComposeScrollBar(HDC dc, const RECT& bar, const TSkinData& skin, const TScrollBarMetrics& metrics,
                      const TBarLook& look, Bitmap& work) {
    const TDataSkinObject* arrows = skin.Scrollbar.get();
    if (!arrows || arrows->Image.empty()) return;
    const bool vertical = look.Vertical;
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    const int length = LengthOf(bar, vertical);
    if (length <= 0 || length > kLargestCoordinate) return;
    const int width = vertical ? kSkinBarThickness : length;
    const int height = vertical ? length : kSkinBarThickness;
    work.set_size(width, height);
    work.fill(ColourToPixel(static_cast<Colour>(gui::ColorToRGB(skin.ScrollbarColour))));

    if (const TDataSkinObject* track = vertical ? skin.VertScroll.get() : skin.HorzScroll.get();
        track && length > 2 * cx) {
        DrawSkinImage(work, Along(vertical, cx, length - cx), track->Image, track->Margins(),
                      {.frameCount = kTrackFrames, .transparent = look.TrackTrans, .tile = look.TrackTile});
    }

    const int s = length < 2 * cx ? length / 2 : cx;
    const int startFrame = vertical ? kUpArrowFrame : kLeftArrowFrame;
    const int endFrame = vertical ? kDownArrowFrame : kRightArrowFrame;
    const int startHit = vertical ? kHitUpArrow : kHitLeftArrow;
    const int endHit = vertical ? kHitDownArrow : kHitRightArrow;
    DrawSkinFrame(work, Along(vertical, 0, s), arrows->Image,
                  {.frame = ArrowFrame(startFrame, look.HitPart == startHit, look.Disabled),
                   .frameCount = kScrollArrowFrames,
                   .transparent = true});
    DrawSkinFrame(work, Along(vertical, length - s, length), arrows->Image,
                  {.frame = ArrowFrame(endFrame, look.HitPart == endHit, look.Disabled),
                   .frameCount = kScrollArrowFrames,
                   .transparent = true});

    const TDataSkinObject* thumb = vertical ? skin.VertScrollThumb.get() : skin.HorzScrollThumb.get();
    const TDataSkinObject* thumbTrans = skin.HorzScrollThumb.get();
    if (thumb && !look.Disabled && metrics.ThumbLength > 0 && metrics.TrackLength >= metrics.ThumbLength) {
        const int start = s + metrics.ThumbPos;
        const bool pressed = look.HitPart == (vertical ? kHitVertThumb : kHitHorzThumb);
        DrawSkinImage(work, Along(vertical, start, start + metrics.ThumbLength), thumb->Image,
                      thumb->Margins(),
                      {.frame = pressed ? kThumbPressedFrame : kThumbNormalFrame,
                       .frameCount = thumb->FrameCount > 0 ? thumb->FrameCount : kThumbFramesDefault,
                       .transparent = thumbTrans && thumbTrans->Trans == 1});
    }

    if (bar.right - bar.left == width && bar.bottom - bar.top == height && GetLayout(dc) == 0) {
        // The bar as thick as the skin's, on a device that is not mirrored: its pixels go to the device
        // as they are, without a device context of their own.
        win::CopyToDc(dc, bar.left, bar.top, work, work.bounds());
        return;
    }
    const win::BitmapDc source(work);
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top, source.get(), 0, 0, width,
               height, SRCCOPY);
    if (previousMode) SetStretchBltMode(dc, previousMode);
}

// ---- TSkinScrollBar ----

TSkinScrollBar::~TSkinScrollBar() {
    Dragging = false;
    *alive_ = false;
}

const rtl::TClassInfo& TSkinScrollBar::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinScrollBar", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinScrollBar::AttachScrollBars(gui::TWinControl& control, TSkinData& skinData, bool handleDrag,
                                      gui::TCanvas& canvas) {
    if (Attached) return;
    BindControl(control, skinData, false, canvas);
    SavedWindowProc.Install(control, gui::TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    if (ISkinControlHost* host = Host()) host->RegisterControlObject(this);
    ReadWindowState();
    Dragging = InVertScroll = InHorzScroll = false;
    HorzInfo.cbSize = VertInfo.cbSize = sizeof(SCROLLINFO);
    HorzMetrics.StyleBit = WS_HSCROLL;
    VertMetrics.StyleBit = WS_VSCROLL;
    HandleDrag = handleDrag;
    Attached = true;
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinScrollBar::TakeFaceColour() {
    UseSkinColour = true;
    TakeSkinColour();
}

void TSkinScrollBar::Detach() {
    // A drag loop still running ends at its next message; the control is given back now.
    Dragging = false;
    gui::ReleaseMouseCaptureOf(Handle);
    TSkinControl::Detach();
}

bool TSkinScrollBar::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_NCCALCSIZE:
        CallPreviousProc(message);
        return false;
    // The bar styles are taken off and put back around the control's frame paint behind its back: a control
    // told of it would lay itself out again (a list view does).
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
        return !hidingBars_;
    case WM_NCPAINT:
        if (!SkinPaintsBars() || !ReachesBars(message.WParam)) return true;
        PaintFrameWithoutSystemBars(message);
        AfterMessage(message);
        return false;
    case WM_NCMOUSEMOVE:
        return message.WParam != HTHSCROLL && message.WParam != HTVSCROLL;
    case WM_NCLBUTTONDOWN:
        return !(HandleDrag && BarButtonDown(message));
    case WM_HSCROLL:
        return OnScroll(message, false);
    case WM_VSCROLL:
        return OnScroll(message, true);
    default:
        return true;
    }
}

bool TSkinScrollBar::OnScroll(gui::TMessage& message, bool vertical) {
    switch (LOWORD(message.WParam)) {
    case SB_LINEUP:
        HitPart = vertical ? kHitUpArrow : kHitLeftArrow;
        break;
    case SB_LINEDOWN:
        HitPart = vertical ? kHitDownArrow : kHitRightArrow;
        break;
    case SB_THUMBTRACK:
        HitPart = vertical ? kHitVertThumb : kHitHorzThumb;
        break;
    default:
        HitPart = kHitNone;
        break;
    }
    bool& inScroll = vertical ? InVertScroll : InHorzScroll;
    inScroll = true;
    CallPreviousProc(message);
    inScroll = false;
    if (Handle) PaintSkin(nullptr);
    return false;
}

void TSkinScrollBar::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_NCPAINT:
        PaintSkin(nullptr);
        break;
    case WM_PRINT:
        if (message.LParam & PRF_NONCLIENT) PaintSkin(reinterpret_cast<HDC>(message.WParam));
        break;
    // The system's own tracking of arrows and track ended: its last drawing of the bar goes.
    case WM_NCLBUTTONDOWN:
        HitPart = kHitNone;
        PaintSkin(nullptr);
        break;
    // The client paint leaves the bars alone: they are painted again only when the scroll state changed.
    case WM_PAINT:
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
    if (Handle && Attached) RepaintIfScrolled();
}

bool TSkinScrollBar::SkinPaintsBars() const {
    if (!SkinData || !SkinData->Scrollbar || SkinData->Scrollbar->Image.empty()) return false;
    if (InVertScroll || InHorzScroll) return false; // the system is drawing a bar of its own now
    RECT rect{};
    return GetWindowRect(Handle, &rect) && rect.bottom - rect.top <= kLargestCoordinate &&
           rect.right - rect.left <= kLargestCoordinate;
}

bool TSkinScrollBar::ReachesBars(WPARAM updateRegion) const {
    if (updateRegion == 1) return true; // the whole frame
    RECT window{}, client{};
    if (!GetWindowRect(Handle, &window) || !GetClientRect(Handle, &client)) return true;
    MapWindowPoints(Handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Where bars can be: beside the client area, right or left, and below it.
    const RECT strips[] = {{client.right, window.top, window.right, window.bottom},
                           {window.left, window.top, client.left, window.bottom},
                           {window.left, client.bottom, window.right, window.bottom}};
    const auto region = reinterpret_cast<HRGN>(updateRegion);
    return std::any_of(std::begin(strips), std::end(strips), [&](const RECT& strip) {
        return !IsRectEmpty(&strip) && RectInRegion(region, &strip);
    });
}

void TSkinScrollBar::PaintFrameWithoutSystemBars(gui::TMessage& message) {
    // The system's bars would be covered by the skin's at once: drawing them first costs more than the rest
    // of the frame (and shows as a flash), so the control paints its border with the bar styles off.
    const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    const LONG_PTR bars = style & (WS_HSCROLL | WS_VSCROLL);
    if (!bars) return CallPreviousProc(message);
    const HWND window = Handle;
    const auto setStyle = [&](LONG_PTR value) {
        hidingBars_ = true;
        SetWindowLongPtrW(window, GWL_STYLE, value);
        hidingBars_ = false;
    };
    const std::shared_ptr<bool> alive = alive_;
    setStyle(style & ~bars);
    CallPreviousProc(message);
    if (*alive && IsWindow(window)) setStyle(GetWindowLongPtrW(window, GWL_STYLE) | bars);
}

std::uint64_t TSkinScrollBar::ScrollSignature() const {
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a over the state both bars show
    const auto mix = [&](std::uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    mix(static_cast<std::uint64_t>(GetWindowLongPtrW(Handle, GWL_STYLE)) &
        (WS_HSCROLL | WS_VSCROLL | WS_DISABLED));
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        if (!GetScrollInfo(Handle, bar, &info)) continue;
        for (const int value :
             {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos}) {
            mix(static_cast<std::uint32_t>(value));
        }
    }
    return hash;
}

void TSkinScrollBar::RepaintIfScrolled() {
    if (Dragging || InVertScroll || InHorzScroll) return;
    if (ScrollSignature() != paintedSignature_) PaintSkin(nullptr);
}

void TSkinScrollBar::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->Scrollbar || SkinData->Scrollbar->Image.empty()) return;
    paintedSignature_ = ScrollSignature();
    WindowStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
    WindowExStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
    if (InVertScroll) WindowStyle |= WS_VSCROLL;
    if (InHorzScroll) WindowStyle |= WS_HSCROLL;
    const bool horz = (WindowStyle & WS_HSCROLL) != 0, vert = (WindowStyle & WS_VSCROLL) != 0;
    if (!horz && !vert) return;
    if (rect.top > kLargestCoordinate || rect.left > kLargestCoordinate) return;
    CalcBarRects(rect);
    if (horz && !IsEmpty(HorzRect)) DrawBar(dc, HorzRect, false);
    if (vert && !IsEmpty(VertRect)) DrawBar(dc, VertRect, true);
    if (horz && vert && !IsEmpty(CornerRect)) FillFace(dc, CornerRect);
}

void TSkinScrollBar::CalcBarRects(const RECT& r) {
    const int b = GetSystemMetrics(SM_CXHSCROLL);
    RECT k{};
    GetClientRect(Handle, &k);
    const bool horz = (WindowStyle & WS_HSCROLL) != 0, vert = (WindowStyle & WS_VSCROLL) != 0;
    const int a = vert ? (r.right - k.right - b) / 2 : (r.bottom - k.bottom - b) / 2;
    HorzMetrics.ArrowSize = VertMetrics.ArrowSize = b;
    if (!(WindowExStyle & WS_EX_LEFTSCROLLBAR)) {
        if (horz && vert) {
            HorzRect = RECT{r.left + a, r.bottom - a - b, r.right - a - b, r.bottom - a};
            VertRect = RECT{r.right - a - b, a, r.right - a, r.bottom - a - b};
            CornerRect = RECT{r.right - a - b, HorzRect.top, r.right - a, HorzRect.bottom};
        } else if (horz) {
            HorzRect = RECT{r.left + a, r.bottom - a - b, r.right - a, r.bottom - a};
        } else {
            VertRect = RECT{r.right - a - b, a, r.right - a, r.bottom - a};
        }
        return;
    }
    if (horz && vert) {
        HorzRect = RECT{a + b, r.bottom - a - b, r.right - a, r.bottom - a};
        VertRect = RECT{a, a, a + b, r.bottom - a - b};
        CornerRect = RECT{a, HorzRect.top, a + b, HorzRect.bottom};
    } else if (horz) {
        HorzRect = RECT{a, r.bottom - a - b, r.right - a, r.bottom - a};
    } else {
        VertRect = RECT{a, a, a + b, r.bottom - a};
    }
}

void TSkinScrollBar::DrawBar(HDC dc, const RECT& bar, bool vertical) {
    if (vertical ? InVertScroll : InHorzScroll) return; // the system is drawing this bar now
    CalcThumb(bar, vertical);
    TBarLook look;
    look.Vertical = vertical;
    look.HitPart = HitPart;
    look.Disabled = (WindowStyle & WS_DISABLED) != 0;
    const TDataSkinObject* track = vertical ? SkinData->VertScroll.get() : SkinData->HorzScroll.get();
    look.TrackTrans = track && track->Trans == 1;
    look.TrackTile = track && track->Tile != 0;
    ComposeScrollBar(dc, bar, *SkinData, vertical ? VertMetrics : HorzMetrics, look,
                     barBitmaps_[vertical ? 1 : 0]);
}

void TSkinScrollBar::CalcThumb(const RECT& bar, bool vertical) {
    if (Dragging) return; // the drag loop places the thumb under the mouse
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    const int t = LengthOf(bar, vertical) - 2 * cx;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(Handle, vertical ? SB_VERT : SB_HORZ, &info)) return;
    const int range = info.nMax - info.nMin;
    if (t <= 0) {
        // Shorter than its two arrows: no track, so no thumb.
        TScrollBarMetrics& squeezed = vertical ? VertMetrics : HorzMetrics;
        squeezed.TrackLength = squeezed.ThumbLength = squeezed.ThumbPos = 0;
        return;
    }
    if (range <= 0) return;
    const int page = static_cast<int>(info.nPage);
    int l =
        page != 0 ? std::max(MulDiv(page, t, range), MinimumThumbLength()) : GetSystemMetrics(SM_CXHTHUMB);
    l = std::min(l, t);
    int p = 0;
    if (page >= range) {
        // The whole range is in view (a page as large as the range or larger): the thumb fills the track.
        l = std::min(l, t) - 1;
    } else {
        p = std::clamp(MulDiv(info.nPos - info.nMin, t - l, range - page), 0, t - l);
    }
    (vertical ? VertInfo : HorzInfo) = info;
    TScrollBarMetrics& metrics = vertical ? VertMetrics : HorzMetrics;
    metrics.TrackLength = t;
    metrics.ThumbLength = l;
    metrics.ThumbPos = p;
}

int TSkinScrollBar::HitTestBar(int p, bool vertical) const {
    const TScrollBarMetrics& m = vertical ? VertMetrics : HorzMetrics;
    const int s = m.ArrowSize;
    if (p < s) return SB_LINEUP;
    if (p < s + m.ThumbPos) return SB_PAGEUP;
    if (p < s + m.ThumbPos + m.ThumbLength) return SB_THUMBTRACK;
    if (p < s + m.TrackLength) return SB_PAGEDOWN;
    if (p < 2 * s + m.TrackLength) return SB_LINEDOWN;
    return -1;
}

bool TSkinScrollBar::BarButtonDown(gui::TMessage& message) {
    if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) return false;
    const bool vertical = message.WParam == HTVSCROLL;
    POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    ScreenToClient(Handle, &point);
    const int part = HitTestBar(vertical ? point.y : point.x, vertical);
    HitPart = vertical ? kHitVertThumb : kHitHorzThumb;
    if (part != SB_THUMBTRACK) return false; // arrows and paging: the system's own tracking
    PaintSkin(nullptr);
    const POINT pressedAt{static_cast<short>(LOWORD(message.LParam)),
                          static_cast<short>(HIWORD(message.LParam))};
    DragThumb(vertical, vertical ? WM_VSCROLL : WM_HSCROLL, pressedAt);
    message.Result = 0;
    return true;
}

void TSkinScrollBar::TrackThumb(bool vertical, int pos) {
    SCROLLINFO& info = vertical ? VertInfo : HorzInfo;
    info.fMask = SIF_POS;
    info.nPos = info.nTrackPos = pos;
    SetScrollInfo(Handle, vertical ? SB_VERT : SB_HORZ, &info, FALSE);
    SendMessageW(Handle, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
}

void TSkinScrollBar::DragThumb(bool vertical, UINT scrollMessage, POINT start) {
    const HWND window = Handle;
    SCROLLINFO& info = vertical ? VertInfo : HorzInfo;
    TScrollBarMetrics& metrics = vertical ? VertMetrics : HorzMetrics;
    Dragging = true;
    // The release must come to us even off the window, or the loop would outlive the button press.
    std::optional<gui::MouseCapture> capture(std::in_place, window);
    const int startThumb = metrics.ThumbPos;
    int lastSent = info.nPos;
    const int t = metrics.TrackLength, l = metrics.ThumbLength;
    const int page = static_cast<int>(info.nPage);
    // The mouse where each message was sent (the cursor may have moved on since: queued input).
    const auto follow = [&](POINT cursor) {
        int p =
            std::max(startThumb + static_cast<int>(vertical ? cursor.y - start.y : cursor.x - start.x), 0);
        int pos = 0;
        if (page != 0) {
            // The inverse of the thumb's placement, so the thumb stays under the mouse once released.
            p = std::min(p, t - l);
            pos = (t - l > 0 ? MulDiv(p, info.nMax - info.nMin - page, t - l) : 0) + info.nMin;
            if (pos >= info.nMax - page) pos = info.nMax - page + 1;
        } else {
            p = std::min(p, t - l);
            pos = std::min((t - l > 0 ? MulDiv(p, info.nMax - info.nMin, t - l) : 0) + info.nMin, info.nMax);
        }
        pos = std::max(pos, info.nMin);
        if (pos == lastSent) return;
        metrics.ThumbPos = p;
        TrackThumb(vertical, pos);
        lastSent = pos;
    };
    bool quit = false;
    WPARAM quitCode = 0;
    const std::shared_ptr<bool> alive = alive_;
    while (*alive && Dragging) {
        MSG msg{};
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (GetCapture() != window || !IsWindow(window)) break; // taken away: the press is over
            WaitMessage();
            continue;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (*alive && Dragging) follow(msg.pt);
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            Dragging = false;
            break;
        case WM_QUIT:
            quit = true;
            quitCode = msg.wParam;
            Dragging = false;
            break;
        default:
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            break;
        }
    }
    capture.reset();
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    if (!*alive) return;
    Dragging = false;
    if (IsWindow(window)) {
        SendMessageW(window, scrollMessage, MAKEWPARAM(SB_THUMBPOSITION, lastSent), 0);
        PostMessageW(window, scrollMessage, SB_ENDSCROLL, 0);
    }
}

} // namespace skin
