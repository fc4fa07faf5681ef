// Reads every system message box of this thread as it appears, and closes it at once with OK, so tests of
// code that shows errors run without anyone at the screen.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

struct MessageBoxSeen {
    int count = 0;
    std::wstring caption, text; // of the last box
    HWND owner = nullptr;
    bool watchedWindowEnabled = true; // was the watched window enabled while the box was up?
};

class MessageBoxCloser {
  public:
    // watched: a window whose enabled state is recorded while a box is up (optional).
    explicit MessageBoxCloser(HWND watched = nullptr) {
        instance_ = this;
        watched_ = watched;
        hook_ = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;
    ~MessageBoxCloser() {
        UnhookWindowsHookEx(hook_);
        instance_ = nullptr;
    }

    void Watch(HWND window) { watched_ = window; }
    MessageBoxSeen seen;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        MessageBoxCloser* self = instance_;
        if (self && code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            wchar_t buffer[512] = {};
            GetClassNameW(window, buffer, 512);
            if (std::wstring(buffer) == L"#32770") {
                ++self->seen.count;
                GetWindowTextW(window, buffer, 512);
                self->seen.caption = buffer;
                GetDlgItemTextW(window, 0xFFFF, buffer, 512);
                self->seen.text = buffer;
                self->seen.owner = GetWindow(window, GW_OWNER);
                self->seen.watchedWindowEnabled = !self->watched_ || IsWindowEnabled(self->watched_);
                PostMessageW(window, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
    }

    static inline MessageBoxCloser* instance_ = nullptr;
    HHOOK hook_ = nullptr;
    HWND watched_ = nullptr;
};

} // namespace testing_support
