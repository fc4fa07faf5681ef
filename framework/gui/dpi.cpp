#include "framework/gui/dpi.h"

#include "framework/gui/handles.h"

namespace gui {
namespace {

// Looked up once in user32: absent on older systems.
template <class Function> Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SetDpiAwarenessContextFunction = BOOL(WINAPI*)(HANDLE);
using SetDpiAwareFunction = BOOL(WINAPI*)();

// The system's DPI_AWARENESS_CONTEXT values; not in the headers for the oldest system we target.
HANDLE AwarenessContext(INT_PTR value) {
    return reinterpret_cast<HANDLE>(value);
}
constexpr INT_PTR kPerMonitorAwareV2 = -4;
constexpr INT_PTR kPerMonitorAware = -3;

} // namespace

int SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (window && getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int ScaleForDpi(int designLength, int dpi) {
    return MulDiv(designLength, dpi, kDesignDpi);
}

bool DeclareDpiAwareness() {
    if (const auto setContext =
            User32Function<SetDpiAwarenessContextFunction>("SetProcessDpiAwarenessContext")) {
        if (setContext(AwarenessContext(kPerMonitorAwareV2)) ||
            setContext(AwarenessContext(kPerMonitorAware)))
            return true;
    }
    const auto setAware = User32Function<SetDpiAwareFunction>("SetProcessDPIAware");
    return setAware && setAware();
}

} // namespace gui
