// A stand-alone scroll bar: the system SCROLLBAR control, horizontal or vertical, with its range, page and
// steps. It moves its own thumb: arrows and track clicks step the position, dragging follows the mouse.
#pragma once

#include "framework/gui/control.h"

namespace gui {

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
  public:
    explicit TScrollBar(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int Min() const { return min_; }
    void SetMin(int min) { SetParams(position_, min, max_); }
    int Max() const { return max_; }
    void SetMax(int max) { SetParams(position_, min_, max); }
    int Position() const { return position_; }
    void SetPosition(int position) { SetParams(position, min_, max_); }
    // The visible part of the range: the thumb's length in proportion; 0 for a thumb of the system's size.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int pageSize);
    // How far a track click (large) and an arrow click (small) move the position.
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change) { largeChange_ = change; }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change) { smallChange_ = change; }
    // Position kept within Min .. Max - PageSize + 1 (Max when there is no page); Min and Max swapped when
    // given the wrong way round. OnChange runs when the position moved.
    void SetParams(int position, int min, int max);
    // The scroll code (SB_LINEUP, SB_THUMBTRACK ...) of the last scroll the bar reported.
    int LastScrollCode() const { return lastScrollCode_; }

    rtl::TNotifyEvent OnChange; // the position changed
    rtl::TNotifyEvent OnScroll; // the user scrolled (LastScrollCode says how)

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

  private:
    void Scroll(int code, int trackPosition);
    void UpdateWindowInfo();
    int HighestPosition() const;

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int pageSize_ = 0;
    int largeChange_ = 1;
    int smallChange_ = 1;
    int lastScrollCode_ = SB_ENDSCROLL;
};

} // namespace gui
