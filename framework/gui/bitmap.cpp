#include "framework/gui/bitmap.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/property_builders.h"

#include <cstring>
#include <string>

namespace gui {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

[[noreturn]] void Damaged(const std::string& what) {
    throw rtl::Exception("bitmap data: " + what);
}

} // namespace

const rtl::TClassInfo& TBitmap::StaticClassInfo() {
    using namespace rtl;
    static const TClassInfo info{"TBitmap",
                                 &TPersistent::StaticClassInfo(),
                                 {
                                     BinaryProperty("Data", &TBitmap::LoadFromBmpBytes),
                                 }};
    return info;
}

void TBitmap::Clear() {
    handle_.reset();
    width_ = height_ = 0;
    if (OnChange) OnChange();
}

void TBitmap::LoadFromBmpBytes(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return Clear();
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) Damaged("shorter than the BMP headers");
    if (bytes[0] != 'B' || bytes[1] != 'M') Damaged("no BMP signature");
    const std::uint32_t bitsOffset = ReadU32(bytes, 10);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, bytes.data() + kFileHeaderSize, kInfoHeaderSize);
    if (header.biSize < kInfoHeaderSize) Damaged("unknown header size " + std::to_string(header.biSize));
    if (header.biCompression != BI_RGB) Damaged("compressed pixels are not supported");
    const int bitCount = header.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        Damaged("unsupported " + std::to_string(bitCount) + " bits per pixel");
    }
    const std::int64_t width = header.biWidth;
    const std::int64_t height = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000) {
        Damaged("size " + std::to_string(width) + " x " + std::to_string(height));
    }
    std::uint64_t colours = 0;
    if (bitCount <= 8) colours = header.biClrUsed ? header.biClrUsed : (1u << bitCount);
    if (colours > 256) Damaged(std::to_string(colours) + " palette colours");
    const std::uint64_t infoSize = std::uint64_t{header.biSize} + colours * sizeof(RGBQUAD);
    const std::uint64_t stride =
        ((static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount) + 31) / 32) * 4;
    if (kFileHeaderSize + infoSize > bytes.size()) Damaged("palette truncated");
    if (bitsOffset < kFileHeaderSize + infoSize ||
        bitsOffset + stride * static_cast<std::uint64_t>(height) > bytes.size()) {
        Damaged("pixels truncated");
    }
    const WindowDc screen(nullptr);
    UniqueBitmap bitmap(
        CreateCompatibleBitmap(screen.get(), static_cast<int>(width), static_cast<int>(height)));
    if (!bitmap)
        Damaged("cannot create a bitmap of " + std::to_string(width) + " x " + std::to_string(height));
    // The header sits unaligned in the byte buffer: SetDIBits gets an aligned copy.
    std::vector<std::uint8_t> infoCopy(bytes.data() + kFileHeaderSize,
                                       bytes.data() + kFileHeaderSize + infoSize);
    if (SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(height), bytes.data() + bitsOffset,
                  reinterpret_cast<const BITMAPINFO*>(infoCopy.data()), DIB_RGB_COLORS) == 0) {
        Damaged("the pixels cannot be read");
    }
    handle_ = std::move(bitmap);
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    if (OnChange) OnChange();
}

} // namespace gui
