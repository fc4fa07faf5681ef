// What the screen shows of a window, saved as a BMP file (frame, caption and menu bar as skinned).
#pragma once

#include <windows.h>

#include <string>

namespace gallery {

// Raises an error naming the file when it cannot be written or does not read back as written.
void SaveWindowScreenshot(HWND window, const std::string& path);

} // namespace gallery
