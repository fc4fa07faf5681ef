// A multi-line edit of the rich edit library (msftedit's RICHEDIT50W, or riched20's RichEdit20W where only
// that one is installed), used for plain text here.
#pragma once

#include "framework/gui/memo.h"

namespace gui {

class TRichEdit : public TMemo {
  public:
    explicit TRichEdit(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The window class the rich edit windows are made of; empty when neither library loads.
    static const std::wstring& WindowClass();

  protected:
    void CreateParams(TCreateParams& params) override;
};

} // namespace gui
