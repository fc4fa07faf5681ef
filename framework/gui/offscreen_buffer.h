// Off-screen drawing surfaces kept between paints: a double-buffered paint borrows one instead of making a
// device context and a bitmap and freeing them again each time. Surfaces grow to the largest size asked
// for and stay until the thread ends; a paint inside a paint borrows a surface of its own.
#pragma once

#include "framework/gui/handles.h"

#include <windows.h>

namespace gui {

class BorrowedBuffer {
  public:
    // A memory device context whose bitmap is at least width x height, black, in the device context's
    // default state. Empty (false) when no surface could be made.
    BorrowedBuffer(int width, int height);
    BorrowedBuffer(const BorrowedBuffer&) = delete;
    BorrowedBuffer& operator=(const BorrowedBuffer&) = delete;
    // Gives the surface back with whatever the painter selected or clipped undone.
    ~BorrowedBuffer();

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    struct Surface; // one kept surface, private to the implementation

  private:
    Surface* surface_ = nullptr;
    HDC dc_ = nullptr;
    int savedState_ = 0;
};

} // namespace gui
