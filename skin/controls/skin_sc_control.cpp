#include "skin/controls/skin_sc_control.h"

#include "skin/component/skin_data.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kLargestRange = 0x7FFFFFFE;

} // namespace

const rtl::TClassInfo& TSkinScControl::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinScControl", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

bool TSkinScControl::BeforeMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_NCMOUSEMOVE:
        return message.WParam != HTHSCROLL && message.WParam != HTVSCROLL;
    case SBM_SETSCROLLINFO:
        CallPreviousProc(message);
        PaintSkin(nullptr);
        return false;
    case gui::CN_HSCROLL:
        return OnReflectedScroll(message, false);
    case gui::CN_VSCROLL:
        return OnReflectedScroll(message, true);
    default:
        return true;
    }
}

bool TSkinScControl::OnReflectedScroll(gui::TMessage& message, bool vertical) {
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
    CallPreviousProc(message);
    if (Handle) PaintSkin(nullptr);
    return false;
}

bool TSkinScControl::Vertical() const {
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & SBS_VERT) != 0;
}

bool TSkinScControl::CalcThumb(int barLength) {
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    const int t = barLength - 2 * cx;
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(Handle, SB_CTL, &info)) return false;
    const long long range = static_cast<long long>(info.nMax) - info.nMin;
    if (range < 0 || range > kLargestRange || t <= 0) return false;
    const int span = static_cast<int>(range) + 1; // positions the bar has
    const int page = static_cast<int>(info.nPage);
    int l = page != 0 ? std::max(MulDiv(page, t, span), MinimumThumbLength()) : GetSystemMetrics(SM_CXHTHUMB);
    l = std::min(l, t);
    int p = 0;
    if (page >= span) {
        l -= 1;
    } else {
        p = std::clamp(MulDiv(info.nPos - info.nMin, t - l, span - page), 0, t - l);
    }
    TrackLength = t;
    ThumbLength = l;
    ThumbPos = p;
    return true;
}

void TSkinScControl::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->Scrollbar || SkinData->Scrollbar->Image.empty()) return;
    const bool vertical = Vertical();
    // Without a thumb (a bar shorter than its two arrows, or no sane range) the arrows are still the skin's.
    const bool withThumb = CalcThumb(vertical ? rect.bottom - rect.top : rect.right - rect.left);
    Enabled = IsWindowEnabled(Handle) != FALSE;
    const TDataSkinObject* track = vertical ? SkinData->VertScroll.get() : SkinData->HorzScroll.get();
    TBarLook look;
    look.Vertical = vertical;
    look.HitPart = HitPart;
    look.Disabled = !Enabled;
    look.TrackTrans = track && track->Trans == 1;
    look.TrackTile = track && track->Tile != 0;
    TScrollBarMetrics metrics;
    metrics.ArrowSize = GetSystemMetrics(SM_CXHSCROLL);
    metrics.TrackLength = withThumb ? TrackLength : 0;
    metrics.ThumbLength = withThumb ? ThumbLength : 0;
    metrics.ThumbPos = withThumb ? ThumbPos : 0;
    ComposeScrollBar(dc, rect, *SkinData, metrics, look, barBitmap_);
}

} // namespace skin
