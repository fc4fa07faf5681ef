#include "skin/draw/bitmap.h"

#include "framework/rtl/exceptions.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace skin {
namespace {

// Painters make and drop window-sized bitmaps on every paint. Fresh large blocks cost page faults each
// time (on some systems far more than clearing the memory), so a few large freed blocks are kept for
// reuse. Only the user-interface thread paints, but the lock keeps other threads safe.
class BlockPool {
  public:
    static constexpr std::size_t kMinPooledPixels = std::size_t{1} << 16;
    static constexpr std::size_t kMaxBlocks = 4;

    std::vector<Pixel> take(std::size_t count) {
        if (count >= kMinPooledPixels) {
            const std::lock_guard lock(mutex_);
            for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
                // A block much larger than needed would keep its memory in use for a small bitmap.
                if (it->capacity() >= count && it->capacity() <= 2 * count) {
                    std::vector<Pixel> block = std::move(*it);
                    blocks_.erase(it);
                    block.assign(count, 0);
                    return block;
                }
            }
        }
        return std::vector<Pixel>(count, 0);
    }

    void give(std::vector<Pixel>&& block) noexcept {
        if (block.capacity() < kMinPooledPixels) return;
        const std::lock_guard lock(mutex_);
        if (blocks_.size() == kMaxBlocks) blocks_.erase(blocks_.begin());
        blocks_.push_back(std::move(block));
    }

  private:
    std::mutex mutex_;
    std::vector<std::vector<Pixel>> blocks_;
};

// Never destroyed: bitmaps with static storage may give their block back
// during static finalisation, after a pool object would already be gone.
BlockPool& Pool() {
    static BlockPool* const pool = new BlockPool;
    return *pool;
}

class HeapPixelBuffer final : public PixelBuffer {
  public:
    explicit HeapPixelBuffer(std::size_t count) : pixels_(Pool().take(count)) {}
    ~HeapPixelBuffer() override { Pool().give(std::move(pixels_)); }
    HeapPixelBuffer(const HeapPixelBuffer&) = delete;
    HeapPixelBuffer& operator=(const HeapPixelBuffer&) = delete;
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

const PixelAllocator& HeapPixelAllocator() noexcept {
    return kHeapAllocator;
}

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

void Bitmap::fill(Pixel p) noexcept {
    std::fill(pixels().begin(), pixels().end(), p);
}

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
    return a.width_ == b.width_ && a.height_ == b.height_ &&
           std::equal(a.pixels().begin(), a.pixels().end(), b.pixels().begin());
}

} // namespace skin
