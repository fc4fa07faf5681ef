// Switching the keyboard layout to an edit box's input method while it has the focus.
#pragma once

#include <string>

namespace gui {

// On a system with input methods: when imeName is not empty and not the default input method, activates
// the installed input method of that name, else the default keyboard layout.
void ActivateInputMethod(const std::string& imeName);
// Activates the default keyboard layout again (when an edit box with an input method name loses focus).
void ActivateDefaultKeyboardLayout(const std::string& imeName);

} // namespace gui
