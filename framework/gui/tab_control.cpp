#include "framework/gui/tab_control.h"

#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {
namespace {

const std::vector<std::string>& TabPositionNames() {
    static const std::vector<std::string> names{"tpTop", "tpBottom", "tpLeft", "tpRight"};
    return names;
}

DWORD PositionStyle(TTabPosition position) {
    switch (position) {
    case tpBottom:
        return TCS_BOTTOM;
    case tpLeft:
        return TCS_VERTICAL | TCS_MULTILINE;
    case tpRight:
        return TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE;
    default:
        return 0;
    }
}

} // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
    width_ = 289;
    height_ = 193;
    tabStop_ = true;
}

const rtl::TClassInfo& TCustomTabControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TCustomTabControl",
        &TWinControl::StaticClassInfo(),
        {
            EnumProperty("TabPosition", TabPositionNames(), &TCustomTabControl::SetTabPosition,
                         &TCustomTabControl::TabPosition),
            BooleanProperty("MultiLine", &TCustomTabControl::SetMultiLine, &TCustomTabControl::MultiLine),
            EventProperty("OnChange", &TCustomTabControl::OnChange),
        }};
    return info;
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
    if (position == tabPosition_) return;
    tabPosition_ = position;
    Recreate();
}

void TCustomTabControl::SetMultiLine(bool multiLine) {
    if (multiLine == multiLine_) return;
    multiLine_ = multiLine;
    Recreate();
}

void TCustomTabControl::Recreate() {
    // The strip's side and wrapping are window styles the control reads when it is created.
    if (!handle_) return;
    tabIndex_ = TabIndex();
    DestroyHandle();
    HandleNeeded();
}

int TCustomTabControl::TabIndex() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TCustomTabControl::SetTabIndex(int index) {
    tabIndex_ = index;
    if (!handle_) return;
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Realign();
}

RECT TCustomTabControl::DisplayRect() {
    RECT rect{};
    GetClientRect(Handle(), &rect);
    SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void TCustomTabControl::SetTabTexts(const std::vector<std::string>& texts) {
    tabs_ = texts;
    if (!handle_) return;
    tabIndex_ = TabIndex();
    FillTabs();
}

void TCustomTabControl::FillTabs() {
    SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        std::wstring text = Wide(tabs_[i]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(handle_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = static_cast<int>(tabs_.size()) - 1;
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
    Realign();
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.ClassName = WC_TABCONTROLW;
    params.SystemClass = true;
    params.Style |= PositionStyle(tabPosition_);
    if (multiLine_) params.Style |= TCS_MULTILINE;
}

void TCustomTabControl::CreateWnd() {
    TWinControl::CreateWnd();
    FillTabs();
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& message) {
    if (message.Msg == CN_NOTIFY) {
        if (reinterpret_cast<const NMHDR*>(message.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
            tabIndex_ = TabIndex();
            Realign();
            Change();
        }
        return;
    }
    TWinControl::WndProc(message);
    if (message.Msg == WM_SIZE) Realign();
}

const rtl::TClassInfo& TTabControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TTabControl",
        &TCustomTabControl::StaticClassInfo(),
        {
            StringListProperty("Tabs", &TTabControl::SetTabs),
            IntegerProperty("TabIndex", &TCustomTabControl::SetTabIndex, &TCustomTabControl::TabIndex),
        }};
    return info;
}

} // namespace gui
