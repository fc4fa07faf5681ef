#include "framework/gui/list_box.h"

#include "framework/gui/handles.h"
#include "framework/gui/item_list.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {
namespace {

// The list's own margin left of an item's text and a little room right of it.
constexpr int kItemTextMargin = 6;

} // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 97;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TListBox::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TListBox",
        &TWinControl::StaticClassInfo(),
        {
            StringListProperty("Items", &TListBox::SetItems),
            IntegerProperty("ItemIndex", &TListBox::SetItemIndex, &TListBox::ItemIndex),
            EnumProperty("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                         &TListBox::SetScrollBars, &TListBox::ScrollBars),
        }};
    return info;
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    FillItemWindow(handle_, LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, items_, itemIndex_);
    if (handle_ && (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth)) UpdateHorizontalExtent();
}

void TListBox::UpdateHorizontalExtent() {
    // A list box scrolls sideways only as far as it is told its widest item reaches.
    const WindowDc dc(handle_);
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(handle_, WM_GETFONT, 0, 0));
    const SelectedObject selected(dc.get(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    for (const std::string& item : items_) {
        const std::wstring text = Wide(item);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SendMessageW(handle_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + ScaleValue(kItemTextMargin)),
                 0);
}

int TListBox::ItemIndex() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TListBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (handle_) SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == scrollBars_) return;
    scrollBars_ = scrollBars;
    if (!handle_) return;
    // The bars are window styles the list reads when it is created.
    const int index = ItemIndex();
    DestroyHandle();
    itemIndex_ = index;
    HandleNeeded();
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"LISTBOX";
    params.SystemClass = true;
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    FillItemWindow(handle_, LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, items_, itemIndex_);
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) UpdateHorizontalExtent();
}

void TListBox::WndProc(TMessage& message) {
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == LBN_SELCHANGE) {
            itemIndex_ = ItemIndex();
            Click();
        }
        return;
    }
    TWinControl::WndProc(message);
}

} // namespace gui
