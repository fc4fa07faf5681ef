#include "skin/controls/skin_combo.h"

#include "framework/gui/handles.h"
#include "skin/component/skin_data.h"
#include "skin/controls/control_drawing.h"

#include <algorithm>
#include <memory>

namespace skin {
namespace {

bool HasImage(const std::unique_ptr<TDataSkinBorder>& element) {
    return element && !element->Image.empty();
}
bool HasImage(const std::unique_ptr<TDataSkinObject>& element) {
    return element && !element->Image.empty();
}

} // namespace

const rtl::TClassInfo& TSkinComBox::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinComBox", &TSkinControl::StaticClassInfo(), {}};
    return info;
}

void TSkinComBox::AfterMessage(gui::TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        SetState(kPressed, message.Msg != WM_LBUTTONUP);
        return PaintSkin(nullptr);
    case gui::CM_MOUSEENTER:
    case gui::CM_MOUSELEAVE:
        if (!Enabled) return;
        SetState(kMouseOver, message.Msg == gui::CM_MOUSEENTER);
        return PaintSkin(nullptr);
    default:
        return TSkinControl::AfterMessage(message);
    }
}

int TSkinComBox::StateFrame() const {
    if (Pressed()) return kComboPressed;
    if (MouseOver() || Focused) return kComboHot;
    if (!Enabled) return kComboDisabled;
    return kComboNormal;
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!HasImage(SkinData->ComboButton)) return;
    WindowStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
    WindowExStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
    if (!HasImage(SkinData->SunkEdge)) return;
    const RECT r{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    // The edit part of a drop-down combo box has the focus, not the combo box itself.
    const HWND focus = GetFocus();
    Focused = focus && (focus == Handle || IsChild(Handle, focus));
    Enabled = !(WindowStyle & WS_DISABLED);
    const int state = StateFrame();
    const int cx = GetSystemMetrics(SM_CXHSCROLL);
    const TDataSkinBorder& button = *SkinData->ComboButton;
    const gui::SavedDc saved(dc);
    if ((WindowStyle & 3) == CBS_SIMPLE) {
        // Always open: no button to draw, the list shows its own border; the edge goes round the edit part.
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(Handle, &info) || !info.hwndList) return;
        RECT list{};
        GetWindowRect(info.hwndList, &list);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&list), 2);
        const RECT edit{r.left, r.top, r.right, list.top}; // a combo box has no frame of its own

        ExcludeClipRect(dc, edit.left + 2, edit.top + 2, edit.right - 2, edit.bottom - 2);
        IntersectClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
        DrawSkinElement(dc, edit, *SkinData->SunkEdge, state, SkinData->SunkEdge->FrameCount);
        return;
    }
    RECT buttonRect{}, glyphRect{};
    const Bitmap* image = &button.Image;
    if (!(WindowExStyle & WS_EX_LEFTSCROLLBAR)) {
        ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - cx - 4, r.bottom - 2);
        buttonRect = RECT{r.right - cx - 2, r.top, r.right, r.bottom};
        glyphRect = RECT{r.right - cx - 2, r.top, r.right - 2, r.bottom};
    } else {
        ExcludeClipRect(dc, r.left + cx + 4, r.top + 2, r.right - 2, r.bottom - 2);
        buttonRect = RECT{r.left, r.top, r.left + cx + 2, r.bottom};
        glyphRect = RECT{2, r.top, cx + 2, r.bottom};
        if (!button.SecondImage.empty()) image = &button.SecondImage;
    }
    DrawSkinElement(dc, r, *SkinData->SunkEdge, state, SkinData->SunkEdge->FrameCount);
    DrawStripFrame(dc, buttonRect, button.FrameCount, state, *image);
    if (!HasImage(SkinData->ExtraImages)) return;
    const TDataSkinObject& extra = *SkinData->ExtraImages;
    const int w = extra.Image.width() / std::max(extra.FrameCount, 1);
    const int h = extra.Image.height();
    const int left = glyphRect.left + ((glyphRect.right - glyphRect.left) - w) / 2;
    const int top = glyphRect.top + ((glyphRect.bottom - glyphRect.top) - h) / 2;
    skin::DrawStripFrame(dc, RECT{left, top, left + w, top + h}, extra.FrameCount, state, extra.Image);
}

} // namespace skin
