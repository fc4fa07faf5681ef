#include "framework/gui/subclass.h"

#include "framework/gui/diagnostics.h"

#include <commctrl.h>

namespace gui {
namespace {

// Hands the exception being handled to TWindowSubclass::OnException (call inside a catch block).
void TellOnException(HWND window, UINT msg) {
    try {
        throw;
    } catch (const std::exception& error) {
        if (TWindowSubclass::OnException) TWindowSubclass::OnException(window, msg, &error);
    } catch (...) {
        if (TWindowSubclass::OnException) TWindowSubclass::OnException(window, msg, nullptr);
    }
}

} // namespace

std::function<void(HWND, UINT, const std::exception*)> TWindowSubclass::OnException;

bool TWindowSubclass::Install(HWND window, TWndMethod handler) {
    Remove();
    if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
    handler_ = handler;
    // The comctl32 subclass chain keeps the order of every binding on the window, so removal in any order
    // leaves the others working.
    if (!SetWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    return true;
}

void TWindowSubclass::Remove() noexcept {
    if (!window_) return;
    RemoveWindowSubclass(window_, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

void TWindowSubclass::CallPrevious(TMessage& message) const {
    // Also after Remove inside the handler (WM_NCDESTROY): the chain still knows the window.
    auto* self = const_cast<TWindowSubclass*>(this);
    self->calledPrevious_ = true;
    HWND window = window_ ? window_ : message.Window;
    message.Result = DefSubclassProc(window, message.Msg, message.WParam, message.LParam);
}

LRESULT CALLBACK TWindowSubclass::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR data) {
    auto* self = reinterpret_cast<TWindowSubclass*>(data);
    TMessage message{msg, wParam, lParam, 0, window};
    const bool outerCalledPrevious = self->calledPrevious_;
    self->calledPrevious_ = false;
    ContainExceptions(
        "bound window procedure",
        [&] {
            const TWndMethod handler = self->handler_;
            handler(message);
        },
        [&] {
            TellOnException(window, msg);
            if (!self->calledPrevious_) message.Result = DefSubclassProc(window, msg, wParam, lParam);
        });
    self->calledPrevious_ = outerCalledPrevious;
    if (msg == WM_NCDESTROY && self->window_ == window) {
        // The window is gone: whatever the handler did, the binding ends with it.
        RemoveWindowSubclass(window, &TWindowSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(self));
        self->window_ = nullptr;
    }
    return message.Result;
}

} // namespace gui
