#include "skin/draw/bitmap.h"

#include "framework/rtl/exceptions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace skin {
namespace {

class HeapPixelBuffer final : public PixelBuffer {
public:
    explicit HeapPixelBuffer(std::size_t count) : pixels_(count, 0) {}
    Pixel* data() noexcept override { return pixels_.data(); }

private:
    std::vector<Pixel> pixels_;
};

class HeapAllocator final : public PixelAllocator {
public:
    std::unique_ptr<PixelBuffer> make(int width, int height) const override {
        return std::make_unique<HeapPixelBuffer>(static_cast<std::size_t>(width) *
                                                 static_cast<std::size_t>(height));
    }
};

const HeapAllocator kHeapAllocator;

} // namespace

const PixelAllocator& HeapPixelAllocator() noexcept { return kHeapAllocator; }

void CheckBitmapSize(int width, int height) {
    if (width < 0 || height < 0 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > Bitmap::kMaxPixels) {
        throw rtl::Exception("bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                             " is not possible");
    }
}

Bitmap::Bitmap(int width, int height, Pixel fill_value) {
    set_size(width, height);
    if (fill_value != 0) fill(fill_value);
}

Bitmap::Bitmap(const PixelAllocator& allocator, int width, int height) : allocator_(&allocator) {
    set_size(width, height);
}

Bitmap::Bitmap(const Bitmap& other) : allocator_(other.allocator_) {
    if (!other.empty()) {
        adopt(allocator_->make(other.width_, other.height_), other.width_, other.height_);
        std::copy(other.pixels().begin(), other.pixels().end(), data_);
    }
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        Bitmap copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : allocator_(other.allocator_), buffer_(std::move(other.buffer_)), data_(other.data_),
      width_(other.width_), height_(other.height_) {
    other.data_ = nullptr;
    other.width_ = other.height_ = 0;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        allocator_ = other.allocator_;
        buffer_ = std::move(other.buffer_);
        data_ = other.data_;
        width_ = other.width_;
        height_ = other.height_;
        other.data_ = nullptr;
        other.width_ = other.height_ = 0;
    }
    return *this;
}

void Bitmap::adopt(std::unique_ptr<PixelBuffer> buffer, int width, int height) noexcept {
    buffer_ = std::move(buffer);
    data_ = buffer_ ? buffer_->data() : nullptr;
    width_ = buffer_ ? width : 0;
    height_ = buffer_ ? height : 0;
}

void Bitmap::set_size(int width, int height) {
    CheckBitmapSize(width, height);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        adopt(nullptr, 0, 0);
        return;
    }
    std::unique_ptr<PixelBuffer> buffer = allocator_->make(width, height);
    Pixel* target = buffer->data();
    const int keep_width = std::min(width, width_);
    const int keep_height = std::min(height, height_);
    for (int y = 0; y < keep_height; ++y) {
        std::copy_n(scanline(y), keep_width, target + static_cast<std::ptrdiff_t>(y) * width);
    }
    adopt(std::move(buffer), width, height);
}

void Bitmap::fill(Pixel p) noexcept { std::fill(pixels().begin(), pixels().end(), p); }

void Bitmap::rehome(const PixelAllocator& allocator) {
    if (&allocator == allocator_) return;
    if (!empty()) {
        std::unique_ptr<PixelBuffer> buffer = allocator.make(width_, height_);
        std::copy(pixels().begin(), pixels().end(), buffer->data());
        adopt(std::move(buffer), width_, height_);
    }
    allocator_ = &allocator;
}

bool operator==(const Bitmap& a, const Bitmap& b) noexcept {
    return a.width_ == b.width_ && a.height_ == b.height_ && std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin());
}

} // namespace skin
