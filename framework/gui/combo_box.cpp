#include "framework/gui/combo_box.h"

#include "framework/gui/item_list.h"
#include "framework/rtl/property_builders.h"

namespace gui {
namespace {

constexpr int kListItemHeight = 16; // room per item of the dropped-down list

} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    width_ = 145;
    height_ = 21;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TComboBox::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TComboBox",
        &TWinControl::StaticClassInfo(),
        {
            EnumProperty("Style", {"csDropDown", "csSimple", "csDropDownList"}, &TComboBox::SetStyle,
                         &TComboBox::Style),
            StringListProperty("Items", &TComboBox::SetItems),
            IntegerProperty("ItemIndex", &TComboBox::SetItemIndex, &TComboBox::ItemIndex),
            IntegerProperty("DropDownCount", &TComboBox::SetDropDownCount, &TComboBox::DropDownCount),
            EventProperty("OnChange", &TComboBox::OnChange),
        }};
    return info;
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    FillItemWindow(handle_, CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, items_, itemIndex_);
}

int TComboBox::ItemIndex() const {
    return handle_ ? static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index;
    if (handle_) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TComboBox::WindowHeight() const {
    return style_ == csSimple ? height_ : height_ + dropDownCount_ * ScaleValue(kListItemHeight) + 2;
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = L"COMBOBOX";
    params.SystemClass = true;
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                    (style_ == csSimple         ? CBS_SIMPLE
                     : style_ == csDropDownList ? CBS_DROPDOWNLIST
                                                : CBS_DROPDOWN);
    // A simple combo box erases what its list leaves free (below the last whole item) itself, around its
    // children.
    if (style_ != csSimple) params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.Height = WindowHeight();
}

void TComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    FillItemWindow(handle_, CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, items_, itemIndex_);
    if (style_ != csSimple) {
        // The closed box takes the height its font needs.
        RECT window{};
        GetWindowRect(handle_, &window);
        height_ = window.bottom - window.top;
    }
}

void TComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == CBN_SELCHANGE) itemIndex_ = ItemIndex();
        if ((HIWORD(message.WParam) == CBN_SELCHANGE || HIWORD(message.WParam) == CBN_EDITCHANGE) &&
            OnChange && !HasState(rtl::csLoading)) {
            OnChange(this);
        }
        return;
    case WM_ERASEBKGND:
        if (style_ != csSimple) return TWinControl::WndProc(message);
        {
            RECT client{};
            GetClientRect(handle_, &client);
            FillColour(reinterpret_cast<HDC>(message.WParam), client, Color());
            message.Result = 1;
        }
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // The box's own edit and list ask it for their colours: they show the combo box's Color.
        return CnCtlColor(message);
    default:
        return TWinControl::WndProc(message);
    }
}

} // namespace gui
