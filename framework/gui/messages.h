// The message record of the replaceable message method, and the framework's private messages.
#pragma once

#include <windows.h>

namespace gui {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
    HWND Window = nullptr; // the window the message came to, where there is one
};

// A control's message method: an object and one of its member functions. The framework delivers every
// message of the control to it; the skinning engine replaces it and gives the previous one back (see
// hooks.h). Unlike a std::function it can be compared, so whoever gives a method back can tell whether
// the one installed now is still its own.
class TWndMethod {
  public:
    TWndMethod() noexcept = default;

    // The method Member of object: TWndMethod::Of<&TMyClass::MyHandler>(this).
    template <auto Member, class T> static TWndMethod Of(T* object) noexcept {
        return TWndMethod(
            object, [](void* target, TMessage& message) { (static_cast<T*>(target)->*Member)(message); });
    }

    void operator()(TMessage& message) const { invoke_(object_, message); }
    explicit operator bool() const noexcept { return invoke_ != nullptr; }
    const void* Object() const noexcept { return object_; }

    friend bool operator==(const TWndMethod& a, const TWndMethod& b) noexcept {
        return a.object_ == b.object_ && a.invoke_ == b.invoke_;
    }

  private:
    using Invoker = void (*)(void*, TMessage&);
    TWndMethod(void* object, Invoker invoke) noexcept : object_(object), invoke_(invoke) {}

    void* object_ = nullptr;
    Invoker invoke_ = nullptr;
};

// Framework notifications. The skinning engine's own messages use 0x3401..0x3504; these stay clear of them.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
// A check box's or radio button's check state changed (by a click or by the program).
constexpr UINT CM_CHECKSTATECHANGED = CM_BASE + 27;
// A window-less control is being destroyed: the last message its message method gets, as a windowed
// control's gets WM_NCDESTROY, so that whoever hooked it can give the method back.
constexpr UINT CM_GRAPHICDESTROYING = CM_BASE + 33;
// A check box's or radio button's pushed look changed (BM_SETSTATE): the system control has already drawn
// it, outside WM_PAINT, so whoever paints over the control draws again.
constexpr UINT CM_BUTTONSTATECHANGED = CM_BASE + 208;

// Notifications a parent reflects back to the child control that sent them: CN_BASE + the original message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

} // namespace gui
