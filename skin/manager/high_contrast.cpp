#include "skin/manager/high_contrast.h"

#include "framework/rtl/exceptions.h"
#include "skin/diagnostics.h"

namespace skin {

namespace {

constexpr wchar_t kListenerClass[] = L"TSkinSettingListener";

HighContrastQuery g_query = &SystemHighContrast;

void RegisterListenerClass(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kListenerClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

bool SystemHighContrast() {
    HIGHCONTRASTW mode{};
    mode.cbSize = sizeof mode;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof mode, &mode, 0) &&
           (mode.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastQuery SetHighContrastQuery(HighContrastQuery query) {
    const HighContrastQuery previous = g_query;
    g_query = query ? query : &SystemHighContrast;
    return previous;
}

bool HighContrastOn() {
    return g_query();
}

THighContrastListener::THighContrastListener(std::function<void()> changed) : changed_(std::move(changed)) {
    RegisterListenerClass(&THighContrastListener::WindowProc);
    // Top-level and never shown: a message-only window would not receive the system's broadcasts.
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kListenerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window_) throw rtl::Exception("cannot create the window that hears the high-contrast mode change");
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK THighContrastListener::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ContainExceptions(
        "high-contrast listener",
        [&]() -> LRESULT {
            auto* listener =
                reinterpret_cast<THighContrastListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            if (listener && message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST &&
                listener->changed_)
                listener->changed_();
            return DefWindowProcW(window, message, wParam, lParam);
        },
        [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

} // namespace skin
