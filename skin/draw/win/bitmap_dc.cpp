#include "skin/draw/win/bitmap_dc.h"

#include "framework/rtl/exceptions.h"

#include <algorithm>
#include <string>
#include <vector>

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

// DIB sections given back, for the next bitmap of the same size: painters make short-lived bitmaps of the
// same few sizes on every paint, and making and freeing a DIB section costs more than clearing one. Bounded
// (a handful of sections, none large); the sections waiting here are no owner's, so they are not counted
// among the live handles. Freed when the thread ends; t_spareDibsGone is set then, so bitmaps that outlive
// them (statics, at exit) free their own.
thread_local bool t_spareDibsGone = false;

class SpareDibs {
  public:
    ~SpareDibs() {
        t_spareDibsGone = true;
        for (const Spare& spare : spares_)
            DeleteObject(spare.dib);
    }

    // A spare section of exactly width x height, zero-filled, or none.
    UniqueBitmap Take(int width, int height, Pixel*& bits) {
        for (auto it = spares_.begin(); it != spares_.end(); ++it) {
            if (it->width != width || it->height != height) continue;
            UniqueBitmap dib(it->dib);
            bits = it->bits;
            spares_.erase(it);
            std::fill_n(bits, static_cast<std::size_t>(width) * static_cast<std::size_t>(height), Pixel{});
            return dib;
        }
        return UniqueBitmap();
    }

    void Give(UniqueBitmap dib, Pixel* bits, int width, int height) {
        if (static_cast<long long>(width) * height > kLargestKept) return; // freed by its owner
        if (spares_.size() == kSparesKept) {
            DeleteObject(spares_.front().dib);
            spares_.erase(spares_.begin());
        }
        spares_.push_back(Spare{dib.release(), bits, width, height});
    }

  private:
    static constexpr std::size_t kSparesKept = 8;
    static constexpr long long kLargestKept = 256 * 1024; // pixels: 1 MiB
    struct Spare {
        HBITMAP dib;
        Pixel* bits;
        int width, height;
    };
    std::vector<Spare> spares_;
};

thread_local SpareDibs t_spareDibs;

class DibPixelBuffer final : public PixelBuffer {
  public:
    DibPixelBuffer(UniqueBitmap dib, Pixel* bits, int width, int height) noexcept
        : dib_(std::move(dib)), bits_(bits), width_(width), height_(height) {}
    ~DibPixelBuffer() override {
        if (!t_spareDibsGone) t_spareDibs.Give(std::move(dib_), bits_, width_, height_);
    }
    Pixel* data() noexcept override { return bits_; }
    HBITMAP handle() const noexcept { return dib_.get(); }

  private:
    UniqueBitmap dib_;
    Pixel* bits_;
    int width_, height_;
};

class DibAllocator final : public PixelAllocator {
  public:
    std::unique_ptr<PixelBuffer> make(int width, int height) const override {
        Pixel* spareBits = nullptr;
        if (UniqueBitmap spare =
                t_spareDibsGone ? UniqueBitmap() : t_spareDibs.Take(width, height, spareBits))
            return std::make_unique<DibPixelBuffer>(std::move(spare), spareBits, width, height);
        const BITMAPINFO info = TopDownInfo(width, height);
        void* bits = nullptr;
        UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!dib || bits == nullptr) {
            throw rtl::Exception("cannot create a DIB section of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " (error " + std::to_string(GetLastError()) + ")");
        }
        // A new DIB section is zero-filled by the system, as the allocator contract asks.
        return std::make_unique<DibPixelBuffer>(std::move(dib), static_cast<Pixel*>(bits), width, height);
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

BitmapDc::BitmapDc(Bitmap& bitmap) : owned_(CreateCompatibleDC(nullptr)), dc_(owned_.get()) {
    if (!dc_)
        throw rtl::Exception("cannot create a memory device context (error " +
                             std::to_string(GetLastError()) + ")");
    Select(bitmap);
}

BitmapDc::BitmapDc(HDC memoryDc, Bitmap& bitmap) : dc_(memoryDc) {
    if (!dc_) throw rtl::Exception("no memory device context to draw on");
    Select(bitmap);
}

void BitmapDc::Select(Bitmap& bitmap) {
    if (HBITMAP dib = DibHandle(bitmap)) previous_ = SelectObject(dc_, dib);
    SetStretchBltMode(dc_, COLORONCOLOR);
}

BitmapDc::~BitmapDc() {
    GdiFlush();
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
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
