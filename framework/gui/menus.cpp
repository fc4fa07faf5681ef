#include "framework/gui/menus.h"

#include "framework/gui/messages.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>
#include <set>
#include <unordered_set>

namespace gui {
namespace {

// Command identifiers start above the dialog identifiers (IDOK, IDCANCEL...) that keyboard navigation sends.
constexpr UINT kFirstCommand = 0x100;
UINT g_nextCommand = kFirstCommand;

UINT NextCommand() {
    if (g_nextCommand > 0xFFFF) g_nextCommand = kFirstCommand;
    return g_nextCommand++;
}

// Item data comes back from the system as a number; only pointers of items still alive are trusted.
std::unordered_set<const TMenuItem*>& LiveItems() {
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

} // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    while (!items_.empty())
        Remove(items_.back());
    if (parent_) parent_->Remove(this);
}

const rtl::TClassInfo& TMenuItem::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TMenuItem",
        &TComponent::StaticClassInfo(),
        {
            IntegerProperty("Tag", &TComponent::SetTag, &TComponent::Tag),
            StringProperty("Caption", &TMenuItem::SetCaption, &TMenuItem::Caption),
            BooleanProperty("Enabled", &TMenuItem::SetEnabled, &TMenuItem::Enabled),
            BooleanProperty("Checked", &TMenuItem::SetChecked, &TMenuItem::Checked),
            BooleanProperty("Visible", &TMenuItem::SetVisible, &TMenuItem::Visible),
            BooleanProperty("Default", &TMenuItem::SetDefault, &TMenuItem::Default),
            BooleanProperty("RadioItem", &TMenuItem::SetRadioItem, &TMenuItem::RadioItem),
            IntegerProperty("GroupIndex", &TMenuItem::SetGroupIndex, &TMenuItem::GroupIndex),
            IntegerProperty("ImageIndex", &TMenuItem::SetImageIndex, &TMenuItem::ImageIndex),
            IntegerProperty("ShortCut", &TMenuItem::SetShortCutValue, &TMenuItem::ShortCutValue),
            StringProperty("Hint", &TMenuItem::SetHint, &TMenuItem::Hint),
            ComponentProperty("Action", &TMenuItem::SetAction),
            EventProperty("OnClick", &TMenuItem::OnClick),
        }};
    return info;
}

void TMenuItem::AddStoredChild(TComponent* child) {
    auto* item = dynamic_cast<TMenuItem*>(child);
    if (!item) throw rtl::Exception("only menu items can be placed inside menu item '" + Name() + "'");
    Add(item);
}

void TMenuItem::Notification(TComponent* component, rtl::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove && component == action_) action_ = nullptr;
}

void TMenuItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}
void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Changed();
}
void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    if (checked && radioItem_) UncheckRadioSiblings();
    Changed();
}
void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}
void TMenuItem::SetDefault(bool isDefault) {
    default_ = isDefault;
    Changed();
}
void TMenuItem::SetRadioItem(bool radioItem) {
    radioItem_ = radioItem;
    if (checked_ && radioItem_) UncheckRadioSiblings();
    Changed();
}
void TMenuItem::SetGroupIndex(int groupIndex) {
    groupIndex_ = groupIndex;
    if (checked_ && radioItem_) UncheckRadioSiblings();
    Changed();
}
void TMenuItem::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}
void TMenuItem::SetShortCut(TShortCut shortCut) {
    shortCut_ = shortCut;
    Changed();
}

void TMenuItem::UncheckRadioSiblings() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_) {
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->checked_ = false;
    }
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    if (item->checked_ && item->radioItem_) item->UncheckRadioSiblings();
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
    Changed();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    const auto& siblings = parent_->items_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    if (command_ == command && parent_) return this;
    for (TMenuItem* item : items_) {
        if (TMenuItem* found = item->FindByCommand(command)) return found;
    }
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

