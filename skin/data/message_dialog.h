// How the portable skin code shows a message: the caller decides (the Windows build passes the
// framework's standard message dialog, tools print, tests record).
#pragma once

#include <string>

namespace skin {

class IMessageDialog {
  public:
    // Shows text with a single OK button and the application title as caption; returns when dismissed.
    virtual void ShowMessage(const std::string& text) = 0;

  protected:
    ~IMessageDialog() = default;
};

} // namespace skin
