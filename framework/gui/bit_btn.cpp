#include "framework/gui/bit_btn.h"

namespace gui {

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    glyph_.OnChange = [this] { Invalidate(); };
}

const rtl::TClassInfo& TBitBtn::StaticClassInfo() {
    static const rtl::TClassInfo info{"TBitBtn", &TButton::StaticClassInfo(),
                                      TButtonGlyph::PublishedBy(&TBitBtn::ButtonGlyph)};
    return info;
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& message) {
    if (message.Msg == CN_DRAWITEM) return CnDrawItem(message);
    TButton::WndProc(message);
}

void TBitBtn::CnDrawItem(TMessage& message) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    RECT face = item.rcItem;
    DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const TGlyphImage image = !enabled ? giDisabled : pressed ? giPressed : giUp;
    glyph_.Draw(item.hDC, item.rcItem, image, GetText(), EffectiveFont()->Handle(), enabled, pressed ? 1 : 0);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(item.hDC, &focus);
    }
    message.Result = TRUE;
}

} // namespace gui
