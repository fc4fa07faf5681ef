// The news window: a borderless page of the publisher's news, shown once, about fifteen seconds after start.
#pragma once

#include "framework/gui/form.h"
#include "framework/gui/web_browser.h"

namespace app {

// The news page on the publisher's news server.
inline constexpr const char* kNewsAddress = "http://news.marivel.example/form2/news.htm";

class TForm2 : public gui::TForm {
  public:
    explicit TForm2(TComponent* owner);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    void Loaded() override;

    gui::TWebBrowser* WebBrowser1 = nullptr;

    void FormCreate(rtl::TObject* sender);
};

extern TForm2* Form2;

} // namespace app
