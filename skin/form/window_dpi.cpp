#include "skin/form/window_dpi.h"

#include "framework/gui/dpi.h"

namespace skin {
namespace {

WindowDpiQuery g_query = nullptr;

} // namespace

int SkinDpiOf(HWND window) {
    const int dpi = g_query ? g_query(window) : gui::WindowDpi(window);
    return dpi > 0 ? dpi : gui::kDesignDpi;
}

WindowDpiQuery SetWindowDpiQuery(WindowDpiQuery query) {
    const WindowDpiQuery previous = g_query;
    g_query = query;
    return previous;
}

int SystemLengthAt(int length, int dpi) {
    const int system = gui::SystemDpi();
    return dpi == system ? length : MulDiv(length, dpi, system);
}

} // namespace skin
