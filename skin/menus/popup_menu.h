// Popup menus drawn by the skin. The system shows every drop-down and popup menu in a window of class
// "#32768": TWinSkinPopMenu replaces that window's frame and background with the skin's MenuBackground.
// The items are owner-drawn by the routines below, each over its piece of that background, with the
// skin's MenuItem element, a glyph column, the caption and the shortcut.
#pragma once

#include "framework/gui/subclass.h"
#include "skin/draw/bitmap.h"
#include "skin/menus/menu_fonts.h"

#include <windows.h>

#include <string>

namespace gui {
class TImageList;
class TMenuItem;
} // namespace gui

namespace skin {

class TSkinData;

class TWinSkinPopMenu {
  public:
    TWinSkinPopMenu() = default;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;
    ~TWinSkinPopMenu() { Detach(); }

    void Attach(HWND window, TSkinData& skinData, HMENU menu);
    void Detach();
    void PopupWndProc(gui::TMessage& message);

    gui::TWindowSubclass PrevWndProc;
    HWND Window = nullptr;
    TSkinData* SkinData = nullptr;
    Bitmap Background; // MenuBackground at the window's size, from the last frame paint
    HMENU Menu = nullptr;

  private:
    bool CanPaint() const;
    void RenderBackground(int width, int height);
    bool PaintMenuFrame();
    bool PrintMenu(gui::TMessage& message);
};

// The menu window that painted its background before it knew its menu (the manager keeps it) shows menu:
// the first item drawn tells it.
void AssignPendingPopupMenu(HMENU menu);

// What an item shows, from a framework menu item or from a menu handle.
struct TMenuItemLook {
    std::string Caption;  // "-" for a separator
    std::string ShortCut; // its text, empty for none
    bool Enabled = true;
    bool Checked = false;
    bool Default = false;
    bool RightToLeft = false;
    const gui::TImageList* Images = nullptr;
    int ImageIndex = -1;
};

// The look of a framework item, and of the item at position of a menu that has none.
TMenuItemLook LookOf(const gui::TMenuItem& item);
TMenuItemLook LookOfPosition(HMENU menu, UINT position);

// Where the item that WM_MEASUREITEM or WM_DRAWITEM names by command and item data sits: in menu or in one
// of its sub-menus at any depth. False when it is not there.
struct TMenuItemPlace {
    HMENU Menu = nullptr;
    UINT Position = 0;
};
bool FindMenuItem(HMENU menu, UINT command, ULONG_PTR itemData, TMenuItemPlace& place);

// The size of an item drawn by the skin: its caption and shortcut in the menu font, the skin's margin and
// the glyph column. dc is only measured on. Every routine here takes its fonts from fonts.
void MeasureSkinMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, TMenuFonts& fonts,
                         int& width, int& height);
// An item of a skinned window's main menu: the framework's own size (the item's measure event left out),
// widened by the skin's margin and the glyph column (narrower beside an image list's images).
void MeasureMenuItem(const TSkinData& skin, gui::TMenuItem& item, HDC dc, TMenuFonts& fonts, int& width,
                     int& height);
// An item of a menu without framework items (a plain window's): height comes in as the system's
// suggestion.
void MeasureForeignMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, TMenuFonts& fonts,
                            int& width, int& height);
// The item drawn at rect of dc (menu window client coordinates) over the background of its menu.
void DrawSkinMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, const RECT& rect,
                      bool selected, HMENU menu, TMenuFonts& fonts);
// An item of a menu without framework items, over the background of menu's window; a separator is the
// etched line of its text "-".
void DrawForeignMenuItem(const TSkinData& skin, HMENU menu, const TMenuItemLook& item, bool selected,
                         const RECT& rect, HDC dc, TMenuFonts& fonts);
void DrawPlainMenuItem(const TSkinData& skin, const TMenuItemLook& item, HDC dc, const RECT& rect,
                       bool selected, TMenuFonts& fonts);

} // namespace skin
