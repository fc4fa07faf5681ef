#include "framework/gui/scroll_box.h"

#include "framework/gui/graphics.h"
#include "framework/gui/handles.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {
namespace {

// Pixels an arrow click scrolls.
constexpr int kLineStep = 8;

} // namespace

TScrollBox::TScrollBox(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 41;
    acceptsControls_ = true;
}

const rtl::TClassInfo& TScrollBox::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TScrollBox",
        &TCustomControl::StaticClassInfo(),
        {
            IntegerProperty("HorzRange", &TScrollBox::SetHorzRange, &TScrollBox::HorzRange),
            IntegerProperty("VertRange", &TScrollBox::SetVertRange, &TScrollBox::VertRange),
        }};
    return info;
}

void TScrollBox::SetHorzRange(int range) {
    horzRange_ = std::max(range, 0);
    UpdateBars();
}

void TScrollBox::SetVertRange(int range) {
    vertRange_ = std::max(range, 0);
    UpdateBars();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_HSCROLL | WS_VSCROLL;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
    TCustomControl::CreateWnd();
    offset_ = POINT{};
    UpdateBars();
}

void TScrollBox::UpdateBars() {
    if (!handle_) return;
    RECT client{};
    GetClientRect(handle_, &client);
    const auto setBar = [&](int bar, int range, int page) {
        SCROLLINFO info{sizeof info,
                        SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL,
                        0,
                        std::max(range - 1, 0),
                        static_cast<UINT>(std::max(page, 0)),
                        0,
                        0};
        SetScrollInfo(handle_, bar, &info, TRUE);
    };
    setBar(SB_HORZ, horzRange_, client.right);
    setBar(SB_VERT, vertRange_, client.bottom);
}

void TScrollBox::ScrollBy(int bar, int code) {
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(handle_, bar, &info);
    const int page = static_cast<int>(info.nPage);
    int position = info.nPos;
    switch (code) {
    case SB_LINEUP:
        position -= kLineStep;
        break;
    case SB_LINEDOWN:
        position += kLineStep;
        break;
    case SB_PAGEUP:
        position -= page;
        break;
    case SB_PAGEDOWN:
        position += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    position = std::clamp(position, info.nMin, std::max(info.nMin, info.nMax - std::max(page, 1) + 1));
    LONG& offset = bar == SB_HORZ ? offset_.x : offset_.y;
    const int delta = offset - position;
    if (delta == 0) return;
    offset = position;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(handle_, bar, &info, TRUE);
    ScrollWindowEx(handle_, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr,
                   nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

void TScrollBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (message.LParam != 0) break; // a scroll bar control inside the box
        ScrollBy(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
        message.Result = 0;
        return;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        return UpdateBars();
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

void TScrollBox::Paint(HDC dc) {
    RECT client{};
    GetClientRect(handle_, &client);
    const UniqueBrush brush(CreateSolidBrush(ColorToRGB(color_)));
    ::FillRect(dc, &client, brush.get());
}

} // namespace gui
