// Tab strips with a page under each tab: TPageControl with its TTabSheet pages, and the older
// TTabbedNotebook with its TTabPage pages. Pages are read as the control's children from the form data; the
// page of the selected tab is shown, the others hidden.
#pragma once

#include "framework/gui/tab_control.h"

#include <vector>

namespace gui {

class TCustomPageControl;

// One page: a container whose caption is its tab's text.
class TTabSheet : public TCustomControl {
  public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    void SetParent(TWinControl* parent) override;
    void SetText(const std::string& text) override;
    TCustomPageControl* PageControl() const;
    // The page's place among its control's pages, -1 when it has none.
    int PageIndex() const;

  protected:
    void Paint(HDC) override {}
};

class TTabPage : public TTabSheet {
  public:
    using TTabSheet::TTabSheet;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TCustomPageControl : public TCustomTabControl {
  public:
    explicit TCustomPageControl(TComponent* owner) : TCustomTabControl(owner) {}
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void AddStoredChild(TComponent* child) override;

    // The pages, in tab order.
    std::vector<TTabSheet*> Pages() const;
    TTabSheet* ActivePage() const;
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return TabIndex(); }
    void SetActivePageIndex(int index) { SetTabIndex(index); }

    // A page came, went or changed its caption.
    void PagesChanged();

  protected:
    void Realign() override;
};

class TPageControl : public TCustomPageControl {
  public:
    using TCustomPageControl::TCustomPageControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TTabbedNotebook : public TCustomPageControl {
  public:
    using TCustomPageControl::TCustomPageControl;
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

} // namespace gui
