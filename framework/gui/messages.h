// The message record of the replaceable message method, and the framework's private messages.
#pragma once

#include <windows.h>

#include <functional>

namespace gui {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A control's message method: the framework delivers every message of the control to it, and the skinning
// engine replaces it and gives the previous one back.
using TWndMethod = std::function<void(TMessage&)>;

// Framework notifications. The skinning engine's own messages use 0x3401..0x3504; these stay clear of them.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;

// Notifications a parent reflects back to the child control that sent them: CN_BASE + the original message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

} // namespace gui
