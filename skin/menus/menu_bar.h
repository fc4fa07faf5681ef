// The menu bar of a skinned window: the window's menu is taken off it and the bar is drawn in the skinned
// frame, below the caption. Its items are non-client objects: they light up under the mouse, a click runs
// an item's command or drops its sub-menu down under it, and while a drop-down is open the arrow keys and
// the mouse move between the bar's items. The real menu goes back on the window when the skin is
// switched off.
#pragma once

#include "framework/gui/handles.h"
#include "skin/draw/bitmap.h"
#include "skin/menus/nc_object.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace gui {
class TForm;
}

namespace skin {

class TSkinData;
class TWinSkinMenu;

// The skinned window a menu bar is drawn on, as the bar sees it.
class IMenuBarHost : public INonClientHost {
  public:
    virtual HWND MenuBarWindow() const = 0;
    // The skin the window is drawn with now.
    virtual const TSkinData& MenuBarSkinData() const = 0;
    // The framework form skinned, or null for a plain window.
    virtual gui::TForm* MenuBarForm() const = 0;
    virtual bool MenuBarWindowActive() const = 0;
    // The window's bar now: null, or another bar, once the window was unskinned or its bar rebuilt.
    virtual TWinSkinMenu* CurrentMenuBar() const = 0;
    // A point in screen coordinates in the window's own (left-to-right) coordinates.
    virtual POINT MenuBarScreenToWindow(POINT screen) const = 0;
    // The buttons the window draws on its bar (an MDI frame's child buttons), onto the bar's bitmap,
    // whose top-left is the bar's.
    virtual void PaintMenuBarButtons(Bitmap& bar) = 0;
    // The bar has the mouse or the keyboard: a drop-down is open, or the keyboard lit an item.
    virtual bool MenuBarTracking() const = 0;
    virtual void SetMenuBarTracking(bool tracking) = 0;
    // A drop-down's menu loop is running.
    virtual void SetMenuBarLoop(bool running) = 0;
};

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
  public:
    TMenuBtn(IMenuBarHost& host, int index) : TNCObject(host), BarHost(host), Index(index) {}

    void Paint() override;

    IMenuBarHost& BarHost;
    int Index;
    std::string Caption; // with its "&" accelerator marker
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TWinSkinMenu {
  public:
    // The bar reads its skin through host (MenuBarSkinData), which may change it (another DPI).
    explicit TWinSkinMenu(IMenuBarHost& host);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Reads the items of menu (taken as MenuHandle), then takes the menu off the window. A menu without
    // items stays on the window.
    void ReadMenuFromHandle(HMENU menu);
    HMENU MenuHandle() const { return menu_; }
    // The drop-down open now, null when none is.
    HMENU TrackedPopup() const { return trackedPopup_; }
    // A framework menu may read from right to left: the bar is laid out from its right end and Left and
    // Right swap their meaning, along the bar and inside its drop-downs. A plain window's bar never does.
    bool RightToLeft() const;
    // Paints the bar into rect (window coordinates) of dc, laying the items out.
    void PaintMenuBar(HDC dc, const RECT& rect);
    // The item with a caption at a point in window coordinates, or null.
    TMenuBtn* ItemAt(POINT windowPoint);
    // The first enabled item whose accelerator is c, or null.
    TMenuBtn* FindAccelItem(wchar_t c);
    // Runs the item: its command, and its sub-menu dropped down under it while the bar tracks the keys
    // and the mouse; Left and Right or the pointer on another item close it and open that item's.
    // True when a drop-down was tracked.
    bool OpenMenuBarItem(TMenuBtn& item);
    // Clicks the item as the mouse would (a posted non-client press at its place).
    void ClickMenuBarItem(TMenuBtn& item);

    // Alt alone gives the bar the keyboard, as the system's own bar has it: the first item lights up,
    // Left and Right move, Enter, Down, Up or an item's letter open the item, and Escape, Alt, a click or
    // the window's deactivation give the keyboard back.
    void EnterKeyboardMode(TMenuBtn* lit = nullptr); // lit: the item to light, else the first
    void EndKeyboardMode();
    bool InKeyboardMode() const { return keyboardMode_; }
    // A message taken from the queue while the bar has the keyboard; true: the bar used it up.
    bool KeyboardModeMessage(const MSG& msg);

    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
    const RECT& MenuRect() const { return menuRect_; }
    const Bitmap& BackBitmap() const { return backBitmap_; }

  private:
    // While a drop-down of the bar is open.
    struct DropDownTracking {
        HMENU topMenu = nullptr;  // the open item's drop-down
        bool rightToLeft = false; // the drop-down reads from right to left: Left and Right swap
        int currentIndex = -1;
        int switchTo = -1; // the bar item to open once this drop-down has closed
        bool firstKeyPosted = false;
        POINT lastMousePos{};
    };

    static LRESULT CALLBACK DropDownHookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeysHookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT KeysHookSteps(int code, WPARAM wParam, LPARAM lParam);
    // The drop-down's menu loop saw msg; true: it is used up.
    bool DropDownMessage(MSG& msg);
    // The keys hook has run for a message: it goes once the bar neither has the keyboard nor waits for
    // Alt's release.
    void ReleaseIdleKeysHook();
    void MoveKeyboardItem(int step);
    void PostItemCommand(const TMenuBtn& item);

    IMenuBarHost& host_;
    HMENU menu_ = nullptr;
    HMENU trackedPopup_ = nullptr;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    RECT menuRect_{};
    Bitmap backBitmap_;                // the bar without its texts, to repaint one item
    TMenuBtn* keyboardItem_ = nullptr; // the item lit by the keyboard
    gui::UniqueHook dropDownHook_;     // WH_MSGFILTER, while a drop-down is open
    DropDownTracking tracking_;
    // WH_GETMESSAGE, while the bar has the keyboard and until the message that ended that has gone by:
    // the keys go to the focused control, not to the window, so the bar sees them on the thread's queue.
    gui::UniqueHook keysHook_;
    bool keyboardMode_ = false;
    bool swallowAltUp_ = false; // Alt ended the keyboard mode: its release must not start it again
};

// The form's popup menus drawn by the skin (on: items without a draw event of their own get the skin's) or
// by themselves again (off: the skin's events are taken back; a program's own events are never touched).
void SetPopupMenusOwnerDraw(gui::TForm& form, TSkinData& skinData, bool on);

} // namespace skin
