// Takes the screenshots the screen check compares: the gallery's own saved window, and windows driven from
// outside with a menu open. Every capture waits for conditions (skinned, fitted, menu shown, picture still)
// and parks the pointer away from the windows first, so the same build gives the same bytes every time.
#pragma once

#include "tests/screens/picture.h"

#include <string>
#include <vector>

namespace screens {

// The gallery saving its own window (--screenshot) with these further arguments; the caret hidden.
Picture GalleryScreenshot(const std::vector<std::wstring>& arguments);

enum class OpenMenu { MenuBarItem, FirstDropDown, SystemMenu };

// The gallery with this skin file or folder, its first page, and a menu opened from the keyboard: the
// window and the menu's own window together.
Picture GalleryWithMenu(const std::wstring& skin, OpenMenu menu);
// The converter (its stored skin) the same way. Its menu bar has a single command and no drop-down: Alt
// lights that command.
Picture ConverterWithMenu(OpenMenu menu);

} // namespace screens
