#include "skin/form/caption_buttons.h"

#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/dc_drawing.h"
#include "skin/draw/win/win_rect.h"
#include "skin/form/skin_form.h"

#include <algorithm>
#include <memory>

namespace skin {
namespace {

bool Between(int value, int low, int high) {
    return value >= low && value <= high;
}

// What a button's action code in the skin asks of the window.
CaptionAction ActionOfCode(int code) {
    switch (code) {
    case kActionClose:
        return CaptionAction::Close;
    case kActionMaximize:
    case 22:
        return CaptionAction::Maximize;
    case kActionMinimize:
    case 23:
        return CaptionAction::Minimize;
    case kActionSystemMenu:
    case kActionIcon:
        return CaptionAction::IconMenu;
    case 12:
        return CaptionAction::SystemMenu;
    case 7:
    case 60:
        return CaptionAction::ChildMinimize;
    case 8:
    case 61:
        return CaptionAction::ChildRestore;
    case 9:
    case 62:
        return CaptionAction::ChildClose;
    default:
        return CaptionAction::SkinOwn;
    }
}

} // namespace

// ---- caption buttons ----

TWinSysButton::TWinSysButton(TWinSkinForm& skinForm, const TDataSkinSysButton& element)
    : TNCObject(skinForm), SkinForm(skinForm), Element(&element) {}

void TWinSysButton::Paint() {
    const TDataSkinSysButton& element = *Element;
    gui::WindowDc dc(SkinForm.Handle(), gui::WindowDc::WholeWindow);
    if (!dc) return;
    const UnmirroredDc unmirrored(dc.get());
    const Rect bounds = win::ToRect(Bounds);
    const bool icon = element.Action == kActionSystemMenu || element.Action == kActionIcon;
    const Bitmap& image = icon ? SkinForm.Icon() : element.Image;
    const int frames = icon ? 1 : element.FrameCount;
    int frame = icon ? 1 : State;
    if (element.Visibility == kVisibilityOnMenuBar && State == kStateHotFrame) frame = 4;
    frame = std::min(frame, std::max(frames, 1));
    // Where the button is transparent the caption shows, not what the button showed before: the frame is
    // composed over the caption and copied in one go.
    const Bitmap& caption = SkinForm.CaptionUnderButtons();
    if (element.Visibility != kVisibilityOnMenuBar && !bounds.IsEmpty() && bounds.Left >= 0 &&
        bounds.Top >= 0 && bounds.Right <= caption.width() && bounds.Bottom <= caption.height()) {
        Bitmap piece(bounds.Width(), bounds.Height());
        skin::CopyRect(piece, Point{0, 0}, caption, bounds);
        DrawSkinFrame(piece, piece.bounds(), image,
                      {.frame = frame, .frameCount = frames, .transparent = true});
        win::CopyToDc(dc.get(), bounds.Left, bounds.Top, piece, piece.bounds());
        return;
    }
    win::DrawSkinFrame(dc.get(), bounds, image, {.frame = frame, .frameCount = frames, .transparent = true});
}

// ---- the row of caption buttons ----

TCaptionButtons::TCaptionButtons(TWinSkinForm& form, ICaptionButtonHost& host) : form_(form), host_(host) {}

TCaptionButtons::~TCaptionButtons() = default;

void TCaptionButtons::Add(const TDataSkinSysButton& element) {
    CaptionButtons.push_back(std::make_unique<TWinSysButton>(form_, element));
}

void TCaptionButtons::Clear() {
    CaptionButtons.clear();
}

bool TCaptionButtons::IsVisible(std::size_t index) {
    const WindowState state = form_.State();
    const ButtonCaps caps = form_.Caps();
    const FrameKind kind = form_.Kind();
    const bool Active = form_.IsActive();
    const int MenuBarHeight = form_.MenuRowHeight();
    TWinSysButton& button = *CaptionButtons[index];
    const TDataSkinSysButton& e = *button.Element;
    const bool maximized = state == WindowState::Maximized;
    const bool hasMax = caps.Has(ButtonCap::Maximize), hasMin = caps.Has(ButtonCap::Minimize);
    const bool hasMenu = caps.Has(ButtonCap::SystemMenu);
    bool v = false;
    switch (e.Visibility) {
    case 0:
        v = kind != FrameKind::Default && (e.Action != kActionClose || hasMenu);
        break;
    case 1:
        v = maximized;
        break;
    case 2:
        v = !maximized;
        break;
    case 3:
        v = Active != 0;
        break;
    case 4:
        v = Active == 0;
        break;
    case 6:
        v = hasMax && hasMenu;
        break;
    case 7:
        v = !hasMax;
        break;
    case 8:
        v = hasMin && hasMenu;
        break;
    case 9:
        v = !hasMin;
        break;
    case kVisibilityOnMenuBar:
        v = form_.IsActiveChildMaximized() && MenuBarHeight > 0;
        break;
    default:
        v = Between(e.Visibility, 200, 2000);
        break;
    }
    bool w = false;
    switch (e.Visibility1) {
    case 0:
        w = true;
        break;
    case 1:
        w = maximized;
        break;
    case 2:
        w = !maximized;
        break;
    case 3:
        w = Active != 0;
        break;
    case 4:
        w = Active == 0;
        break;
    case 6:
        w = hasMax;
        break;
    case 7:
        w = !hasMax;
        break;
    case 8:
        w = hasMin;
        break;
    case 9:
        w = !hasMin;
        break;
    case kVisibilityOnMenuBar:
        w = v;
        break;
    default:
        w = Between(e.Visibility1, 200, 2000);
        break;
    }
    bool visible = v && w;
    if ((e.Action == kActionMaximize && !hasMax) || (e.Action == kActionMinimize && !hasMin)) visible = false;
    button.Visible = visible;
    return visible;
}

void TCaptionButtons::Layout() {
    const int WindowWidth = form_.Painter().PaintedWidth();
    const RECT& CaptionTextRect = form_.Painter().CaptionTextRect();
    const TSkinData* SkinData = form_.Skin();
    const bool RightToLeft = form_.ReadsRightToLeft();
    const RECT borders = form_.Borders();
    const int FrameLeft = borders.left, FrameTop = borders.top, FrameRight = borders.right;
    const int MenuBarHeight = form_.MenuRowHeight();
    RightButtonsLeft = 0;
    for (std::size_t i = 0; i < CaptionButtons.size(); ++i) {
        TWinSysButton& button = *CaptionButtons[i];
        const TDataSkinSysButton& e = *button.Element;
        if (!IsVisible(i) || e.Image.empty()) continue;
        const int w = e.Image.width() / std::max(e.FrameCount, 1);
        const int h = e.Image.height();
        int left = 0, top = 0;
        switch (e.Align) {
        case 0:
            left = e.XCoord;
            top = e.YCoord;
            break;
        case 1:
            left = WindowWidth - e.XCoord;
            top = e.YCoord;
            RightButtonsLeft = std::max(RightButtonsLeft, left);
            break;
        case 2:
        case 8:
            left = CaptionTextRect.left - w - e.XCoord;
            top = e.YCoord;
            break;
        case 3:
        case 9:
            left = e.XCoord + CaptionTextRect.right;
            top = e.YCoord;
            break;
        case kVisibilityOnMenuBar: {
            const int margin = SkinData->MenuBar ? SkinData->MenuBar->LeftWidth : 0;
            left = RightToLeft ? e.XCoord + FrameLeft + margin : WindowWidth - e.XCoord - FrameRight - margin;
            top = (MenuBarHeight - h) / 2 + FrameTop;
            break;
        }
        default:
            break;
        }
        button.Bounds = RECT{left, top, left + w, top + h};
    }
}

void TCaptionButtons::Paint(Bitmap& caption) const {
    const Bitmap& IconBitmap = form_.Icon();
    const bool Active = form_.IsActive();
    for (const auto& button : CaptionButtons) {
        const TDataSkinSysButton& e = *button->Element;
        if (!button->Visible || e.Image.empty() || e.Visibility == kVisibilityOnMenuBar) continue;
        const Rect bounds = win::ToRect(button->Bounds);
        if (e.Action == kActionSystemMenu || e.Action == kActionIcon) {
            DrawSkinFrame(caption, bounds, IconBitmap, {.transparent = true});
            continue;
        }
        const int frame = (Active || e.FrameCount < 4) ? 1 : 4;
        DrawSkinFrame(caption, bounds, e.Image,
                      {.frame = frame, .frameCount = e.FrameCount, .transparent = true});
    }
}

void TCaptionButtons::PaintOnMenuBar(Bitmap& bar) const {
    const RECT borders = form_.Borders();
    const int FrameLeft = borders.left, FrameTop = borders.top;
    for (const auto& button : CaptionButtons) {
        const TDataSkinSysButton& e = *button->Element;
        if (!button->Visible || e.Visibility != kVisibilityOnMenuBar || e.Image.empty()) continue;
        const RECT& b = button->Bounds;
        const Rect bounds{b.left - FrameLeft, b.top - FrameTop, b.right - FrameLeft, b.bottom - FrameTop};
        DrawSkinFrame(bar, bounds, e.Image, {.frameCount = e.FrameCount, .transparent = true});
    }
}

TWinSysButton* TCaptionButtons::ButtonAt(POINT windowPoint) const {
    for (const auto& button : CaptionButtons) {
        if (button->Visible && button->Element->Action >= 0 && PtInRect(&button->Bounds, windowPoint)) {
            return button.get();
        }
    }
    return nullptr;
}

const TWinSysButton* TCaptionButtons::IconButton() const {
    for (const auto& button : CaptionButtons) {
        const int action = button->Element->Action;
        if (button->Visible && (action == kActionSystemMenu || action == kActionIcon)) return button.get();
    }
    return nullptr;
}

void TCaptionButtons::Click(const TWinSysButton& button, POINT at) {
    const int code = button.Element->Action;
    host_.OnCaptionAction(ActionOfCode(code), code, at);
}

} // namespace skin
