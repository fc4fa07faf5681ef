#include "framework/gui/menus.h"

#include <algorithm>

#include "framework/gui/messages.h"
#include "framework/gui/wide.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

namespace gui {
namespace {

// Command identifiers start above the dialog identifiers (IDOK, IDCANCEL...) that keyboard navigation sends.
constexpr UINT kFirstCommand = 0x100;
UINT g_nextCommand = kFirstCommand;

UINT NextCommand() {
    if (g_nextCommand > 0xFFFF) g_nextCommand = kFirstCommand;
    return g_nextCommand++;
}

} // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {}

TMenuItem::~TMenuItem() {
    while (!items_.empty()) Remove(items_.back());
    if (parent_) parent_->Remove(this);
}

const rtl::TClassInfo& TMenuItem::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TMenuItem", &TComponent::StaticClassInfo(), {
        StringProperty("Caption", &TMenuItem::SetCaption, &TMenuItem::Caption),
        BooleanProperty("Enabled", &TMenuItem::SetEnabled, &TMenuItem::Enabled),
        BooleanProperty("Checked", &TMenuItem::SetChecked, &TMenuItem::Checked),
        BooleanProperty("Visible", &TMenuItem::SetVisible, &TMenuItem::Visible),
        EventProperty("OnClick", &TMenuItem::OnClick),
    }};
    return info;
}

void TMenuItem::AddStoredChild(TComponent* child) {
    auto* item = dynamic_cast<TMenuItem*>(child);
    if (!item) throw rtl::Exception("only menu items can be placed inside menu item '" + Name() + "'");
    Add(item);
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
    Changed();
}
void TMenuItem::SetVisible(bool visible) {
    visible_ = visible;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) {
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    item->parent_ = nullptr;
    Changed();
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
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Changed() {
    if (HasState(rtl::csLoading)) return;
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::AppendTo(HMENU menu) {
    if (!visible_) return;
    const std::wstring text = Wide(caption_);
    if (caption_ == "-") {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    UINT flags = MF_STRING;
    if (!enabled_) flags |= MF_GRAYED;
    if (checked_) flags |= MF_CHECKED;
    if (items_.empty()) {
        AppendMenuW(menu, flags, command_, text.c_str());
        return;
    }
    HMENU sub = CreatePopupMenu();
    for (TMenuItem* item : items_) item->AppendTo(sub);
    AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
}

// ---- TMenu ----

TMenu::TMenu(TComponent* owner) : TComponent(owner) { items_.menu_ = this; }

TMenu::~TMenu() {
    // Items are owned by the form; they only leave this menu.
    while (!items_.items_.empty()) items_.Remove(items_.items_.back());
}

const rtl::TClassInfo& TMenu::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMenu", &TComponent::StaticClassInfo(), {}};
    return info;
}

void TMenu::AddStoredChild(TComponent* child) { items_.AddStoredChild(child); }

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_.reset(CreateMenuHandle());
        for (TMenuItem* item : items_.Items()) item->AppendTo(handle_.get());
    }
    return handle_.get();
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = items_.FindByCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::MenuChanged() { handle_.reset(); }

const rtl::TClassInfo& TMainMenu::StaticClassInfo() {
    static const rtl::TClassInfo info{"TMainMenu", &TMenu::StaticClassInfo(), {}};
    return info;
}

void TMainMenu::MenuChanged() {
    if (!WindowHandle) {
        TMenu::MenuChanged();
        return;
    }
    // Detach the old bar before destroying it, then show the rebuilt one.
    SetMenu(WindowHandle, nullptr);
    TMenu::MenuChanged();
    SetMenu(WindowHandle, Handle());
    DrawMenuBar(WindowHandle);
    SendMessageW(WindowHandle, CM_MENUCHANGED, 0, 0);
}

} // namespace gui
