// Dots per inch of the screen a window is on, and scaling of lengths designed at 96 DPI. The calls that
// answer per window and per monitor exist only on newer systems: they are looked up at run time, and older
// systems answer with the screen's DPI.
#pragma once

#include <windows.h>

namespace gui {

// Forms, skins and fonts are designed at this many dots per inch.
constexpr int kDesignDpi = 96;

// The screen's DPI for the whole session (the desktop's LOGPIXELSY).
int SystemDpi();

// The DPI the window is shown at: its monitor's where the system tracks it per window, else SystemDpi().
int WindowDpi(HWND window);

// A length designed at 96 DPI, at dpi (rounded half away from zero, as MulDiv does).
int ScaleForDpi(int designLength, int dpi);

// Declares the process per-monitor DPI-aware (version 2 where the system has it, else per-monitor, else
// system-aware). The manifest declares it first; this is the fallback for a program started without it.
// Answers whether any declaration was accepted.
bool DeclareDpiAwareness();

} // namespace gui
