// Caption buttons of TWinSkinForm: which are visible, where they sit, how they are drawn, what the mouse
// does to them and what they do; the skinned system menu.
#include "skin/form/caption_buttons.h"

#include "framework/gui/wide.h"
#include "skin/data/skin_data.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/draw/win/dc_drawing.h"
#include "skin/draw/win/win_rect.h"
#include "skin/form/skin_form.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace skin {
namespace {

// The system menu's items: the tag is also the glyph's index in the skin's menu glyphs.
constexpr int kTagRestore = 0;
constexpr int kTagMaximize = 1;
constexpr int kTagMinimize = 2;
constexpr int kTagClose = 3;
constexpr int kTagSeparator = 100;
// Item data of the system menu's items: this plus the tag, far from any pointer a framework item carries.
constexpr ULONG_PTR kSystemMenuItemData = 0x5C00;
constexpr UINT kCommandOfTag = 1; // menu command = tag + this (0 means "nothing chosen")

bool Between(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

// ---- non-client objects ----

void TNCObject::MouseDown() {
    if (SkinForm.HotObject && SkinForm.HotObject != this) SkinForm.HotObject->MouseLeave();
    if (!Visible) return;
    SkinForm.HotObject = this;
    State = kStatePressedFrame;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = kStateHotFrame;
    Paint();
}

void TNCObject::MouseEnter() {
    if (SkinForm.HotObject == this) return;
    if (SkinForm.HotObject) SkinForm.HotObject->MouseLeave();
    if (!Visible) return;
    SkinForm.HotObject = this;
    State = kStateHotFrame;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    if (SkinForm.HotObject == this) SkinForm.HotObject = nullptr;
    State = kStateNormalFrame;
    Paint();
}

void TWinSysButton::Paint() {
    const TDataSkinSysButton& element = *Element;
    gui::WindowDc dc(SkinForm.Window, gui::WindowDc::WholeWindow);
    if (!dc) return;
    const UnmirroredDc unmirrored(dc.get());
    const Rect bounds = win::ToRect(Bounds);
    const bool icon = element.Action == kActionSystemMenu || element.Action == kActionIcon;
    const Bitmap& image = icon ? SkinForm.IconBitmap : element.Image;
    const int frames = icon ? 1 : element.FrameCount;
    int frame = icon ? 1 : State;
    if (element.Visibility == kVisibilityOnMenuBar && State == kStateHotFrame) frame = 4;
    frame = std::min(frame, std::max(frames, 1));
    // Where the button is transparent the caption shows, not what the button showed before: the frame is
    // composed over the caption and copied in one go.
    const Bitmap& caption = SkinForm.CaptionBackground;
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

// ---- visibility, layout, painting ----

bool TWinSkinForm::IsCaptionButtonVisible(std::size_t index) {
    TWinSysButton& button = *CaptionButtons[index];
    const TDataSkinSysButton& e = *button.Element;
    const bool maximized = WindowState == kStateMaximized;
    const bool hasMax = ButtonCaps & kCapMaximize, hasMin = ButtonCaps & kCapMinimize;
    const bool hasMenu = ButtonCaps & kCapSystemMenu;
    bool v = false;
    switch (e.Visibility) {
    case 0:
        v = FrameKind != kFrameDefault && (e.Action != kActionClose || hasMenu);
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
        v = IsActiveChildMaximized() && MenuBarHeight > 0;
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

void TWinSkinForm::LayoutCaptionButtons() {
    RightButtonsLeft = 0;
    for (std::size_t i = 0; i < CaptionButtons.size(); ++i) {
        TWinSysButton& button = *CaptionButtons[i];
        const TDataSkinSysButton& e = *button.Element;
        if (!IsCaptionButtonVisible(i) || e.Image.empty()) continue;
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

void TWinSkinForm::PaintCaptionButtons(Bitmap& caption) {
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

TWinSysButton* TWinSkinForm::CaptionButtonAt(POINT windowPoint) {
    for (const auto& button : CaptionButtons) {
        if (button->Visible && button->Element->Action >= 0 && PtInRect(&button->Bounds, windowPoint)) {
            return button.get();
        }
    }
    return nullptr;
}

TNCObject* TWinSkinForm::ObjectAt(POINT windowPoint) {
    if (TWinSysButton* button = CaptionButtonAt(windowPoint)) return button;
    if (MenuBarObject) return MenuBarObject->ItemAt(windowPoint);
    return nullptr;
}

// ---- actions ----

void TWinSkinForm::RunCaptionAction(int x, int y) {
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button) return;
    const int action = button->Element->Action;
    switch (action) {
    case kActionClose:
        CloseWindow();
        break;
    case kActionMaximize:
    case 22:
        ToggleMaximize();
        break;
    case kActionMinimize:
    case 23:
        ToggleMinimize();
        break;
    case kActionSystemMenu:
    case kActionIcon:
        ShowSystemMenu(x + 1, y + 1, /*byIconClick=*/true);
        break;
    case 12:
        ShowSystemMenu(x + 1, y + 1);
        break;
    case 7:
    case 60:
        MdiChildCommand(SC_MINIMIZE);
        break;
    case 8:
    case 61:
        MdiChildCommand(SC_RESTORE);
        break;
    case 9:
    case 62:
        MdiChildCommand(SC_CLOSE);
        break;
    default:
        // An action of the skin's own: the window answers the query itself and the program gets the action.
        PostMessageW(Window, SKM_ISSKINNED, static_cast<WPARAM>(action), 0);
        PostMessageW(Window, SKM_CAPTIONACTION, static_cast<WPARAM>(action), 0);
        break;
    }
}

void TWinSkinForm::CloseWindow() {
    if (HoverTimer) HoverTimer->SetEnabled(false);
    PostMessageW(Window, WM_CLOSE, 0, 0);
}

void TWinSkinForm::ToggleMaximize() {
    if (WindowState == kStateMaximized) return RestoreWindow();
    WindowState = kStateMaximized;
    PostMessageW(Window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize() {
    if (WindowState == kStateMinimized) return RestoreWindow();
    WindowState = kStateMinimized;
    PostMessageW(Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::RestoreWindow() {
    WindowState = kStateNormal;
    PostMessageW(Window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::BuildSystemMenu() {
    // Owner-drawn: each item carries its tag as item data and is drawn by the skin (SystemMenuItemLook).
    SysPopupMenu.reset(CreatePopupMenu());
    const auto add = [&](int tag) {
        AppendMenuW(SysPopupMenu.get(), MF_OWNERDRAW, static_cast<UINT_PTR>(tag) + kCommandOfTag,
                    reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kSystemMenuItemData + tag)));
    };
    add(kTagRestore);
    if (ButtonCaps & kCapMaximize) add(kTagMaximize);
    if (ButtonCaps & kCapMinimize) add(kTagMinimize);
    AppendMenuW(SysPopupMenu.get(), MF_OWNERDRAW | MF_SEPARATOR, 0,
                reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kSystemMenuItemData + kTagSeparator)));
    add(kTagClose);
}

bool TWinSkinForm::SystemMenuItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const {
    if (itemData < kSystemMenuItemData || itemData > kSystemMenuItemData + kTagSeparator) return false;
    const int tag = static_cast<int>(itemData - kSystemMenuItemData);
    static const char* const kCaptions[] = {" Restore ", " Maximize ", " Minimize ", " Close "};
    look = TMenuItemLook{};
    if (tag == kTagSeparator) {
        look.Caption = "-";
        return true;
    }
    look.Caption = kCaptions[tag];
    if (tag == kTagClose) look.ShortCut = "Alt+F4";
    look.Enabled = (GetMenuState(SysPopupMenu.get(), command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    look.Images = &SkinData->MenuGlyphs;
    look.ImageIndex = tag;
    look.RightToLeft = RightToLeft;
    return true;
}

void TWinSkinForm::ShowSystemMenu(int x, int y, bool byIconClick) {
    if (!SysPopupMenu) return;
    const auto enable = [&](int tag, bool on) {
        EnableMenuItem(SysPopupMenu.get(), static_cast<UINT>(tag) + kCommandOfTag,
                       MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(kTagRestore, WindowState != kStateNormal);
    enable(kTagMaximize, WindowState != kStateMaximized);
    enable(kTagMinimize, WindowState != kStateMinimized);

    // A second click on the icon within the double-click time is a double click on it: it closes the window.
    // An opening from the keyboard, the caption or a menu is no click on the icon, and neither of a pair.
    const DWORD now = GetTickCount();
    if (byIconClick && LastSysMenuTick != 0 && now - LastSysMenuTick <= DoubleClickTime) {
        LastSysMenuTick = 0;
        CloseWindow();
        return;
    }
    LastSysMenuTick = byIconClick ? now : 0;
    if (SkinData->HasSkinControl(xcSystemMenu) && MdiRole != kMdiChild) {
        InMenuLoop = true;
        const UINT chosen = static_cast<UINT>(
            TrackPopupMenu(SysPopupMenu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, Window, nullptr));
        InMenuLoop = false;
        if (chosen != 0) SystemMenuItemClick(static_cast<int>(chosen - kCommandOfTag));
        // A menu that took the whole double-click time to use does not count as the first click of one.
        LastSysMenuTick = chosen != 0 ? 0 : LastSysMenuTick;
    } else {
        TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, x, y, 0, Window, nullptr);
    }
}

void TWinSkinForm::ShowSystemMenuFromKeyboard() {
    // Under the window icon, where a click on it opens the menu; at the caption's start without one.
    POINT at{FrameLeft, FrameTop};
    for (const auto& button : CaptionButtons) {
        const int action = button->Element->Action;
        if (button->Visible && (action == kActionSystemMenu || action == kActionIcon)) {
            at = POINT{button->Bounds.left, button->Bounds.bottom};
            break;
        }
    }
    RECT window{};
    GetWindowRect(Window, &window);
    ShowSystemMenu(window.left + at.x, window.top + at.y);
}

void TWinSkinForm::SystemMenuItemClick(int tag) {
    switch (tag) {
    case kTagRestore:
        RestoreWindow();
        break;
    case kTagMaximize:
        ToggleMaximize();
        break;
    case kTagMinimize:
        ToggleMinimize();
        break;
    case kTagClose:
        CloseWindow();
        break;
    default:
        break;
    }
}

// ---- non-client mouse and system commands ----

void TWinSkinForm::OnNcMouseMove(gui::TMessage& message) {
    if (!Active) return;
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TNCObject* object = ObjectAt(at)) {
        object->MouseEnter();
        message.Result = 0;
        return;
    }
    if (HotObject) HotObject->MouseLeave();
    CallPrevProc(message);
}

void TWinSkinForm::OnNcLButtonDown(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TNCObject* object = ObjectAt(at)) {
        if (!Active) SetForegroundWindow(Window);
        object->MouseDown();
        if (dynamic_cast<TWinSysButton*>(object)) PressedObject = object;
        if (auto* item = dynamic_cast<TMenuBtn*>(object)) {
            MenuBarObject->OpenMenuBarItem(*item);
            // The item last opened goes out, unless the keyboard was left on an item of the bar (or the
            // window was unskinned while the drop-down was open).
            if (HotObject && MenuBarObject && !MenuBarObject->InKeyboardMode()) HotObject->MouseLeave();
        }
        message.Result = 0;
        return;
    }
    // A maximized window cannot be dragged by its caption.
    if (WindowState == kStateMaximized && message.WParam == HTCAPTION && Active) message.WParam = HTMENU;
    CallPrevProc(message);
}

void TWinSkinForm::OnNcLButtonUp(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    TNCObject* object = ObjectAt(at);
    // A button acts only when the mouse is released over the one it was pressed on.
    TNCObject* pressed = std::exchange(PressedObject, nullptr);
    if (!object) return CallPrevProc(message);
    if (dynamic_cast<TWinSysButton*>(object) && object == HotObject && object == pressed) {
        object->MouseUp();
        RunCaptionAction(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    }
    message.Result = 0;
}

void TWinSkinForm::OnNcLButtonDblClk(gui::TMessage& message) {
    const POINT at = ScreenToWindow(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
    if (TWinSysButton* button = CaptionButtonAt(at)) {
        // Both clicks reach the button; the second one is a press like the first.
        const int action = button->Element->Action;
        if (action == kActionSystemMenu || action == kActionIcon) {
            CloseWindow();
            message.Result = 0;
            return;
        }
        button->MouseDown();
        PressedObject = button;
        message.Result = 0;
        return;
    }
    if (WindowState != kStateNormal) {
        RestoreWindow();
    } else if (ButtonCaps & kCapMaximize) {
        ToggleMaximize();
    }
    message.Result = 0;
}

void TWinSkinForm::OnNcRButtonDown(gui::TMessage& message) {
    if (message.WParam == HTCAPTION && MdiRole != kMdiChild) {
        ShowSystemMenu(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        message.Result = 0;
        return;
    }
    CallPrevProc(message);
}

void TWinSkinForm::OnCommand(gui::TMessage& message) {
    switch (LOWORD(message.WParam)) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        PostMessageW(Window, WM_SYSCOMMAND, LOWORD(message.WParam), 0);
        return;
    default:
        return CallPrevProc(message);
    }
}

void TWinSkinForm::OnSysCommand(gui::TMessage& message) {
    const UINT command = static_cast<UINT>(message.WParam & 0xFFF0);
    if (!MenuTracking && command == SC_KEYMENU && message.LParam != ' ' && message.LParam != '-' &&
        !GetCapture()) {
        // Alt alone, or Alt and a menu bar item's letter, belong to the skinned menu bar.
        const auto letter = static_cast<wchar_t>(message.LParam);
        if (MenuBarObject && letter == 0) {
            MenuBarObject->EnterKeyboardMode();
            message.Result = 0;
            return;
        }
        if (MenuBarObject) {
            if (TMenuBtn* item = MenuBarObject->FindAccelItem(letter)) {
                MenuBarObject->ClickMenuBarItem(*item); // a window whose letters no form handled first
                message.Result = 0;
                return;
            }
        }
    }
    if (command == SC_KEYMENU && message.LParam == ' ' && MdiRole != kMdiChild && SysPopupMenu) {
        // Alt+Space: the window has no system menu style while skinned, so the system would show nothing.
        ShowSystemMenuFromKeyboard();
        message.Result = 0;
        return;
    }
    switch (command) {
    case SC_MINIMIZE:
        WindowState = kStateMinimized;
        if (MdiRole == kMdiChild) SetSystemButtonStyles(true);
        break;
    case SC_MAXIMIZE:
        WindowState = kStateMaximized;
        break;
    case SC_RESTORE:
        WindowState = kStateNormal;
        if (MdiRole == kMdiChild) SetSystemButtonStyles(false);
        break;
    default:
        break;
    }
    CallPrevProc(message);
}

} // namespace skin
