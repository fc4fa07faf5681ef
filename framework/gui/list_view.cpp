#include "framework/gui/list_view.h"

#include "framework/gui/header_control.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>

namespace gui {
namespace {

constexpr int kDefaultColumnWidth = 80;

void EnsureListViewClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
}

} // namespace

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    width_ = 250;
    height_ = 150;
    tabStop_ = true;
    color_ = rtl::clWindow;
    parentColor_ = false;
}

const rtl::TClassInfo& TListView::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TListView",
                                 &TWinControl::StaticClassInfo(),
                                 {
                                     StringListProperty("Columns", &TListView::SetColumnLines),
                                     StringListProperty("Items", &TListView::SetItemLines),
                                 }};
    return info;
}

void TListView::SetColumnLines(const std::vector<std::string>& lines) {
    std::vector<TListColumn> columns;
    for (const std::string& line : lines) {
        auto [caption, width] = SplitCaptionWidth(line, kDefaultColumnWidth);
        columns.push_back(TListColumn{caption, width});
    }
    SetColumns(columns);
}

void TListView::SetItemLines(const std::vector<std::string>& lines) {
    std::vector<TListItem> items;
    for (const std::string& line : lines) {
        TListItem item;
        std::size_t start = 0;
        for (bool first = true;; first = false) {
            const std::size_t bar = line.find('|', start);
            const std::string part =
                line.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
            if (first) {
                item.Caption = part;
            } else {
                item.SubItems.push_back(part);
            }
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        items.push_back(std::move(item));
    }
    SetItems(items);
}

void TListView::SetColumns(const std::vector<TListColumn>& columns) {
    columns_ = columns;
    FillColumns();
}

void TListView::ChangeScale(int multiplier, int divider) {
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        columns_[i].Width = MulDiv(columns_[i].Width, multiplier, divider);
        if (handle_) SendMessageW(handle_, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(columns_[i].Width, 0));
    }
    TWinControl::ChangeScale(multiplier, divider);
}

void TListView::SetItems(const std::vector<TListItem>& items) {
    items_ = items;
    FillItems();
}

void TListView::AddItem(const TListItem& item) {
    items_.push_back(item);
    if (handle_) InsertItem(static_cast<int>(items_.size()) - 1, item);
}

HWND TListView::HeaderWindow() const {
    return handle_ ? reinterpret_cast<HWND>(SendMessageW(handle_, LVM_GETHEADER, 0, 0)) : nullptr;
}

void TListView::FillColumns() {
    if (!handle_) return;
    while (SendMessageW(handle_, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        std::wstring caption = Wide(columns_[i].Caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = columns_[i].Width;
        column.pszText = caption.data();
        column.iSubItem = static_cast<int>(i);
        SendMessageW(handle_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void TListView::InsertItem(int index, const TListItem& item) {
    std::wstring caption = Wide(item.Caption);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = index;
    row.pszText = caption.data();
    const auto at =
        static_cast<int>(SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    for (std::size_t s = 0; s < item.SubItems.size(); ++s) {
        std::wstring text = Wide(item.SubItems[s]);
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(s) + 1;
        sub.pszText = text.data();
        SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&sub));
    }
}

void TListView::FillItems() {
    if (!handle_) return;
    SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < items_.size(); ++i)
        InsertItem(static_cast<int>(i), items_[i]);
}

void TListView::CreateParams(TCreateParams& params) {
    EnsureListViewClass();
    TWinControl::CreateParams(params);
    params.ClassName = WC_LISTVIEWW;
    params.SystemClass = true;
    params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
    params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    FillColumns();
    FillItems();
}

} // namespace gui