TImageList* TMenuItem::GetImageList() const {
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool TMenuItem::IsOwnerDrawn() const {
    const TMenu* menu = GetParentMenu();
    return (menu && menu->OwnerDraw()) || OnMeasureItem || OnDrawItem || OnAdvancedDrawItem;
}

bool TMenuItem::IsRightToLeft() const {
    const TMenu* menu = GetParentMenu();
    return menu && menu->IsRightToLeft();
}

bool TMenuItem::IsMenuBarItem() const {
    const TMenu* menu = GetParentMenu();
    return menu && menu->IsMenuBar() && parent_ && !parent_->parent_;
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return item && LiveItems().count(item) ? item : nullptr;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
    if (HasState(rtl::csLoading)) return;
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

std::wstring TMenuItem::MenuText() const {
    std::wstring text = Wide(caption_);
    // Menu bar items have no room for a shortcut column.
    if (shortCut_ != scNone && !IsMenuBarItem()) {
        const std::string shortCutText = ShortCutToText(shortCut_);
        if (!shortCutText.empty()) text += L"\t" + Wide(shortCutText);
    }
    return text;
}

void TMenuItem::AppendTo(HMENU menu, bool topLevel) {
    if (!visible_) return;
    const std::wstring text = MenuText();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    info.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (IsOwnerDrawn()) info.fType |= MFT_OWNERDRAW; // the text stays for GetMenuString and mnemonics
    if (radioItem_) info.fType |= MFT_RADIOCHECK;
    if (const TMenu* owner = GetParentMenu(); owner && owner->IsRightToLeft()) {
        info.fType |= MFT_RIGHTORDER;
        if (owner->BiDiMode() == bdRightToLeft && topLevel) info.fType |= MFT_RIGHTJUSTIFY;
    }
    if (!enabled_) info.fState |= MFS_GRAYED;
    if (checked_) info.fState |= MFS_CHECKED;
    if (default_) info.fState |= MFS_DEFAULT;
    info.wID = command_;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    info.cch = static_cast<UINT>(text.size());
    handle_ = nullptr;
    if (!items_.empty() && !IsLine()) {
        handle_ = CreatePopupMenu();
        for (TMenuItem* item : items_)
            item->AppendTo(handle_, false);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = handle_;
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

void TMenuItem::ForgetHandles() {
    handle_ = nullptr;
    for (TMenuItem* item : items_)
        item->ForgetHandles();
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner) {
    items_.menu_ = this;
}

TMenu::~TMenu() {
    if (mergedInto_) {
        TMenu* into = mergedInto_;
        into->SetMerged(nullptr);
        into->MenuChanged();
    }
    SetMerged(nullptr);
    // Items are owned by the form; they only leave this menu.
    while (!items_.items_.empty())
        items_.Remove(items_.items_.back());
    DestroyMenuHandle();
}

const rtl::TClassInfo& TMenu::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TMenu",
                                 &TComponent::StaticClassInfo(),
                                 {
                                     IntegerProperty("Tag", &TComponent::SetTag, &TComponent::Tag),
                                     BooleanProperty("OwnerDraw", &TMenu::SetOwnerDraw, &TMenu::OwnerDraw),
                                     EnumProperty("BiDiMode",
                                                  {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                                                   "bdRightToLeftReadingOnly"},
                                                  &TMenu::SetBiDiMode, &TMenu::BiDiMode),
                                 }};
    return info;
}

void TMenu::AddStoredChild(TComponent* child) {
    items_.AddStoredChild(child);
}

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_.reset(CreateMenuHandle());
        items_.handle_ = handle_.get();
        for (TMenuItem* item : TopItems())
            item->AppendTo(handle_.get(), IsMenuBar());
    }
    return handle_.get();
}

std::vector<TMenuItem*> TMenu::TopItems() {
    if (!merged_) return items_.Items();
    std::set<int> replaced;
    for (const TMenuItem* item : merged_->items_.Items())
        replaced.insert(item->GroupIndex());
    std::vector<TMenuItem*> top;
    for (TMenuItem* item : items_.Items()) {
        if (!replaced.contains(item->GroupIndex())) top.push_back(item);
    }
    top.insert(top.end(), merged_->items_.Items().begin(), merged_->items_.Items().end());
    std::stable_sort(top.begin(), top.end(), [](const TMenuItem* a, const TMenuItem* b) {
        return a->GroupIndex() < b->GroupIndex();
    });
    return top;
}

void TMenu::DestroyMenuHandle() {
    items_.ForgetHandles();
    if (merged_) merged_->items_.ForgetHandles();
    handle_.reset();
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = items_.FindByCommand(command);
    if (!item && merged_) item = merged_->items_.FindByCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

namespace {

TMenuItem* FindShortCut(TMenuItem& parent, TShortCut shortCut) {
    for (TMenuItem* item : parent.Items()) {
        if (!item->Enabled() || !item->Visible()) continue;
        if (item->Count() > 0) {
            if (TMenuItem* found = FindShortCut(*item, shortCut)) return found;
        } else if (item->ShortCut() == shortCut) {
            return item;
        }
    }
    return nullptr;
}

} // namespace

bool TMenu::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    TMenuItem* item = FindShortCut(items_, shortCut);
    if (!item && merged_) item = FindShortCut(merged_->items_, shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged() {
    DestroyMenuHandle();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    ownerDraw_ = ownerDraw;
    if (!HasState(rtl::csLoading)) MenuChanged();
}

void TMenu::SetImages(TImageList* images) {
    images_ = images;
    if (!HasState(rtl::csLoading)) MenuChanged();
}

void TMenu::SetBiDiMode(TBiDiMode mode) {
    biDiMode_ = mode;
    if (!HasState(rtl::csLoading)) MenuChanged();
}

// ---- TMainMenu ----

const rtl::TClassInfo& TMainMenu::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMainMenu", &TMenu::StaticClassInfo(), {}};
    return info;
}

void TMainMenu::MenuChanged() {
    if (!WindowHandle || !IsWindow(WindowHandle)) {
        TMenu::MenuChanged();
        return;
    }
    // Announce first; the form's handling of the message calls RebuildWindowMenu.
    SendMessageW(WindowHandle, CM_MENUCHANGED, 0, 0);
}

void TMenu::SetMerged(TMenu* menu) {
    if (merged_) {
        merged_->items_.ForgetHandles(); // their sub-menus go with this menu's handle
        merged_->mergedInto_ = nullptr;
    }
    if (menu && menu->mergedInto_) menu->mergedInto_->SetMerged(nullptr);
    merged_ = menu;
    if (menu) menu->mergedInto_ = this;
}

void TMainMenu::Merge(TMainMenu* menu) {
    if (menu == merged_ || menu == this) return;
    SetMerged(menu);
    MenuChanged();
}

void TMainMenu::Unmerge(TMainMenu* menu) {
    if (menu && menu == merged_) Merge(nullptr);
}

void TMainMenu::RebuildWindowMenu() {
    if (!WindowHandle) return;
    // A window must never keep a destroyed menu: take the old one off if it is still there.
    if (handle_ && GetMenu(WindowHandle) == handle_.get()) ::SetMenu(WindowHandle, nullptr);
    DestroyMenuHandle();
    ::SetMenu(WindowHandle, Handle());
    DrawMenuBar(WindowHandle);
}

} // namespace gui
