// A bitmap read from Windows BMP data, the way stored form data carries pictures (a button's glyph):
// "Glyph.Data = <424d...>" holds the bytes of a BMP file.
#pragma once

#include "framework/gui/handles.h"
#include "framework/rtl/component.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace gui {

class TBitmap : public rtl::TPersistent {
  public:
    static const rtl::TClassInfo& StaticClassInfo();
    const rtl::TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Reads the bytes of a BMP file (uncompressed, 1 to 32 bits per pixel); empty bytes empty the bitmap.
    // Damaged data raises an error saying what is wrong and leaves the bitmap as it was.
    void LoadFromBmpBytes(const std::vector<std::uint8_t>& bytes);
    void Clear();

    bool Empty() const { return !handle_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // A device-dependent bitmap; null when empty. The bitmap keeps it.
    HBITMAP Handle() const { return handle_.get(); }

    std::function<void()> OnChange;

  private:
    UniqueBitmap handle_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace gui
