// The item lists of list boxes and combo boxes, put into their system windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui {

// Empties window with resetMessage, adds each item with addMessage and selects index with selectMessage.
void FillItemWindow(HWND window, UINT resetMessage, UINT addMessage, UINT selectMessage,
                    const std::vector<std::string>& items, int index);

} // namespace gui
