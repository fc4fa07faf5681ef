// Owners of GDI and USER handles: each releases its handle with the right call on every path, exceptions
// included, so a leak needs a deliberate release().
#pragma once

#include <windows.h>

#include <utility>

namespace gui {

// How many handles the owners below hold right now, GDI and USER apart. Under Wine GetGuiResources always
// answers 0, so leak tests count what our own code created instead. One thread, no locks.
struct LiveHandleCounts {
    long Gdi = 0;
    long User = 0;
};
inline LiveHandleCounts& LiveHandles() noexcept {
    static LiveHandleCounts counts;
    return counts;
}
enum class HandleKind { Gdi, User };
template <HandleKind Kind> inline void CountHandle(long change) noexcept {
    (Kind == HandleKind::Gdi ? LiveHandles().Gdi : LiveHandles().User) += change;
}

template <class Handle, class Deleter> class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {
        if (handle_) CountHandle<Deleter::kKind>(+1);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept {
        if (handle_) CountHandle<Deleter::kKind>(-1);
        return std::exchange(handle_, nullptr);
    }
    void reset(Handle handle = nullptr) noexcept {
        if (handle_) {
            Deleter{}(handle_);
            CountHandle<Deleter::kKind>(-1);
        }
        handle_ = handle;
        if (handle_) CountHandle<Deleter::kKind>(+1);
    }

  private:
    Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
    static constexpr HandleKind kKind = HandleKind::Gdi;
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MemoryDcDeleter {
    static constexpr HandleKind kKind = HandleKind::Gdi;
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct MenuDeleter {
    static constexpr HandleKind kKind = HandleKind::User;
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct WindowDeleter {
    static constexpr HandleKind kKind = HandleKind::User;
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct IconDeleter {
    static constexpr HandleKind kKind = HandleKind::User;
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct HookDeleter {
    static constexpr HandleKind kKind = HandleKind::User;
    void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
};

// A GDI object released with DeleteObject.
template <class Handle> using UniqueGdi = UniqueHandle<Handle, GdiObjectDeleter>;
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
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;

// A device context of a window (or of the screen, for a null window) released with ReleaseDC.
// WholeWindow selects GetWindowDC (non-client area included) over GetDC.
class WindowDc {
  public:
    enum Area { ClientArea, WholeWindow };

    explicit WindowDc(HWND window, Area area = ClientArea) noexcept
        : window_(window), dc_(area == WholeWindow ? GetWindowDC(window) : GetDC(window)) {
        if (dc_) CountHandle<HandleKind::Gdi>(+1);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
            CountHandle<HandleKind::Gdi>(-1);
        }
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

// BeginPaint's device context for a window, given back by EndPaint on every path.
class PaintDc {
  public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() {
        if (dc_) EndPaint(window_, &paint_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    // Nothing of the client area was left to paint (someone painted and validated it first).
    bool NothingToPaint() const noexcept { return IsRectEmpty(&paint_.rcPaint) != FALSE; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A device context's whole state (clipping, origin, selected objects), saved now and restored when this
// owner ends.
class SavedDc {
  public:
    SavedDc() noexcept = default;
    explicit SavedDc(HDC dc) noexcept : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    SavedDc(SavedDc&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), saved_(std::exchange(other.saved_, 0)) {}
    SavedDc& operator=(SavedDc&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
            saved_ = std::exchange(other.saved_, 0);
        }
        return *this;
    }
    ~SavedDc() { reset(); }

    // Restores the saved state now.
    void reset() noexcept {
        if (saved_) RestoreDC(dc_, saved_);
        dc_ = nullptr;
        saved_ = 0;
    }

  private:
    HDC dc_ = nullptr;
    int saved_ = 0;
};

// Gives up the mouse capture when window has it; a capture another window took meanwhile stays.
inline void ReleaseMouseCaptureOf(HWND window) noexcept {
    if (window && GetCapture() == window) ReleaseCapture();
}

// The mouse captured for a window for the lifetime of this owner.
class MouseCapture {
  public:
    explicit MouseCapture(HWND window) noexcept : window_(window) { SetCapture(window); }
    MouseCapture(const MouseCapture&) = delete;
    MouseCapture& operator=(const MouseCapture&) = delete;
    ~MouseCapture() { ReleaseMouseCaptureOf(window_); }

  private:
    HWND window_;
};

} // namespace gui
