#include "skin/draw/win/bitmap_dc.h"

#include "framework/rtl/exceptions.h"

#include <string>

namespace skin::win {
namespace {

BITMAPINFO TopDownInfo(int width, int height) noexcept {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: rows top-down, as in Bitmap
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

class DibPixelBuffer final : public PixelBuffer {
  public:
    DibPixelBuffer(UniqueBitmap dib, Pixel* bits) noexcept : dib_(std::move(dib)), bits_(bits) {}
    Pixel* data() noexcept override { return bits_; }
    HBITMAP handle() const noexcept { return dib_.get(); }

  private:
    UniqueBitmap dib_;
    Pixel* bits_;
};

class DibAllocator final : public PixelAllocator {
  public:
    std::unique_ptr<PixelBuffer> make(int width, int height) const override {
        const BITMAPINFO info = TopDownInfo(width, height);
        void* bits = nullptr;
        UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dib || bits == nullptr) {
            throw rtl::Exception("cannot create a DIB section of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " (error " + std::to_string(GetLastError()) + ")");
        }
        // A new DIB section is zero-filled by the system, as the allocator contract asks.
        return std::make_unique<DibPixelBuffer>(std::move(dib), static_cast<Pixel*>(bits));
    }
};

const DibAllocator kDibAllocator;

} // namespace

const PixelAllocator& DibPixelAllocator() noexcept {
    return kDibAllocator;
}

HBITMAP DibHandle(Bitmap& bitmap) {
    if (bitmap.empty()) return nullptr;
    bitmap.rehome(kDibAllocator);
    return static_cast<DibPixelBuffer*>(bitmap.buffer())->handle();
}

BitmapDc::BitmapDc(Bitmap& bitmap) : dc_(CreateCompatibleDC(nullptr)) {
    if (!dc_)
        throw rtl::Exception("cannot create a memory device context (error " +
                             std::to_string(GetLastError()) + ")");
    if (HBITMAP dib = DibHandle(bitmap)) previous_ = SelectObject(dc_.get(), dib);
    SetStretchBltMode(dc_.get(), COLORONCOLOR);
}

BitmapDc::~BitmapDc() {
    GdiFlush();
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_.get(), previous_);
}

void CopyToDc(HDC dc, int x, int y, const Bitmap& bitmap, const Rect& srcRect) {
    const Rect r = Intersect(srcRect, bitmap.bounds());
    if (r.IsEmpty()) return;
    // Hand over exactly the rows of the rectangle as a top-down image of their own, so no source
    // y-coordinate convention is involved.
    const BITMAPINFO info = TopDownInfo(bitmap.width(), r.Height());
    SetDIBitsToDevice(dc, x + (r.Left - srcRect.Left), y + (r.Top - srcRect.Top),
                      static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()), r.Left, 0, 0,
                      static_cast<UINT>(r.Height()), bitmap.scanline(r.Top), &info, DIB_RGB_COLORS);
}

void CopyFromDc(Bitmap& bitmap, Point at, HDC dc, const Rect& srcRect) {
    BitmapDc target(bitmap);
    BitBlt(target.get(), at.X, at.Y, srcRect.Width(), srcRect.Height(), dc, srcRect.Left, srcRect.Top,
           SRCCOPY);
}

} // namespace skin::win
