// A scrolling container: the controls it holds lie on an area of HorzRange × VertRange pixels, of which the
// box shows its client area; its window scroll bars move the controls.
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TScrollBox : public TCustomControl {
  public:
    explicit TScrollBox(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The scrolled area's size; 0 leaves that direction without a bar.
    int HorzRange() const { return horzRange_; }
    void SetHorzRange(int range);
    int VertRange() const { return vertRange_; }
    void SetVertRange(int range);
    // How far the area is scrolled, in pixels.
    POINT ScrollOffset() const { return offset_; }

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint(HDC dc) override;

  private:
    void UpdateBars();
    void ScrollBy(int bar, int code);

    int horzRange_ = 0;
    int vertRange_ = 0;
    POINT offset_{};
};

} // namespace gui
