// The menu bar of a skinned window: the window's menu is taken off it and the bar is drawn in the
// skinned frame, below the caption. A click on an item runs its command or drops its sub-menu down under
// it; the real menu goes back on the window when the skin is switched off.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "skin/form/caption_buttons.h"

namespace skin {

class TSkinData;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TWinSkinForm& owner, std::string caption, UINT command, HMENU subMenu)
        : TNCObject(owner), Caption(std::move(caption)), Command(command), SubMenu(subMenu) {}

    std::string Caption;
    UINT Command;
    HMENU SubMenu;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TSkinData& skinData, TWinSkinForm& form);

    // Reads the items of menu; the menu stays owned by whoever made it.
    void ReadMenuFromHandle(HMENU menu);
    HMENU MenuHandle() const { return menu_; }
    // Paints the bar into rect (window coordinates) of dc, laying the items out.
    void PaintMenuBar(HDC dc, const RECT& rect);
    // The item at a point in window coordinates, or null.
    TMenuBtn* ItemAt(POINT windowPoint);
    // Runs the item: its command, or its sub-menu dropped down under it.
    void ClickMenuBarItem(TMenuBtn& item);

private:
    TSkinData& skinData_;
    TWinSkinForm& form_;
    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
};

} // namespace skin
