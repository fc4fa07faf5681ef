// Owners of GDI and USER handles: each releases its handle with the right call on every path, exceptions
// included, so a leak needs a deliberate release().
#pragma once

#include <windows.h>

#include <utility>

namespace gui {

template <class Handle, class Deleter>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (handle_) Deleter{}(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct WindowDeleter {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct HookDeleter {
    void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
};

// A GDI object released with DeleteObject.
template <class Handle>
using UniqueGdi = UniqueHandle<Handle, GdiObjectDeleter>;
using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniquePen = UniqueGdi<HPEN>;
// A memory device context released with DeleteDC.
using UniqueDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;
using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueHook = UniqueHandle<HHOOK, HookDeleter>;

// A device context of a window (or of the screen, for a null window) released with ReleaseDC.
// WholeWindow selects GetWindowDC (non-client area included) over GetDC.
class WindowDc {
public:
    enum Area { ClientArea, WholeWindow };

    explicit WindowDc(HWND window, Area area = ClientArea) noexcept
        : window_(window), dc_(area == WholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for the lifetime of this owner and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace gui
