// Binds a window procedure to an object: the object's handler sees every message of the window first and
// hands what it does not take to the procedure that was there before (CallPrevious). Any window of this
// thread can be bound (framework forms, message boxes, system controls, menu windows), several objects to
// one window, and they may be removed in any order.
//
// The bindings of a window are kept in a table of the window's thread, not in a window property: a
// property is read by a round trip to the window server on some systems, and every message of every
// skinned window passes here.
//
// Exceptions never leave the handler into the system's frames: they are caught, passed to OnException
// (which does nothing unless set) and the message is answered as the previous procedure would answer it
// when the handler had not yet called it. No message box is opened from here: a skinning painter fails
// silently rather than open a modal box inside WM_NCPAINT.
#pragma once

#include "framework/gui/messages.h"

#include <windows.h>

#include <exception>
#include <functional>

namespace gui {

class TWindowSubclass {
  public:
    TWindowSubclass() noexcept = default;
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;
    ~TWindowSubclass() { Remove(); }

    // Starts routing window's messages to handler; false when the window does not exist or is another
    // thread's. A binding to another window is removed first.
    bool Install(HWND window, TWndMethod handler);
    // Gives the window its previous procedure back; nothing when not installed. Done by itself once the
    // window has handled WM_NCDESTROY.
    void Remove() noexcept;

    bool Installed() const noexcept { return window_ != nullptr; }
    HWND Window() const noexcept { return window_; }
    // The previous procedure's answer to message; sets message.Result.
    void CallPrevious(TMessage& message) const;

    // Called with every exception a handler lets out, then swallowed. Process-wide; for diagnostics.
    static std::function<void(HWND window, UINT msg, const std::exception* error)> OnException;

    // For the window's chain of bindings (subclass.cpp).
    LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Forget() noexcept { window_ = nullptr; }

  private:
    HWND window_ = nullptr;
    TWndMethod handler_;
    bool calledPrevious_ = false; // the handler already passed the current message on
};

} // namespace gui
