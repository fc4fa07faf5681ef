// The old-style tab set: a strip of tabs hanging from its top edge, drawn by the framework itself, with a
// horizontal up-down (its scroller) that appears when the tabs do not all fit and moves the first tab shown.
#pragma once

#include "framework/gui/control.h"

#include <string>
#include <vector>

namespace gui {

class TTabSet;

// The tab set's scroller: a horizontal msctls_updown32 whose position is the first tab shown.
class TTabScroller : public TWinControl {
  public:
    explicit TTabScroller(TTabSet* tabSet);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void SetRange(int count, int position);
    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    TTabSet* tabSet_;
    int count_ = 0;
    int position_ = 0;
};

// Where one shown tab lies, in the tab set's client coordinates.
struct TTabSetItem {
    int Index;
    RECT Rect;
};

class TTabSet : public TCustomControl {
  public:
    // Width a tab adds to its text, and what the scroller takes from the strip besides.
    static constexpr int kTabPadding = 9;
    static constexpr int kScrollerReserve = 12;

    explicit TTabSet(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    std::vector<std::string> Tabs() const { return tabs_; }
    void SetTabs(const std::vector<std::string>& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    // The first tab shown; the scroller moves it.
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int margin);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int margin);
    TTabScroller& Scroller() { return *scroller_; }

    // The tabs shown, from the first index on: each that fits in what is left of the strip is placed after
    // the one before; one that does not is left out and the next is tried.
    std::vector<TTabSetItem> VisibleTabs();
    int TabTextWidth(const std::string& text);
    // The tab under a client point, -1 for none.
    int TabAt(POINT point);

    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    rtl::TNotifyEvent OnChange;

  protected:
    void CreateWnd() override;
    void Paint(HDC dc) override;
    void FontChanged() override;

  private:
    std::vector<TTabSetItem> Layout(int firstIndex, bool scrollerShown);
    // Shows the scroller when tabs are hidden, and places it at the strip's right end.
    void UpdateScroller();
    void Changed();

    std::vector<std::string> tabs_;
    // Each tab's text width, measured once for the font it was measured in: every paint, click and
    // resize lays the tabs out, and measuring asks for the screen's device context.
    std::vector<int> textWidths_;
    HFONT measuredFont_ = nullptr;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
    TTabScroller* scroller_; // owned as a component: the set's first
};

} // namespace gui
