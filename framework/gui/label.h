// A caption without a window of its own, painted by its parent.
#pragma once

#include "framework/gui/control.h"

namespace gui {

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner) : TGraphicControl(owner) { color_ = rtl::clBtnFace; }
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize) { autoSize_ = autoSize; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }

  protected:
    void Paint(HDC dc) override;

  private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
};

} // namespace gui
