// Owners of GDI handles: each releases its handle with the right call on every path, exceptions
// included, so a leak needs a deliberate release().
#pragma once

#include <windows.h>

#include <utility>

namespace skin::win {

// A GDI object released with DeleteObject.
template <typename Handle>
class UniqueGdi {
public:
    UniqueGdi() noexcept = default;
    explicit UniqueGdi(Handle h) noexcept : handle_(h) {}
    UniqueGdi(UniqueGdi&& other) noexcept : handle_(other.release()) {}
    UniqueGdi& operator=(UniqueGdi&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueGdi(const UniqueGdi&) = delete;
    UniqueGdi& operator=(const UniqueGdi&) = delete;
    ~UniqueGdi() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle h = nullptr) noexcept {
        if (handle_ != nullptr) DeleteObject(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = nullptr;
};

using UniqueBitmap = UniqueGdi<HBITMAP>;
using UniqueRegion = UniqueGdi<HRGN>;
using UniqueBrush = UniqueGdi<HBRUSH>;
using UniqueFont = UniqueGdi<HFONT>;
using UniquePen = UniqueGdi<HPEN>;

// A memory device context released with DeleteDC.
class UniqueDc {
public:
    UniqueDc() noexcept = default;
    explicit UniqueDc(HDC dc) noexcept : dc_(dc) {}
    UniqueDc(UniqueDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    UniqueDc& operator=(UniqueDc&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    UniqueDc(const UniqueDc&) = delete;
    UniqueDc& operator=(const UniqueDc&) = delete;
    ~UniqueDc() { reset(); }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void reset() noexcept {
        if (dc_ != nullptr) DeleteDC(dc_);
        dc_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
};

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
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
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
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace skin::win
