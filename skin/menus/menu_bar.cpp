#include "skin/menus/menu_bar.h"

#include "framework/gui/canvas.h"
#include "framework/gui/form.h"
#include "framework/gui/popup_menu.h"
#include "framework/gui/shortcuts.h"
#include "framework/gui/wide.h"
#include "skin/component/skin_data.h"
#include "skin/diagnostics.h"
#include "skin/draw/skin_image.h"
#include "skin/draw/win/bitmap_dc.h"
#include "skin/menus/popup_menu.h"

#include <algorithm>

namespace skin {
namespace {

constexpr int kTextPadding = 10;    // added to a non-empty item's text width
constexpr int kFirstItemGap = 4;    // between the bar's left end and its first item
constexpr int kFirstItemGapRtl = 8; // between the bar's right end and a right-to-left bar's first item
constexpr int kCaptionChars = 80;

gui::UniqueFont MenuFont() {
    LOGFONTW font{};
    if (gui::ReadMenuLogFont(font)) return gui::CreateFontFromLogFont(font);
    return {};
}

HFONT FontOrDefault(const gui::UniqueFont& font) {
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The item's text centred in cell, in the enabled or disabled colour.
void DrawItemText(gui::TCanvas& canvas, const TSkinData& skin, const TMenuBtn& item, RECT cell) {
    canvas.SetTextColor(item.Enabled ? skin.MenuBarTextColour : skin.ButtonShadowColour);
    canvas.DrawText(item.Caption, cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A hook procedure is handed nothing of ours, so each of the bar's two hooks finds its bar here: the bar
// whose drop-down is open, and the bar whose keys hook is installed. Both hooks watch only the thread that
// installed them, and a thread runs one menu loop and gives the keyboard to one bar at a time, so one
// pointer per thread and hook names the bar exactly; being per thread, it never reaches another thread's
// windows.
thread_local TWinSkinMenu* t_trackingBar = nullptr;
thread_local TWinSkinMenu* t_keysBar = nullptr;

int HighlightedItem(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

// Where the keyboard is inside the open drop-down: how deep, and whether its item has a sub-menu.
struct KeyboardPlace {
    int depth = 0;
    bool onSubMenuItem = false;
};
KeyboardPlace KeyboardPlaceIn(HMENU menu) {
    KeyboardPlace place;
    for (int guard = 0; menu && guard < 16; ++guard) {
        const int item = HighlightedItem(menu);
        HMENU sub = item >= 0 ? GetSubMenu(menu, item) : nullptr;
        if (!sub || HighlightedItem(sub) < 0) {
            place.onSubMenuItem = sub != nullptr;
            return place;
        }
        menu = sub; // its sub-menu is open and has the keyboard
        ++place.depth;
    }
    return place;
}

// The items a drop-down's showing made owner-drawn: the menu is the program's, and a plain window's
// procedure cannot draw them once the skin is gone.
struct OwnerDrawnItem {
    HMENU menu;
    UINT position;
};

// Every item of menu, at every depth, drawn by its window's owner while the drop-down is open.
void MakeOwnerDraw(HMENU menu, std::vector<OwnerDrawnItem>& changed) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
                changed.push_back(OwnerDrawnItem{menu, static_cast<UINT>(i)});
            }
        }
        if (info.hSubMenu) MakeOwnerDraw(info.hSubMenu, changed);
    }
}

// The items back as they were; a menu the program changed or destroyed meanwhile is left alone.
void UndoOwnerDraw(const std::vector<OwnerDrawnItem>& changed) {
    for (const OwnerDrawnItem& item : changed) {
        if (!IsMenu(item.menu)) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoW(item.menu, item.position, TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
            continue;
        info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
        SetMenuItemInfoW(item.menu, item.position, TRUE, &info);
    }
}

// The skin's measuring and drawing as a popup menu item's events. Their own types tell them from a
// program's handlers, so switching the skin off takes back only these.
struct SkinMeasuredItem {
    TSkinData* skin;
    void operator()(rtl::TObject* sender, gui::TCanvas& canvas, int& width, int& height) const {
        if (const auto* item = dynamic_cast<const gui::TMenuItem*>(sender)) {
            TMenuFonts fonts;
            MeasureSkinMenuItem(*skin, LookOf(*item), canvas.Handle(), fonts, width, height);
        }
    }
};

struct SkinDrawnItem {
    TSkinData* skin;
    void operator()(rtl::TObject* sender, gui::TCanvas& canvas, const RECT& rect,
                    gui::TOwnerDrawState state) const {
        const auto* item = dynamic_cast<const gui::TMenuItem*>(sender);
        if (!item) return;
        const TMenuItemLook look = LookOf(*item);
        const bool selected = (state & ODS_SELECTED) != 0 && !item->IsLine();
        HMENU menu = item->Parent() ? item->Parent()->Handle() : nullptr;
        TMenuFonts fonts;
        DrawSkinMenuItem(*skin, look, canvas.Handle(), rect, selected, menu, fonts);
    }
};

// True when any item at any depth had the skin's events (before: switching off; after: switching on).
bool SetItemsSkinDrawn(gui::TMenuItem& parent, TSkinData& skinData, bool on) {
    bool any = false;
    for (gui::TMenuItem* item : parent.Items()) {
        const bool ours = item->OnAdvancedDrawItem.target<SkinDrawnItem>() != nullptr;
        if (on && (!item->OnAdvancedDrawItem || ours)) {
            item->OnAdvancedDrawItem = SkinDrawnItem{&skinData};
            item->OnMeasureItem = SkinMeasuredItem{&skinData};
            any = true;
        } else if (!on && ours) {
            item->OnAdvancedDrawItem = nullptr;
            if (item->OnMeasureItem.target<SkinMeasuredItem>()) item->OnMeasureItem = nullptr;
            any = true;
        }
        any = SetItemsSkinDrawn(*item, skinData, on) || any;
    }
    return any;
}

} // namespace

void SetPopupMenusOwnerDraw(gui::TForm& form, TSkinData& skinData, bool on) {
    if (on && !skinData.HasSkinControl(xcPopupMenu)) return;
    for (gui::TPopupMenu* popup : gui::PopupMenusOf(form)) {
        if (on && popup->Tag() % 100 == skinData.DisableTag()) continue;
        // Switching off leaves the owner-draw flag of a menu the skin never drew as the program set it.
        if (SetItemsSkinDrawn(*popup->Items(), skinData, on) || on) popup->SetOwnerDraw(on);
    }
}

void TMenuBtn::Paint() {
    TWinSkinMenu* bar = BarHost.CurrentMenuBar();
    if (!bar || bar->BackBitmap().empty()) return;
    const RECT& menuRect = bar->MenuRect();
    gui::WindowDc dc(BarHost.MenuBarWindow(), gui::WindowDc::WholeWindow);
    if (!dc) return;
    // The bar's background under the item, then the item over it.
    Bitmap cell(Bounds.right - Bounds.left, menuRect.bottom - menuRect.top);
    if (cell.empty()) return;
    const int sourceLeft = Bounds.left - menuRect.left;
    for (int y = 0; y < cell.height() && y < bar->BackBitmap().height(); ++y) {
        for (int x = 0; x < cell.width() && sourceLeft + x < bar->BackBitmap().width(); ++x) {
            if (sourceLeft + x >= 0) cell.set_pixel(x, y, bar->BackBitmap().pixel(sourceLeft + x, y));
        }
    }
    {
        const gui::UniqueFont font = MenuFont(); // outlives the canvas it is selected into
        win::BitmapDc memory(cell);
        gui::TCanvas canvas(memory.get());
        const RECT local{0, 0, cell.width(), Bounds.bottom - Bounds.top};
        if (State == kStatePressedFrame || State == kStateHotFrame) {
            canvas.SetBrushColor(BarHost.MenuBarSkinData().ButtonHilightColour);
            canvas.FrameRect(local);
        }
        canvas.SetFont(FontOrDefault(font));
        canvas.SetBkMode(TRANSPARENT);
        DrawItemText(canvas, BarHost.MenuBarSkinData(), *this, local);
    }
    win::CopyToDc(dc.get(), Bounds.left, menuRect.top, cell, cell.bounds());
}

TWinSkinMenu::TWinSkinMenu(IMenuBarHost& host) : host_(host) {}

TWinSkinMenu::~TWinSkinMenu() {
    EndKeyboardMode();
    if (t_keysBar == this) t_keysBar = nullptr;
    if (t_trackingBar == this) t_trackingBar = nullptr;
}

void TWinSkinMenu::ReadMenuFromHandle(HMENU menu) {
    if (menu) menu_ = menu;
    if (!menu_) return;
    const int count = GetMenuItemCount(menu_);
    if (count <= 0) return; // an empty menu stays on the window
    EndKeyboardMode();
    if (host_.HotNcObject() && dynamic_cast<TMenuBtn*>(host_.HotNcObject())) host_.SetHotNcObject(nullptr);
    items_.clear();
    for (int i = 0; i < count; ++i) {
        wchar_t text[kCaptionChars + 1] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = kCaptionChars;
        if (!GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
        auto item = std::make_unique<TMenuBtn>(host_, i);
        item->SubMenu = info.hSubMenu;
        item->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item->Visible = true;
        item->Command = info.wID;
        item->Caption = gui::Narrow(text);
        items_.push_back(std::move(item));
    }
    if (GetMenu(host_.MenuBarWindow()) == menu_) SetMenu(host_.MenuBarWindow(), nullptr);
}

void TWinSkinMenu::PaintMenuBar(HDC dc, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    Bitmap bar(width, height,
               ColourToPixel(static_cast<Colour>(gui::ColorToRGB(host_.MenuBarSkinData().MenubarColour))));
    int x0 = 6;
    if (const TDataSkinObject* element = host_.MenuBarSkinData().MenuBar.get();
        element && !element->Image.empty()) {
        const Rect margins{element->LeftWidth, 0, element->RightWidth, 0};
        const Rect whole{0, 0, width, height};
        const int frame = host_.MenuBarWindowActive() ? 1 : 2;
        if (element->Tile == 1) {
            DrawSkinImage(bar, whole, element->Image, margins,
                          {.frame = frame, .frameCount = 2, .vertical = true});
        } else {
            DrawSkinBar(bar, whole, element->Image, margins,
                        {.frame = frame, .frameCount = 2, .vertical = true});
        }
        x0 = RightToLeft() ? element->RightWidth + kFirstItemGapRtl : element->LeftWidth + kFirstItemGap;
        if (x0 > width) x0 = 12;
    }
    menuRect_ = rect;
    backBitmap_ = bar;
    {
        const gui::UniqueFont font = MenuFont(); // outlives the canvas it is selected into
        win::BitmapDc memory(bar);
        gui::TCanvas canvas(memory.get());
        canvas.SetFont(FontOrDefault(font));
        canvas.SetBkMode(TRANSPARENT);
        const bool rightToLeft = RightToLeft();
        int x = rightToLeft ? width - x0 : x0;
        for (auto& item : items_) {
            int w = canvas.TextWidth(gui::StripHotkey(item->Caption));
            if (w > 0) w += kTextPadding;
            const int left = rightToLeft ? x - w : x;
            DrawItemText(canvas, host_.MenuBarSkinData(), *item, RECT{left, 0, left + w, height - 1});
            item->Bounds = RECT{rect.left + left, rect.top, rect.left + left + w, rect.bottom - 1};
            x = rightToLeft ? x - w : x + w;
        }
    }
    host_.PaintMenuBarButtons(bar);
    win::CopyToDc(dc, rect.left, rect.top, bar, bar.bounds());
}

bool TWinSkinMenu::RightToLeft() const {
    const gui::TForm* form = host_.MenuBarForm();
    const gui::TMainMenu* menu = form ? form->Menu() : nullptr;
    return menu && menu->IsRightToLeft();
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT windowPoint) {
    for (auto& item : items_) {
        if (!item->Caption.empty() && PtInRect(&item->Bounds, windowPoint)) return item.get();
    }
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccelItem(wchar_t c) {
    for (auto& item : items_) {
        if (item->Enabled && gui::IsAccel(c, item->Caption)) return item.get();
    }
    return nullptr;
}

bool TWinSkinMenu::OpenMenuBarItem(TMenuBtn& first) {
    HWND window = host_.MenuBarWindow();
    PostItemCommand(first);
    if (!first.SubMenu) return false;
    host_.SetMenuBarTracking(true);
    TMenuBtn* item = &first;
    while (item) {
        RECT outer{};
        GetWindowRect(window, &outer);
        tracking_ = DropDownTracking{};
        tracking_.topMenu = item->SubMenu;
        tracking_.rightToLeft = RightToLeft();
        tracking_.currentIndex = item->Index;
        GetCursorPos(&tracking_.lastMousePos);
        t_trackingBar = this;
        dropDownHook_.reset(
            SetWindowsHookExW(WH_MSGFILTER, &DropDownHookProc, nullptr, GetCurrentThreadId()));
        std::vector<OwnerDrawnItem> ownerDrawn;
        MakeOwnerDraw(item->SubMenu, ownerDrawn);
        trackedPopup_ = item->SubMenu;
        if (item->Enabled && item->SubMenu) {
            host_.SetMenuBarLoop(true);
            TrackPopupMenu(item->SubMenu, TPM_NONOTIFY | TPM_RIGHTBUTTON, outer.left + item->Bounds.left,
                           outer.top + item->Bounds.bottom, 0, window, nullptr);
            host_.SetMenuBarLoop(false);
        }
        UndoOwnerDraw(ownerDrawn);
        dropDownHook_.reset();
        t_trackingBar = nullptr;
        const int next = tracking_.switchTo;
        tracking_ = DropDownTracking{};
        if (host_.CurrentMenuBar() != this) return true; // the window was unskinned meanwhile
        trackedPopup_ = nullptr;
        // The bar may have been read again meanwhile (a menu command changed it): look the item up afresh.
        TMenuBtn* following = next >= 0 && next < static_cast<int>(items_.size())
                                  ? items_[static_cast<std::size_t>(next)].get()
                                  : nullptr;
        if (TNCObject* hot = host_.HotNcObject()) hot->MouseLeave();
        if (following && !following->SubMenu) {
            // An item without a drop-down is only lit, as the keyboard left it; Enter runs it.
            host_.SetMenuBarTracking(false);
            EnterKeyboardMode(following);
            return true;
        }
        if (following) {
            following->MouseDown();
            PostItemCommand(*following);
        }
        item = following;
    }
    host_.SetMenuBarTracking(false);
    return true;
}

LRESULT CALLBACK TWinSkinMenu::DropDownHookProc(int code, WPARAM wParam, LPARAM lParam) {
    // The steps fail only after the next hook answered 0: the menu's loop then handles the message itself.
    return ContainExceptions(
        "menu bar drop-down hook",
        [&] {
            TWinSkinMenu* bar = t_trackingBar;
            const LRESULT result =
                CallNextHookEx(bar ? bar->dropDownHook_.get() : nullptr, code, wParam, lParam);
            if (result != 0 || code != MSGF_MENU || !bar) return result;
            return bar->DropDownMessage(*reinterpret_cast<MSG*>(lParam)) ? LRESULT{1} : result;
        },
        LRESULT{0});
}

bool TWinSkinMenu::DropDownMessage(MSG& msg) {
    if (tracking_.rightToLeft && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP)) {
        // The menu's own loop then opens and closes sub-menus with the keys as the reader sees them.
        if (msg.wParam == VK_LEFT) {
            msg.wParam = VK_RIGHT;
        } else if (msg.wParam == VK_RIGHT) {
            msg.wParam = VK_LEFT;
        }
    }
    if (!tracking_.firstKeyPosted) {
        tracking_.firstKeyPosted = true;
        PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0); // the drop-down opens with its first entry selected
    }
    const int count = static_cast<int>(items_.size());
    TMenuBtn* target = nullptr;
    switch (msg.message) {
    case WM_KEYDOWN: {
        if (count == 0 || (msg.wParam != VK_LEFT && msg.wParam != VK_RIGHT)) break;
        const bool forward = msg.wParam == VK_RIGHT; // towards the next item, after the swap above
        const KeyboardPlace place = KeyboardPlaceIn(tracking_.topMenu);
        // Towards a sub-menu the key opens it; back out of an open sub-menu it closes it.
        if (forward && place.onSubMenuItem) break;
        if (!forward && place.depth > 0) break;
        const int step = forward ? 1 : count - 1;
        target = items_[static_cast<std::size_t>((tracking_.currentIndex + step) % count)].get();
        break;
    }
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) host_.SetMenuBarTracking(false);
        return false;
    case WM_MOUSEMOVE: {
        const POINT screen = msg.pt;
        if (screen.x != tracking_.lastMousePos.x || screen.y != tracking_.lastMousePos.y) {
            target = ItemAt(host_.MenuBarScreenToWindow(screen));
            if (target && !target->SubMenu) target = nullptr; // the pointer opens drop-downs, runs nothing
            tracking_.lastMousePos = screen;
        }
        break;
    }
    default:
        break;
    }
    if (target && target->Index != tracking_.currentIndex && tracking_.switchTo < 0) {
        // This drop-down closes and the bar opens the other one once the menu's loop has ended.
        tracking_.switchTo = target->Index;
        EndMenu();
        return true;
    }
    return false;
}

void TWinSkinMenu::PostItemCommand(const TMenuBtn& item) {
    // A framework item runs its click when its drop-down opens. The system gives an item of a plain
    // window's menu that opens a sub-menu the sub-menu's handle as its identifier, which is no command.
    if (!host_.MenuBarForm() && item.SubMenu) return;
    PostMessageW(host_.MenuBarWindow(), WM_COMMAND, MAKEWPARAM(item.Command, 0), 0);
}

void TWinSkinMenu::ClickMenuBarItem(TMenuBtn& item) {
    RECT outer{};
    GetWindowRect(host_.MenuBarWindow(), &outer);
    const int x = item.Bounds.left + outer.left + 1;
    const int y = item.Bounds.top + outer.top + 1;
    PostMessageW(host_.MenuBarWindow(), WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(x, y));
}

// ---- the keyboard ----

LRESULT CALLBACK TWinSkinMenu::KeysHookProc(int code, WPARAM wParam, LPARAM lParam) {
    // The steps fail before the next hook is called: it still sees the message.
    return ContainExceptions(
        "menu bar keyboard hook", [&] { return KeysHookSteps(code, wParam, lParam); },
        [&] {
            TWinSkinMenu* bar = t_keysBar;
            return CallNextHookEx(bar ? bar->keysHook_.get() : nullptr, code, wParam, lParam);
        });
}

LRESULT TWinSkinMenu::KeysHookSteps(int code, WPARAM wParam, LPARAM lParam) {
    if (TWinSkinMenu* bar = t_keysBar; bar && code == HC_ACTION && wParam == PM_REMOVE) {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        if (bar->swallowAltUp_ && (msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP) &&
            msg.wParam == VK_MENU) {
            msg.message = WM_NULL;
            bar->swallowAltUp_ = false;
        } else if (bar->InKeyboardMode() && bar->KeyboardModeMessage(msg)) {
            msg.message = WM_NULL;
        }
    }
    TWinSkinMenu* bar = t_keysBar;
    const LRESULT result = CallNextHookEx(bar ? bar->keysHook_.get() : nullptr, code, wParam, lParam);
    if (TWinSkinMenu* owner = t_keysBar) owner->ReleaseIdleKeysHook();
    return result;
}

void TWinSkinMenu::ReleaseIdleKeysHook() {
    if (keyboardMode_ || swallowAltUp_ || !keysHook_) return;
    keysHook_.reset();
    if (t_keysBar == this) t_keysBar = nullptr;
}

void TWinSkinMenu::EnterKeyboardMode(TMenuBtn* lit) {
    if (InKeyboardMode() || host_.MenuBarTracking()) return;
    const auto first =
        std::find_if(items_.begin(), items_.end(), [](const auto& i) { return !i->Caption.empty(); });
    if (first == items_.end()) return;
    if (!lit) lit = first->get();
    if (TWinSkinMenu* other = t_keysBar; other && other != this) {
        // One bar has the keyboard at a time: the other gives it back, and its hook with it.
        other->EndKeyboardMode();
        other->keysHook_.reset();
        other->swallowAltUp_ = false;
        t_keysBar = nullptr;
    }
    if (!keysHook_) {
        keysHook_.reset(SetWindowsHookExW(WH_GETMESSAGE, &KeysHookProc, nullptr, GetCurrentThreadId()));
        if (!keysHook_) return;
    }
    t_keysBar = this;
    keyboardMode_ = true;
    swallowAltUp_ = false;
    host_.SetMenuBarTracking(true); // the hover check leaves the lit item alone
    keyboardItem_ = lit;
    keyboardItem_->MouseEnter();
}

void TWinSkinMenu::EndKeyboardMode() {
    if (!InKeyboardMode()) return;
    keyboardMode_ = false; // the hook goes once it has run for the message in hand
    host_.SetMenuBarTracking(false);
    if (keyboardItem_ && host_.HotNcObject() == keyboardItem_) keyboardItem_->MouseLeave();
    keyboardItem_ = nullptr;
}

void TWinSkinMenu::MoveKeyboardItem(int step) {
    const int count = static_cast<int>(items_.size());
    if (!keyboardItem_ || count == 0) return;
    int index = keyboardItem_->Index;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        TMenuBtn& candidate = *items_[static_cast<std::size_t>(index)];
        if (candidate.Caption.empty()) continue;
        keyboardItem_ = &candidate;
        candidate.MouseEnter();
        return;
    }
}

