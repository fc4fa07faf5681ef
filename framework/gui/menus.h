// Main menus and menu items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/gui/handles.h"
#include "framework/rtl/component.h"

namespace gui {

class TMenu;

class TMenuItem : public rtl::TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // The command identifier WM_COMMAND carries for this item.
    UINT Command() const { return command_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    TMenuItem* FindByCommand(UINT command);
    TMenu* GetParentMenu() const;

    virtual void Click();
    rtl::TNotifyEvent OnClick;

private:
    friend class TMenu;
    void Changed();
    // Appends this item (and its sub-menu) to menu.
    void AppendTo(HMENU menu);

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    UINT command_;
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
    // Runs the click of the item with this command; false when no item has it.
    bool DispatchCommand(UINT command);
    // Rebuilds the menu handle after items changed.
    virtual void MenuChanged();

protected:
    virtual HMENU CreateMenuHandle() = 0;
    UniqueMenu handle_;
    TMenuItem items_{nullptr};
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void MenuChanged() override;
    // The window whose menu bar shows this menu (set by the form).
    HWND WindowHandle = nullptr;

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
};

} // namespace gui
