// MDI frames and children of a skinned window (the TWinSkinForm methods are in mdi.cpp): the frame's MDI
// client is subclassed so that the children are skinned as the client creates them, the frame's menu bar
// follows the menus the client hands it, and the buttons of a maximized child sit on the frame's menu bar.
#pragma once

#include <windows.h>

namespace skin {

// The class of the window that holds an MDI frame's children.
inline constexpr wchar_t kMdiClientClass[] = L"MDIClient";

// The first child of frame, in z-order, whose class is exactly the MDI client's; null when there is none.
HWND FindMdiClient(HWND frame);

} // namespace skin
