// The DPI a window's skin is scaled for. It is the DPI the system shows the window at (gui::WindowDpi);
// tests put a query of their own in place to see a window at any DPI within one process.
#pragma once

#include <windows.h>

namespace skin {

// WM_DPICHANGED (wParam: the new DPI twice, lParam: the suggested window rectangle), named here as the
// headers name it only for newer systems than the oldest we target.
constexpr UINT kDpiChangedMessage = 0x02E0;

using WindowDpiQuery = int (*)(HWND window);

// The DPI to skin window at.
int SkinDpiOf(HWND window);

// Puts query in place of the system's (null: the system's again) and answers the one it replaces.
WindowDpiQuery SetWindowDpiQuery(WindowDpiQuery query);

// A length of the system's own metrics or fonts, read at the system's DPI, at dpi.
int SystemLengthAt(int length, int dpi);

} // namespace skin
