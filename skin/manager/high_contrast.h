// The system's high-contrast mode as the skin manager sees it: the query of the mode (replaceable, for
// systems that cannot switch it) and a hidden top-level window that hears the mode change. The system
// tells top-level windows of a change with WM_SETTINGCHANGE (wParam SPI_SETHIGHCONTRAST); a skinned form
// could forward it, but an unskinned one no longer passes through the engine, so the manager keeps a
// window of its own that is there whatever is skinned.
#pragma once

#include "framework/gui/handles.h"

#include <windows.h>

#include <functional>

namespace skin {

// Answers whether the high-contrast mode is on.
using HighContrastQuery = bool (*)();

// The system's answer: SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON.
bool SystemHighContrast();
// The query the manager asks (SystemHighContrast until replaced); a null query puts the system's back.
// Answers the query it replaced.
HighContrastQuery SetHighContrastQuery(HighContrastQuery query);
bool HighContrastOn();

class THighContrastListener {
  public:
    // changed runs (inside the exception containment of the window procedure) whenever the system says the
    // mode may have changed; it asks HighContrastOn itself.
    explicit THighContrastListener(std::function<void()> changed);
    THighContrastListener(const THighContrastListener&) = delete;
    THighContrastListener& operator=(const THighContrastListener&) = delete;

    HWND Window() const { return window_.get(); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::function<void()> changed_;
    gui::UniqueWindow window_;
};

} // namespace skin
