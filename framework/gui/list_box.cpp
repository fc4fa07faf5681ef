#include "framework/gui/list_box.h"

#include "framework/gui/item_list.h"
#include "framework/rtl/property_builders.h"

namespace gui {

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 97;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TListBox::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TListBox", &TWinControl::StaticClassInfo(), {
        StringListProperty("Items", &TListBox::SetItems),
        IntegerProperty("ItemIndex", &TListBox::SetItemIndex, &TListBox::ItemIndex),
    }};
    return info;
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    FillItemWindow(handle_, LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, items_, itemIndex_);
}

int TListBox::ItemIndex() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TListBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (handle_) SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"LISTBOX";
    params.SystemClass = true;
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    FillItemWindow(handle_, LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, items_, itemIndex_);
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
