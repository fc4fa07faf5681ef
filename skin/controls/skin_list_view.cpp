#include "skin/controls/skin_list_view.h"

#include "skin/controls/skin_header.h"

#include <commctrl.h>

namespace skin {

const rtl::TClassInfo& TSkinListView::StaticClassInfo() {
    static const rtl::TClassInfo info{"TSkinListView", &TSkinScrollBar::StaticClassInfo(), {}};
    return info;
}

void TSkinListView::Attach(gui::TWinControl& control, TSkinData& skinData, bool handleDrag,
                           gui::TCanvas& canvas) {
    AttachScrollBars(control, skinData, handleDrag, canvas);
    const auto header = reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0));
    if (!header || Header) return;
    Header = new TSkinHeader(Owner());
    Header->AttachHandle(header, skinData, canvas);
    InvalidateRect(header, nullptr, TRUE);
}

} // namespace skin
