#include "skin/form/system_menu.h"

#include "skin/component/skin_data.h"
#include "skin/form/skin_form.h"

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

} // namespace

TSystemMenu::TSystemMenu(TWinSkinForm& form) : form_(form), DoubleClickTime(GetDoubleClickTime()) {}

void TSystemMenu::ReadWindowMenu() {
    SystemMenu = GetSystemMenu(form_.Handle(), FALSE);
}

void TSystemMenu::Build() {
    const ButtonCaps caps = form_.Caps();
    // Owner-drawn: each item carries its tag as item data and is drawn by the skin (SystemMenuItemLook).
    SysPopupMenu.reset(CreatePopupMenu());
    const auto add = [&](int tag) {
        AppendMenuW(SysPopupMenu.get(), MF_OWNERDRAW, static_cast<UINT_PTR>(tag) + kCommandOfTag,
                    reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kSystemMenuItemData + tag)));
    };
    add(kTagRestore);
    if (caps.Has(ButtonCap::Maximize)) add(kTagMaximize);
    if (caps.Has(ButtonCap::Minimize)) add(kTagMinimize);
    AppendMenuW(SysPopupMenu.get(), MF_OWNERDRAW | MF_SEPARATOR, 0,
                reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kSystemMenuItemData + kTagSeparator)));
    add(kTagClose);
}

bool TSystemMenu::ItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const {
    const TSkinData* SkinData = form_.Skin();
    const bool RightToLeft = form_.ReadsRightToLeft();
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

void TSystemMenu::Show(int x, int y, bool byIconClick) {
    const WindowState state = form_.State();
    const TSkinData* SkinData = form_.Skin();
    HWND Window = form_.Handle();
    if (!SysPopupMenu) return;
    const auto enable = [&](int tag, bool on) {
        EnableMenuItem(SysPopupMenu.get(), static_cast<UINT>(tag) + kCommandOfTag,
                       MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(kTagRestore, state != WindowState::Normal);
    enable(kTagMaximize, state != WindowState::Maximized);
    enable(kTagMinimize, state != WindowState::Minimized);

    // A second click on the icon within the double-click time is a double click on it: it closes the window.
    // An opening from the keyboard, the caption or a menu is no click on the icon, and neither of a pair.
    const DWORD now = GetTickCount();
    if (byIconClick && LastSysMenuTick != 0 && now - LastSysMenuTick <= DoubleClickTime) {
        LastSysMenuTick = 0;
        form_.CloseWindow();
        return;
    }
    LastSysMenuTick = byIconClick ? now : 0;
    if (SkinData->HasSkinControl(xcSystemMenu) && form_.Role() != MdiRole::Child) {
        form_.SetInMenuLoop(true);
        const UINT chosen = static_cast<UINT>(
            TrackPopupMenu(SysPopupMenu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, Window, nullptr));
        form_.SetInMenuLoop(false);
        if (chosen != 0) ItemClick(static_cast<int>(chosen - kCommandOfTag));
        // A menu that took the whole double-click time to use does not count as the first click of one.
        LastSysMenuTick = chosen != 0 ? 0 : LastSysMenuTick;
    } else {
        TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, x, y, 0, Window, nullptr);
    }
}

void TSystemMenu::ShowFromKeyboard() {
    // Under the window icon, where a click on it opens the menu; at the caption's start without one.
    const RECT borders = form_.Borders();
    POINT at{borders.left, borders.top};
    if (const TWinSysButton* button = form_.CaptionButtons().IconButton())
        at = POINT{button->Bounds.left, button->Bounds.bottom};
    RECT window{};
    GetWindowRect(form_.Handle(), &window);
    Show(window.left + at.x, window.top + at.y);
}

void TSystemMenu::ItemClick(int tag) {
    switch (tag) {
    case kTagRestore:
        form_.RestoreWindow();
        break;
    case kTagMaximize:
        form_.ToggleMaximize();
        break;
    case kTagMinimize:
        form_.ToggleMinimize();
        break;
    case kTagClose:
        form_.CloseWindow();
        break;
    default:
        break;
    }
}

void TSystemMenu::Reset() {
    SysPopupMenu.reset();
}

void TSystemMenu::Retire() {
    RetiredSysMenu = std::move(SysPopupMenu);
}

} // namespace skin
