#include "framework/gui/page_control.h"

#include "framework/rtl/property_builders.h"

#include <algorithm>

namespace gui {

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    acceptsControls_ = true;
    visible_ = false;
}

TTabSheet::~TTabSheet() {
    // While the object is still a sheet, so that its page control drops the tab.
    SetParent(nullptr);
}

const rtl::TClassInfo& TTabSheet::StaticClassInfo() {
    static const rtl::TClassInfo info{"TTabSheet", &TCustomControl::StaticClassInfo(), {}};
    return info;
}

TCustomPageControl* TTabSheet::PageControl() const {
    return dynamic_cast<TCustomPageControl*>(parent_);
}

void TTabSheet::SetParent(TWinControl* parent) {
    TCustomPageControl* before = PageControl();
    TCustomControl::SetParent(parent);
    if (before && before != PageControl()) before->PagesChanged();
    if (TCustomPageControl* after = PageControl(); after && after != before) after->PagesChanged();
}

void TTabSheet::SetText(const std::string& text) {
    TCustomControl::SetText(text);
    if (TCustomPageControl* host = PageControl()) host->PagesChanged();
}

int TTabSheet::PageIndex() const {
    const TCustomPageControl* host = PageControl();
    if (!host) return -1;
    const std::vector<TTabSheet*> pages = host->Pages();
    const auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

const rtl::TClassInfo& TTabPage::StaticClassInfo() {
    static const rtl::TClassInfo info{"TTabPage", &TTabSheet::StaticClassInfo(), {}};
    return info;
}

// ---- TCustomPageControl ----

const rtl::TClassInfo& TCustomPageControl::StaticClassInfo() {
    static const rtl::TClassInfo info{"TCustomPageControl", &TCustomTabControl::StaticClassInfo(), {}};
    return info;
}

void TCustomPageControl::AddStoredChild(TComponent* child) {
    auto* page = dynamic_cast<TTabSheet*>(child);
    if (!page) return TCustomTabControl::AddStoredChild(child);
    page->SetParent(this);
}

std::vector<TTabSheet*> TCustomPageControl::Pages() const {
    std::vector<TTabSheet*> pages;
    for (TControl* control : Controls()) {
        if (auto* page = dynamic_cast<TTabSheet*>(control)) pages.push_back(page);
    }
    return pages;
}

TTabSheet* TCustomPageControl::ActivePage() const {
    const std::vector<TTabSheet*> pages = Pages();
    const int index = TabIndex();
    return index >= 0 && index < static_cast<int>(pages.size()) ? pages[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

void TCustomPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() == this) SetTabIndex(page->PageIndex());
}

void TCustomPageControl::PagesChanged() {
    std::vector<std::string> captions;
    for (const TTabSheet* page : Pages())
        captions.push_back(page->Caption());
    const bool first = TabTexts().empty() && !captions.empty() && TabIndex() < 0;
    SetTabTexts(captions);
    if (first) SetTabIndex(0);
    Realign();
}

void TCustomPageControl::Realign() {
    const std::vector<TTabSheet*> pages = Pages();
    const TTabSheet* active = ActivePage();
    const RECT display = HandleAllocated() ? DisplayRect() : RECT{0, 0, Width(), Height()};
    for (TTabSheet* page : pages) {
        if (page == active) {
            page->SetBounds(display.left, display.top, display.right - display.left,
                            display.bottom - display.top);
        }
        page->SetVisible(page == active);
    }
}

// ---- the published classes ----

const rtl::TClassInfo& TPageControl::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TPageControl",
        &TCustomPageControl::StaticClassInfo(),
        {
            ComponentProperty("ActivePage", &TCustomPageControl::SetActivePage),
            IntegerProperty("ActivePageIndex", &TCustomPageControl::SetActivePageIndex,
                            &TCustomPageControl::ActivePageIndex),
        }};
    return info;
}

const rtl::TClassInfo& TTabbedNotebook::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TTabbedNotebook",
                                 &TCustomPageControl::StaticClassInfo(),
                                 {
                                     IntegerProperty("PageIndex", &TCustomPageControl::SetActivePageIndex,
                                                     &TCustomPageControl::ActivePageIndex),
                                 }};
    return info;
}

} // namespace gui
