// The framework's standard message dialog: a form of class "TMessageForm" with the text, one OK button and
// the application title as caption, centred on the screen.
#pragma once

#include "framework/gui/form.h"

#include <string>

namespace gui {

class TMessageForm : public TForm {
  public:
    explicit TMessageForm(TComponent* owner, const std::string& text);
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

// Shows text ("\r" or "\n" break lines) and returns when the user has closed the dialog.
void ShowMessage(const std::string& text);

} // namespace gui
