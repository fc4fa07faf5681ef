// The fonts a menu's items are measured and drawn in. Reading the system's menu font is slow (under Wine
// every read goes to the registry), and a menu measures and draws each item on its own, so an owner keeps
// one TMenuFonts while a menu is open and lets it go when the menu closes.
#pragma once

#include "framework/gui/handles.h"

#include <windows.h>

namespace skin {

class TMenuFonts {
  public:
    // The menu font, bold for a default item; the system's default GUI font when there is no menu font.
    // The first call reads the system's settings; the font stays until Reset().
    HFONT Get(bool bold);
    // Frees the fonts (none may be selected into a device context any more); the next Get() reads again.
    void Reset();

  private:
    bool read_ = false;
    LOGFONTW logFont_{};
    gui::UniqueFont normal_, bold_;
};

} // namespace skin
