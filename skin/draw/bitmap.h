// The bitmap type of the skin engine: 32 bits per pixel, each pixel a Pixel 0x00RRGGBB (bytes B, G, R, X
// in memory), rows top-down and packed (the row stride is the width). The layout never changes, so pixel
// loops can run over scanline(y) and the Windows edge can hand rows straight to a top-down 32-bit DIB.
//
// A 0 x 0 bitmap is valid and means "no image" to the painters.
//
// The pixel memory lives in a PixelBuffer. The default one is plain heap memory; the Windows edge swaps in
// a DIB section when a bitmap must be selected into a device context (GDI text onto off-screen images), and
// resizing keeps the kind of buffer a bitmap has.
#pragma once

#include "skin/draw/colour.h"
#include "skin/draw/geometry.h"

#include <cstddef>
#include <memory>
#include <span>

namespace skin {

// Owner of the pixel memory of one bitmap: width * height Pixels.
class PixelBuffer {
  public:
    virtual ~PixelBuffer() = default;
    virtual Pixel* data() noexcept = 0;
};

// Makes pixel buffers of one kind. Allocators are long-lived objects (one per kind, never freed while
// bitmaps use them); a bitmap keeps a pointer to the one that made its buffer.
class PixelAllocator {
  public:
    // A zero-filled buffer of width * height pixels (both > 0). Raises an rtl::Exception on failure.
    virtual std::unique_ptr<PixelBuffer> make(int width, int height) const = 0;

  protected:
    ~PixelAllocator() = default;
};

// The allocator of plain heap memory, the default of every bitmap.
const PixelAllocator& HeapPixelAllocator() noexcept;

class Bitmap {
  public:
    // Largest number of pixels a bitmap may hold (1 GiB of pixels); larger sizes are refused.
    static constexpr std::size_t kMaxPixels = std::size_t{1} << 28;

    Bitmap() noexcept = default;
    // A bitmap of the given size, every pixel set to fill. Raises rtl::Exception for a negative size or one
    // above kMaxPixels.
    Bitmap(int width, int height, Pixel fill = 0);
    // A zero-filled bitmap whose buffers come from the given allocator.
    Bitmap(const PixelAllocator& allocator, int width, int height);

    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap() = default;

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    bool empty() const noexcept { return width_ == 0 || height_ == 0; }
    Rect bounds() const noexcept { return {0, 0, width_, height_}; }

    // Row y (0 = top) as width() pixels. y must be in range.
    Pixel* scanline(int y) noexcept { return data_ + static_cast<std::ptrdiff_t>(y) * width_; }
    const Pixel* scanline(int y) const noexcept { return data_ + static_cast<std::ptrdiff_t>(y) * width_; }
    std::span<Pixel> pixels() noexcept { return {data_, pixel_count()}; }
    std::span<const Pixel> pixels() const noexcept { return {data_, pixel_count()}; }

    Pixel pixel(int x, int y) const noexcept { return scanline(y)[x]; }
    void set_pixel(int x, int y, Pixel p) noexcept { scanline(y)[x] = p; }
    bool contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Changes the size. The pixels of the area the old and the new size share stay where they are (top
    // left); pixels new to the bitmap are 0 (black). Setting the current size changes nothing; setting
    // a size with a zero side makes the bitmap empty.
    void set_size(int width, int height);
    void fill(Pixel p) noexcept;

    // The buffer holding the pixels (null for an empty bitmap) and the allocator the bitmap uses.
    PixelBuffer* buffer() noexcept { return buffer_.get(); }
    const PixelAllocator& allocator() const noexcept { return *allocator_; }
    // Moves the pixels into a buffer of another kind and keeps that kind for later resizes and copies.
    // Used by the Windows edge to put a bitmap into a DIB section.
    void rehome(const PixelAllocator& allocator);

    friend bool operator==(const Bitmap& a, const Bitmap& b) noexcept;

  private:
    std::size_t pixel_count() const noexcept {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    }
    void adopt(std::unique_ptr<PixelBuffer> buffer, int width, int height) noexcept;

    const PixelAllocator* allocator_ = &HeapPixelAllocator();
    std::unique_ptr<PixelBuffer> buffer_;
    Pixel* data_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// Checks a size a bitmap is asked to take; raises rtl::Exception with the size in the message.
void CheckBitmapSize(int width, int height);

} // namespace skin
