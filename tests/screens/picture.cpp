#include "tests/screens/picture.h"

#include <stdexcept>

namespace screens {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kDifferenceColour = 0xFF0000;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::size_t RowBytes(int width, int bytesPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel) + 3) / 4 * 4;
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const Picture& picture) {
    const std::size_t rowBytes = RowBytes(picture.width, 3);
    const std::size_t dataSize = rowBytes * static_cast<std::size_t>(picture.height);
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + dataSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + dataSize));
    Put32(out, 0);
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(picture.width));
    Put32(out, static_cast<std::uint32_t>(picture.height));
    Put16(out, 1);                          // planes
    Put16(out, 24);                         // bits per pixel
    for (int field = 0; field < 6; ++field) // no compression, then sizes and palette counts left zero
        Put32(out, 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[start + static_cast<std::size_t>(x)];
            out.push_back(static_cast<std::uint8_t>(pixel));
            out.push_back(static_cast<std::uint8_t>(pixel >> 8));
            out.push_back(static_cast<std::uint8_t>(pixel >> 16));
        }
        out.resize(out.size() + rowBytes - static_cast<std::size_t>(picture.width) * 3, 0);
    }
    return out;
}

Picture DecodeBmp(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        throw std::runtime_error("not a BMP file");
    const std::uint32_t dataOffset = Get32(bytes, 10);
    const auto width = static_cast<std::int32_t>(Get32(bytes, 18));
    const auto signedHeight = static_cast<std::int32_t>(Get32(bytes, 22));
    const int bitsPerPixel = bytes[28] | (bytes[29] << 8);
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::runtime_error("BMP with " + std::to_string(bitsPerPixel) + " bits per pixel");
    Picture picture;
    picture.width = width;
    picture.height = signedHeight < 0 ? -signedHeight : signedHeight;
    const int bytesPerPixel = bitsPerPixel / 8;
    const std::size_t rowBytes = RowBytes(width, bytesPerPixel);
    if (width <= 0 || dataOffset + rowBytes * static_cast<std::size_t>(picture.height) > bytes.size())
        throw std::runtime_error("BMP of " + std::to_string(width) + " x " + std::to_string(picture.height) +
                                 " cut short at " + std::to_string(bytes.size()) + " bytes");
    picture.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const int stored = signedHeight < 0 ? y : picture.height - 1 - y;
        const std::size_t row = dataOffset + static_cast<std::size_t>(stored) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const std::size_t at =
                row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bytesPerPixel);
            picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)] =
                bytes[at] | (bytes[at + 1] << 8) | (static_cast<std::uint32_t>(bytes[at + 2]) << 16);
        }
    }
    return picture;
}

int CountDifferentPixels(const Picture& expected, const Picture& actual) {
    int count = 0;
    for (std::size_t i = 0; i < expected.pixels.size() && i < actual.pixels.size(); ++i)
        count += expected.pixels[i] != actual.pixels[i] ? 1 : 0;
    return count;
}

Picture DifferenceImage(const Picture& expected, const Picture& actual) {
    Picture difference = expected;
    for (std::size_t i = 0; i < difference.pixels.size(); ++i) {
        const std::uint32_t pixel = expected.pixels[i];
        if (i < actual.pixels.size() && actual.pixels[i] != pixel) {
            difference.pixels[i] = kDifferenceColour;
            continue;
        }
        // Faded: a quarter of the brightness, on a light grey.
        const std::uint32_t level =
            0xA0 + (((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / 12;
        difference.pixels[i] = (level << 16) | (level << 8) | level;
    }
    return difference;
}

} // namespace screens
