// TSystemMenu: the skinned system menu of a window. Its items (restore, maximize, minimize, close) are
// owner-drawn with the skin's menu look; it opens under the icon, on the caption or from the keyboard, and
// two openings by the icon within the double-click time are a double click on it, which closes the window.
// A skin without a skinned system menu, and MDI children, get the window's own.
#pragma once

#include "framework/gui/handles.h"
#include "skin/menus/popup_menu.h"

#include <windows.h>

namespace skin {

class TWinSkinForm;

class TSystemMenu {
  public:
    explicit TSystemMenu(TWinSkinForm& form);
    TSystemMenu(const TSystemMenu&) = delete;
    TSystemMenu& operator=(const TSystemMenu&) = delete;

    // The window's own system menu, read once its window is known.
    void ReadWindowMenu();
    HMENU WindowMenu() const { return SystemMenu; }
    // The skinned menu, with the items the window's caption buttons allow.
    void Build();
    HMENU Handle() const { return SysPopupMenu.get(); }
    // The look of an item of the skinned menu (the item data and command it carries), or false.
    bool ItemLook(ULONG_PTR itemData, UINT command, TMenuItemLook& look) const;

    // Opened at screen point x, y. byIconClick: opened by a click on the window icon; two such openings
    // within the double-click time are a double click on the icon, which closes the window. Other openings
    // never count.
    void Show(int x, int y, bool byIconClick = false);
    // Alt+Space: under the window icon, or at the caption's start without one.
    void ShowFromKeyboard();
    void SetDoubleClickTime(UINT milliseconds) { DoubleClickTime = milliseconds; }

    void Reset();
    // The menu a running menu loop still uses outlives a detach until this object is freed.
    void Retire();

  private:
    void ItemClick(int tag);

    TWinSkinForm& form_;
    gui::UniqueMenu SysPopupMenu;
    gui::UniqueMenu RetiredSysMenu;
    HMENU SystemMenu = nullptr; // the window's own
    DWORD LastSysMenuTick = 0;
    UINT DoubleClickTime = 0;
};

} // namespace skin
