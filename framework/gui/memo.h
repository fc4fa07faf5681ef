// A multi-line edit box.
#pragma once

#include "framework/gui/edit.h"

#include <string>
#include <vector>

namespace gui {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
  public:
    explicit TMemo(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The text as lines (line breaks are CR LF in the window).
    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars) { scrollBars_ = scrollBars; }
    // Without word wrap long lines scroll sideways.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap) { wordWrap_ = wordWrap; }

  protected:
    void CreateParams(TCreateParams& params) override;

  private:
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};

} // namespace gui
