#include "framework/gui/speed_button.h"

#include "framework/rtl/property_builders.h"

#include <windowsx.h>

namespace gui {

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 23;
    height_ = 22;
    glyph_.OnChange = [this] { Invalidate(); };
}

const rtl::TClassInfo& TSpeedButton::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TSpeedButton", &TGraphicControl::StaticClassInfo(),
        JoinProperties(
            {
                BooleanProperty("AllowAllUp", &TSpeedButton::SetAllowAllUp, &TSpeedButton::AllowAllUp),
                IntegerProperty("GroupIndex", &TSpeedButton::SetGroupIndex, &TSpeedButton::GroupIndex),
                BooleanProperty("Down", &TSpeedButton::SetDown, &TSpeedButton::Down),
                BooleanProperty("Flat", &TSpeedButton::SetFlat, &TSpeedButton::Flat),
            },
            TButtonGlyph::PublishedBy(&TSpeedButton::ButtonGlyph))};
    return info;
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    Invalidate();
    if (!down_ || !Parent()) return;
    for (TControl* sibling : Parent()->Controls()) {
        auto* other = dynamic_cast<TSpeedButton*>(sibling);
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return MouseDown(message);
    case WM_MOUSEMOVE:
        return MouseMove(message);
    case WM_LBUTTONUP:
        return MouseUp(message);
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseInControl_ = message.Msg == CM_MOUSEENTER;
        if (flat_ && Enabled()) Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        Invalidate();
        return;
    default:
        return TGraphicControl::WndProc(message);
    }
}

bool TSpeedButton::Contains(const TMessage& message) const {
    const int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

void TSpeedButton::MouseDown(TMessage&) {
    dragging_ = pressed_ = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TMessage& message) {
    if (!dragging_ || Contains(message) == pressed_) return;
    pressed_ = !pressed_;
    Invalidate();
}

void TSpeedButton::MouseUp(TMessage& message) {
    if (!dragging_) return;
    dragging_ = pressed_ = false;
    Invalidate();
    if (!Contains(message)) return;
    if (groupIndex_ != 0) {
        if (down_ && allowAllUp_) {
            SetDown(false);
        } else {
            SetDown(true);
        }
    }
    Click();
}

void TSpeedButton::Paint(HDC dc) {
    RECT face{0, 0, width_, height_};
    const bool shownDown = down_ || pressed_;
    if (flat_) {
        FillColour(dc, face, Color());
        if (shownDown) {
            DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT);
        } else if (mouseInControl_ && Enabled()) {
            DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT);
        }
    } else {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (shownDown ? DFCS_PUSHED : 0));
    }
    const TGlyphImage image = !Enabled() ? giDisabled : pressed_ ? giPressed : down_ ? giDown : giUp;
    glyph_.Draw(dc, RECT{0, 0, width_, height_}, image, GetText(), EffectiveFont()->Handle(), Enabled(),
                shownDown ? 1 : 0);
}

} // namespace gui