bool TWinSkinMenu::KeyboardModeMessage(const MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
    case WM_DEADCHAR:
        return true; // the keys were the bar's
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        EndKeyboardMode();
        return false;
    default:
        return false;
    }
    const bool rightToLeft = RightToLeft();
    TMenuBtn* open = nullptr;
    switch (msg.wParam) {
    case VK_LEFT:
        MoveKeyboardItem(rightToLeft ? 1 : -1);
        return true;
    case VK_RIGHT:
        MoveKeyboardItem(rightToLeft ? -1 : 1);
        return true;
    case VK_RETURN:
    case VK_DOWN:
    case VK_UP:
        open = keyboardItem_;
        break;
    case VK_MENU:
    case VK_F10:
        swallowAltUp_ = msg.wParam == VK_MENU;
        EndKeyboardMode();
        return true;
    case VK_ESCAPE:
        EndKeyboardMode();
        return true;
    default: {
        const auto letter =
            static_cast<wchar_t>(MapVirtualKeyW(static_cast<UINT>(msg.wParam), MAPVK_VK_TO_CHAR));
        if (letter == 0) return true;
        open = FindAccelItem(letter);
        if (!open) return true; // as in the system's menu mode, other keys do nothing
    }
    }
    EndKeyboardMode();
    if (open && open->Enabled) ClickMenuBarItem(*open);
    return true;
}

} // namespace skin
