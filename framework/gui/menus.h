// Menus and menu items: the main menu of a form's menu bar and the items both kinds of menu share.
#pragma once

#include "framework/gui/handles.h"
#include "framework/gui/shortcuts.h"
#include "framework/rtl/component.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

class TCanvas;
class TImageList;
class TMenu;

// The state of an owner-drawn item: the ODS_* bits the system reports with WM_DRAWITEM (ODS_SELECTED,
// ODS_GRAYED, ODS_DISABLED, ODS_CHECKED, ODS_DEFAULT, ODS_NOACCEL, ...).
using TOwnerDrawState = UINT;

using TMenuMeasureItemEvent =
    std::function<void(rtl::TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TMenuDrawItemEvent =
    std::function<void(rtl::TObject* sender, TCanvas& canvas, const RECT& rect, bool selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(rtl::TObject* sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state)>;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TMenuItem : public rtl::TComponent {
  public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;
    void Notification(TComponent* component, rtl::TOperation operation) override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // A caption of exactly "-" is a separator line.
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Checking a radio item unchecks the radio items of the same group among its siblings.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // The item the system shows in bold and runs on a double click of its parent.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    // A checked radio item shows a bullet instead of a check mark.
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex);
    // The image of the menu's image list shown beside the caption; -1: none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // Shown after a tab in the item's text; the key itself is not handled by the menu.
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    int ShortCutValue() const { return shortCut_; }
    void SetShortCutValue(int value) { SetShortCut(static_cast<TShortCut>(value)); }
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // No action classes exist yet: the action is only kept (and forgotten when it is freed).
    rtl::TComponent* Action() const { return action_; }
    void SetAction(rtl::TComponent* action) { action_ = action; }

    // The command identifier WM_COMMAND carries for this item.
    UINT Command() const { return command_; }
    // The item's sub-menu once the menu handle exists (the menu's own handle for its root item); null for
    // an item without sub-items.
    HMENU Handle() const { return handle_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    TMenuItem* FindByCommand(UINT command);
    TMenu* GetParentMenu() const;
    // The parent menu's image list, or null.
    TImageList* GetImageList() const;
    // True when the system leaves drawing this item to the framework (WM_MEASUREITEM / WM_DRAWITEM).
    bool IsOwnerDrawn() const;
    bool IsRightToLeft() const;
    // The item of a live framework menu whose pointer the system gives back as item data; null otherwise.
    static TMenuItem* FromItemData(ULONG_PTR data);

    virtual void Click();
    // The framework's own measuring, then OnMeasureItem.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    // OnAdvancedDrawItem when set, else OnDrawItem, else the framework's own drawing.
    virtual void DrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state);

    rtl::TNotifyEvent OnClick;
    // Setting a measure or draw event makes the item owner-drawn from the next build of the menu's handle:
    // a popup menu's next showing, a main menu's next change.
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  private:
    friend class TMenu;
    void Changed();
    void UncheckRadioSiblings();
    // Appends this item (and its sub-menu) to menu; topLevel: an item of a menu bar.
    void AppendTo(HMENU menu, bool topLevel);
    void ForgetHandles();
    std::wstring MenuText() const;
    void StandardMeasure(TCanvas& canvas, int& width, int& height) const;
    void StandardDraw(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) const;
    bool IsMenuBarItem() const;

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool default_ = false;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    std::string hint_;
    rtl::TComponent* action_ = nullptr;
    UINT command_;
    HMENU handle_ = nullptr; // not owned: destroyed with the menu's handle
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item
};

class TMenu : public rtl::TComponent {
  public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    TMenuItem* Items() { return &items_; }
    HMENU Handle();
    bool HandleAllocated() const { return static_cast<bool>(handle_); }
    // Runs the click of the item with this command; false when no item has it.
    bool DispatchCommand(UINT command);
    // Runs the click of the enabled, visible item whose shortcut this is (sub-menus of hidden or disabled
    // items included no further); false when none has it.
    bool IsShortCut(TShortCut shortCut);
    // An item's look or the list of items changed: the handle is rebuilt.
    virtual void MenuChanged();

    // Every item is owner-drawn (MFT_OWNERDRAW, WM_MEASUREITEM / WM_DRAWITEM through the item's events).
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw);
    // Not owned.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    bool IsRightToLeft() const { return biDiMode_ != bdLeftToRight; }

  protected:
    virtual HMENU CreateMenuHandle() = 0;
    virtual bool IsMenuBar() const { return false; }
    // The handle goes; the items forget their sub-menu handles, which went with it.
    void DestroyMenuHandle();

    UniqueMenu handle_;
    TMenuItem items_{nullptr};
    TMenu* merged_ = nullptr;     // another menu whose items this one shows (an MDI child's)
    TMenu* mergedInto_ = nullptr; // the menu showing this one's items

    // The items at the top of the handle: this menu's, joined by the merged menu's ones (see
    // TMainMenu::Merge).
    std::vector<TMenuItem*> TopItems();
    void SetMerged(TMenu* menu);

  private:
    friend class TMenuItem;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

// The menu shown in a form's menu bar.
//
// When it changes while attached to a window, the window is sent CM_MENUCHANGED before anything is done
// to the menu on it: whoever sits in front of the form's window procedure (the skinning engine, which may
// have taken the menu off the window into a bar of its own) still sees the window as it was. The form's
// own handling of the message (RebuildWindowMenu) then rebuilds the handle and puts it on the window, so
// that once the message has passed GetMenu(window) answers the new menu.
class TMainMenu : public TMenu {
  public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void MenuChanged() override;
    // Takes the old handle off the window if it is still there, rebuilds it and puts it on the window.
    void RebuildWindowMenu();
    // The window whose menu bar shows this menu (set by the form).
    HWND WindowHandle = nullptr;
    // Shows the items of menu (an active MDI child's) in this one: an item of a group index that this menu
    // has replaces this menu's items of that group, the others join in group index order. Null, or Unmerge,
    // shows this menu's own items again.
    void Merge(TMainMenu* menu);
    void Unmerge(TMainMenu* menu);
    TMainMenu* Merged() const { return static_cast<TMainMenu*>(merged_); }

  protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    bool IsMenuBar() const override { return true; }
};

// WM_MEASUREITEM / WM_DRAWITEM of a framework menu item (CtlType ODT_MENU), answered through the item's
// measuring and drawing on a canvas with the menu font. False when the item is not one of ours.
bool MeasureMenuItem(MEASUREITEMSTRUCT& measure);
bool DrawMenuItem(const DRAWITEMSTRUCT& draw);

} // namespace gui
