#include "framework/gui/tab_set.h"

#include "framework/gui/handles.h"
#include "framework/gui/wide.h"
#include "framework/rtl/property_builders.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace gui {
namespace {

constexpr int kScrollerWidth = 26;

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

// ---- TTabScroller ----

TTabScroller::TTabScroller(TTabSet* tabSet) : TWinControl(tabSet), tabSet_(tabSet) {
    width_ = kScrollerWidth;
    height_ = 17;
    visible_ = false;
}

const rtl::TClassInfo& TTabScroller::StaticClassInfo() {
    static const rtl::TClassInfo info{"TTabScroller", &TWinControl::StaticClassInfo(), {}};
    return info;
}

void TTabScroller::CreateParams(TCreateParams& params) {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.ClassName = UPDOWN_CLASSW;
    params.SystemClass = true;
    params.Style |= UDS_HORZ;
    params.Style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TTabScroller::SetRange(int count, int position) {
    count_ = count;
    position_ = position;
    if (!handle_) return;
    SendMessageW(handle_, UDM_SETRANGE32, 0, std::max(count - 1, 0));
    SendMessageW(handle_, UDM_SETPOS32, 0, position);
}

void TTabScroller::WndProc(TMessage& message) {
    if (message.Msg == CN_HSCROLL) {
        if (LOWORD(message.WParam) == SB_THUMBPOSITION)
            tabSet_->SetFirstIndex(static_cast<short>(HIWORD(message.WParam)));
        return;
    }
    TWinControl::WndProc(message);
}

void TTabScroller::CreateWnd() {
    TWinControl::CreateWnd();
    SetRange(count_, position_);
}

// ---- TTabSet ----

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), scroller_(new TTabScroller(this)) {
    width_ = 185;
    height_ = 21;
    scroller_->SetParent(this);
}

const rtl::TClassInfo& TTabSet::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{
        "TTabSet",
        &TCustomControl::StaticClassInfo(),
        {
            StringListProperty("Tabs", &TTabSet::SetTabs),
            IntegerProperty("TabIndex", &TTabSet::SetTabIndex, &TTabSet::TabIndex),
            IntegerProperty("FirstIndex", &TTabSet::SetFirstIndex, &TTabSet::FirstIndex),
            IntegerProperty("StartMargin", &TTabSet::SetStartMargin, &TTabSet::StartMargin),
            IntegerProperty("EndMargin", &TTabSet::SetEndMargin, &TTabSet::EndMargin),
            EventProperty("OnChange", &TTabSet::OnChange),
        }};
    return info;
}

void TTabSet::SetTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    textWidths_.clear();
    if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = static_cast<int>(tabs_.size()) - 1;
    Changed();
}

void TTabSet::SetTabIndex(int index) {
    tabIndex_ = std::clamp(index, -1, static_cast<int>(tabs_.size()) - 1);
    Invalidate();
}

void TTabSet::SetFirstIndex(int index) {
    const int first = std::clamp(index, 0, std::max(static_cast<int>(tabs_.size()) - 1, 0));
    if (first == firstIndex_) return;
    firstIndex_ = first;
    Changed();
}

void TTabSet::SetStartMargin(int margin) {
    startMargin_ = margin;
    Changed();
}

void TTabSet::SetEndMargin(int margin) {
    endMargin_ = margin;
    Changed();
}

void TTabSet::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    Changed();
}

void TTabSet::FontChanged() {
    textWidths_.clear();
    TCustomControl::FontChanged();
    Changed();
}

void TTabSet::Changed() {
    UpdateScroller();
    Invalidate();
}

int TTabSet::TabTextWidth(const std::string& text) {
    const WindowDc screen(nullptr);
    const SelectedObject font(screen.get(), EffectiveFont()->Handle());
    const std::wstring wide = Wide(text);
    SIZE size{};
    GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

std::vector<TTabSetItem> TTabSet::Layout(int firstIndex, bool scrollerShown) {
    std::vector<TTabSetItem> items;
    int x = startMargin_;
    const int limit = width_ - endMargin_;
    const int room = kTabPadding + (scrollerShown ? kScrollerReserve : 0);
    if (HFONT font = EffectiveFont()->Handle(); font != measuredFont_ || textWidths_.size() != tabs_.size()) {
        textWidths_.clear();
        for (const std::string& tab : tabs_)
            textWidths_.push_back(TabTextWidth(tab));
        measuredFont_ = font;
    }
    for (int i = std::max(firstIndex, 0); i < static_cast<int>(tabs_.size()); ++i) {
        const int w = textWidths_[static_cast<std::size_t>(i)];
        if (limit < x + w + room) continue;
        items.push_back({i, RECT{x, 0, x + w + kTabPadding, height_}});
        x += w + kTabPadding;
    }
    return items;
}

std::vector<TTabSetItem> TTabSet::VisibleTabs() {
    return Layout(firstIndex_, scroller_->Visible());
}

int TTabSet::TabAt(POINT point) {
    for (const TTabSetItem& item : VisibleTabs()) {
        if (PtInRect(&item.Rect, point)) return item.Index;
    }
    return -1;
}

void TTabSet::UpdateScroller() {
    const bool hidden = firstIndex_ > 0 || Layout(0, false).size() < tabs_.size();
    scroller_->SetRange(static_cast<int>(tabs_.size()), firstIndex_);
    const int scrollerWidth = ScaleValue(kScrollerWidth);
    scroller_->SetBounds(width_ - scrollerWidth - 1, 2, scrollerWidth, std::max(height_ - 4, 1));
    scroller_->SetVisible(hidden);
}

void TTabSet::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScroller();
}

void TTabSet::Paint(HDC dc) {
    // The strip's top edge is the page the tabs belong to; the selected tab joins it, the others sit behind.
    FillColour(dc, RECT{0, 0, width_, height_}, Color());
    const SelectedObject font(dc, EffectiveFont()->Handle());
    const UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const UniquePen dark(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW)));
    const SelectedObject pen(dc, dark.get());
    Line(dc, 0, 0, width_, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(EffectiveFont()->Color()));
    for (const TTabSetItem& item : VisibleTabs()) {
        RECT r = item.Rect;
        r.bottom -= 2;
        const bool selected = item.Index == tabIndex_;
        if (selected) FillColour(dc, RECT{r.left + 1, 0, r.right, r.bottom}, rtl::clWindow);
        const SelectedObject edgePen(dc, selected ? dark.get() : shadow.get());
        Line(dc, r.left, selected ? 0 : 1, r.left, r.bottom);
        Line(dc, r.left, r.bottom, r.right, r.bottom);
        Line(dc, r.right, r.bottom, r.right, selected ? -1 : 0);
        const std::wstring text = Wide(tabs_[static_cast<std::size_t>(item.Index)]);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TTabSet::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDOWN) {
        const int index = TabAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
        if (index >= 0 && index != tabIndex_) {
            SetTabIndex(index);
            if (OnChange) OnChange(this);
        }
    }
    TCustomControl::WndProc(message);
}

} // namespace gui
