#include "skin/controls/skin_track_bar.h"

#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"

#include <commctrl.h>

namespace skin {
namespace {

constexpr int kThumbFrames = 5;
// The frames of the thumb strips.
constexpr int kThumbHot = 1, kThumbNormal = 2, kThumbPressed = 3, kThumbDisabled = 4;

bool IsCustomDraw(const gui::TMessage& message, HWND window) {
    if (message.Msg != WM_NOTIFY && message.Msg != gui::CN_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
    return header && header->code == static_cast<UINT>(NM_CUSTOMDRAW) && header->hwndFrom == window;
}

} // namespace

const rtl::TClassInfo& TSkinTrackBar::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinTrackBar", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

int TSkinTrackBar::ThumbFrame(bool enabled, bool pressed, bool hot) {
    if (!enabled) return kThumbDisabled;
    if (pressed) return kThumbPressed;
    return hot ? kThumbHot : kThumbNormal;
}

bool TSkinTrackBar::BeforeMessage(gui::TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return false;
    }
    if (message.Msg == gui::CN_BASE + WM_CTLCOLORSTATIC) {
        AnswerBackground(message);
        return false;
    }
    if (!IsCustomDraw(message, Handle)) return true;
    message.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam));
    return false;
}

void TSkinTrackBar::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        return TrackHot();
    case WM_MOUSELEAVE:
        return TrackHot();
    // The thumb changes its look when it is taken and let go.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        InvalidateRect(Handle, nullptr, FALSE);
        return;
    default:
        return TSkinControl::AfterMessage(message);
    }
}

void TSkinTrackBar::AnswerBackground(gui::TMessage& message) {
    // The bar asks its parent, which hands the question back here: without this answer it would keep the
    // system's face colour beside skinned neighbours.
    const COLORREF face = FaceColour();
    if (!faceBrush_ || faceBrushColour_ != face) {
        faceBrush_.reset(CreateSolidBrush(face));
        faceBrushColour_ = face;
    }
    SetBkColor(reinterpret_cast<HDC>(message.WParam), face);
    message.Result = reinterpret_cast<LRESULT>(faceBrush_.get());
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || draw.dwItemSpec != TBCD_THUMB) return CDRF_DODEFAULT;
    DrawThumb(draw.hdc);
    return CDRF_SKIPDEFAULT;
}

bool TSkinTrackBar::ThumbHot() const {
    RECT thumb{};
    POINT cursor{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    return PtInRect(&thumb, cursor) != FALSE;
}

void TSkinTrackBar::TrackHot() {
    const bool hot = ThumbHot();
    if (hot) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle, 0};
        TrackMouseEvent(&track);
    }
    if (hot == hot_) return;
    hot_ = hot;
    InvalidateRect(Handle, nullptr, FALSE);
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    RECT thumb{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const auto style = GetWindowLongPtrW(Handle, GWL_STYLE);
    const TDataSkinObject* element = SkinData->TrackbarThumbHorz.get();
    if ((style & TBS_VERT) && SkinData->TrackbarThumbVert) element = SkinData->TrackbarThumbVert.get();
    if (element && element->Image.empty()) element = nullptr;
    if (!element) {
        // Without a thumb image the thumb is an outline in the skin's shadow colour.
        const gui::UniquePen pen(CreatePen(PS_SOLID, 1, gui::ColorToRGB(SkinData->ButtonShadowColour)));
        const gui::SelectedObject selected(dc, pen.get());
        Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
        return;
    }
    const bool pressed = GetCapture() == Handle && (GetKeyState(VK_LBUTTON) & 0x8000);
    hot_ = ThumbHot();
    const bool enabled = !(style & WS_DISABLED);
    DrawStripFrame(dc, thumb, kThumbFrames, ThumbFrame(enabled, pressed, hot_), element->Image);
}

} // namespace skin
