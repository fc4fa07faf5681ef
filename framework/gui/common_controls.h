// The common controls' window classes are registered on first use, once per class group.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace gui {

inline void EnsureCommonControls(DWORD classes) {
    INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    InitCommonControlsEx(&controls);
}

} // namespace gui
