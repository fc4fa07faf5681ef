#include "app/news_form.h"

#include "framework/rtl/exceptions.h"

namespace app {

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", [this](rtl::TObject* sender) { FormCreate(sender); });
}

const rtl::TClassInfo& TForm2::StaticClassInfo() {
    static const rtl::TClassInfo info{"TForm2", &TForm::StaticClassInfo(), {}};
    return info;
}

void TForm2::Loaded() {
    TForm::Loaded();
    WebBrowser1 = dynamic_cast<gui::TWebBrowser*>(FindComponent("WebBrowser1"));
    if (!WebBrowser1) throw rtl::Exception("the stored form data of TForm2 lacks 'WebBrowser1'");
}

void TForm2::FormCreate(rtl::TObject*) {
    // The page loads in the background while the window is still hidden.
    WebBrowser1->Navigate(kNewsAddress);
}

} // namespace app
