// The menu bar of a skinned window: the window's menu is taken off it and the bar is drawn in the skinned
// frame, below the caption. Its items are non-client objects: they light up under the mouse, a click runs
// an item's command or drops its sub-menu down under it, and while a drop-down is open the arrow keys and
// the mouse move between the bar's items. The real menu goes back on the window when the skin is
// switched off.
#pragma once

#include "skin/draw/bitmap.h"
#include "skin/form/caption_buttons.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace gui {
class TForm;
}

namespace skin {

class TSkinData;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
  public:
    TMenuBtn(TWinSkinForm& skinForm, int index) : TNCObject(skinForm), Index(index) {}

    void Paint() override;

    int Index;
    std::string Caption; // with its "&" accelerator marker
    bool Enabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TWinSkinMenu {
  public:
    TWinSkinMenu(TSkinData& skinData, TWinSkinForm& form);
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
    bool InKeyboardMode() const;
    // A message taken from the queue while the bar has the keyboard; true: the bar used it up.
    bool KeyboardModeMessage(const MSG& msg);

    const std::vector<std::unique_ptr<TMenuBtn>>& Items() const { return items_; }
    const RECT& MenuRect() const { return menuRect_; }
    const Bitmap& BackBitmap() const { return backBitmap_; }

  private:
    TSkinData& skinData_;
    TWinSkinForm& form_;
    HMENU menu_ = nullptr;
    HMENU trackedPopup_ = nullptr;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    RECT menuRect_{};
    Bitmap backBitmap_;                // the bar without its texts, to repaint one item
    TMenuBtn* keyboardItem_ = nullptr; // the item lit by the keyboard
    void MoveKeyboardItem(int step);
    void PostItemCommand(const TMenuBtn& item);
};

// The form's popup menus drawn by the skin (on: items without a draw event of their own get the skin's) or
// by themselves again (off: the skin's events are taken back; a program's own events are never touched).
void SetPopupMenusOwnerDraw(gui::TForm& form, TSkinData& skinData, bool on);

} // namespace skin
