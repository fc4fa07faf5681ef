#include "framework/gui/timer.h"

#include "framework/gui/application.h"
#include "framework/gui/diagnostics.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

namespace gui {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"MarivelTimerWindow";
constexpr UINT_PTR kTimerId = 1;

LRESULT CALLBACK TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        if (auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(window, GWLP_USERDATA))) timer->Tick();
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

HWND CreateTimerWindow(TTimer* timer) {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TimerWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kTimerWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    // A message-only window: never shown, never activated.
    HWND window = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) throw rtl::Exception("cannot create a timer window");
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(timer));
    return window;
}

} // namespace

// Gives the property table access to the handler through its setter.
struct TimerEventAccess {
    static rtl::TPropInfo OnTimerProperty() {
        rtl::TPropInfo info{"OnTimer", rtl::TTypeKind::tkMethod, {}, {}, {}, {}};
        info.Store = [](rtl::TPersistent& target, const rtl::FormValue& value, rtl::TReadContext& context) {
            const std::string& method = rtl::ExpectIdentifier(value);
            rtl::TNotifyEvent handler = context.Root->FindNotifyMethod(method);
            if (!handler) throw rtl::Exception("the form has no method '" + method + "'");
            dynamic_cast<TTimer&>(target).SetOnTimer(std::move(handler));
        };
        return info;
    }
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), window_(CreateTimerWindow(this)) {}

TTimer::~TTimer() {
    if (running_) KillTimer(window_.get(), kTimerId);
}

const rtl::TClassInfo& TTimer::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TTimer",
                                 &TComponent::StaticClassInfo(),
                                 {
                                     IntegerProperty("Interval", &TTimer::SetInterval, &TTimer::Interval),
                                     BooleanProperty("Enabled", &TTimer::SetEnabled, &TTimer::Enabled),
                                     TimerEventAccess::OnTimerProperty(),
                                 }};
    return info;
}

void TTimer::SetInterval(int interval) {
    interval_ = interval;
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateTimer();
}

void TTimer::SetOnTimer(rtl::TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) {
        KillTimer(window_.get(), kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ > 0 && onTimer_) {
        if (!SetTimer(window_.get(), kTimerId, static_cast<UINT>(interval_), nullptr)) {
            throw rtl::Exception("Not enough timers available");
        }
        running_ = true;
    }
}

void TTimer::Tick() {
    if (!onTimer_) return;
    ContainExceptions(
        "timer", [&] { onTimer_(this); },
        [&] {
            if (Application) Application->HandleException(this);
        });
}

} // namespace gui
