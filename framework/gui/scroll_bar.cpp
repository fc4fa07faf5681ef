#include "framework/gui/scroll_bar.h"

#include "framework/gui/messages.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
    tabStop_ = true;
}

const rtl::TClassInfo& TScrollBar::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TScrollBar",
        &TWinControl::StaticClassInfo(),
        {
            EnumProperty("Kind", {"sbHorizontal", "sbVertical"}, &TScrollBar::SetKind, &TScrollBar::Kind),
            IntegerProperty("Min", &TScrollBar::SetMin, &TScrollBar::Min),
            IntegerProperty("Max", &TScrollBar::SetMax, &TScrollBar::Max),
            IntegerProperty("PageSize", &TScrollBar::SetPageSize, &TScrollBar::PageSize),
            IntegerProperty("Position", &TScrollBar::SetPosition, &TScrollBar::Position),
            IntegerProperty("LargeChange", &TScrollBar::SetLargeChange, &TScrollBar::LargeChange),
            IntegerProperty("SmallChange", &TScrollBar::SetSmallChange, &TScrollBar::SmallChange),
            EventProperty("OnChange", &TScrollBar::OnChange),
            EventProperty("OnScroll", &TScrollBar::OnScroll),
        }};
    return info;
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == kind_) return;
    kind_ = kind;
    if (!HasState(rtl::csLoading)) SetBounds(left_, top_, height_, width_); // turned, as a bar is laid out
    if (!handle_) return;
    // The orientation is a window style the control reads when it is created.
    DestroyHandle();
    HandleNeeded();
}

int TScrollBar::HighestPosition() const {
    return pageSize_ > 0 ? std::max(min_, max_ - pageSize_ + 1) : max_;
}

void TScrollBar::SetPageSize(int pageSize) {
    pageSize_ = std::clamp(pageSize, 0, std::max(0, max_ - min_ + 1));
    SetParams(position_, min_, max_);
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) std::swap(min, max);
    min_ = min;
    max_ = max;
    pageSize_ = std::min(pageSize_, max_ - min_ + 1);
    const int clamped = std::clamp(position, min_, HighestPosition());
    const bool moved = clamped != position_;
    position_ = clamped;
    UpdateWindowInfo();
    if (moved && OnChange && !HasState(rtl::csLoading)) OnChange(this);
}

void TScrollBar::UpdateWindowInfo() {
    if (!handle_) return;
    SCROLLINFO info{
        sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
    SendMessageW(handle_, SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"SCROLLBAR";
    params.SystemClass = true;
    params.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TScrollBar::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateWindowInfo();
}

void TScrollBar::Scroll(int code, int trackPosition) {
    lastScrollCode_ = code;
    int position = position_;
    switch (code) {
    case SB_LINEUP:
        position -= smallChange_;
        break;
    case SB_LINEDOWN:
        position += smallChange_;
        break;
    case SB_PAGEUP:
        position -= largeChange_;
        break;
    case SB_PAGEDOWN:
        position += largeChange_;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = trackPosition;
        break;
    case SB_TOP:
        position = min_;
        break;
    case SB_BOTTOM:
        position = max_;
        break;
    default:
        break;
    }
    if (OnScroll) OnScroll(this);
    SetParams(position, min_, max_);
}

void TScrollBar::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        // The 16-bit position of the message is too narrow for large ranges: the bar's own track position.
        SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        SendMessageW(handle_, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
        Scroll(LOWORD(message.WParam), info.nTrackPos);
        message.Result = 0;
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
