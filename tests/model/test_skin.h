// Skin packages for the model tests, made in memory: a definition text and bitmaps built from plain
// colours, packed with the package writer and opened with the package reader as a load would.
#pragma once

#include "skin/data/package_writer.h"
#include "skin/data/skin_reader.h"
#include "skin/draw/bitmap.h"
#include "skin/draw/bmp_writer.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin::test {

// A bitmap whose frames (side by side) are filled each with its own colour, 0x00RRGGBB: frame k with
// pixel 0x010000 * (k + 1) + base, so a test can tell frames and images apart by one pixel.
inline Bitmap FramedBitmap(int width, int height, int frames = 1, Pixel base = 0x000040) {
    Bitmap bitmap(width, height);
    const int frameWidth = frames > 0 ? width / frames : width;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int frame = frameWidth > 0 ? x / frameWidth : 0;
            bitmap.set_pixel(x, y, base + 0x010000u * static_cast<Pixel>(frame + 1));
        }
    }
    return bitmap;
}

// Members are stored in the order they are added; the definition is just another member.
class TestPackage {
  public:
    TestPackage& Definition(std::string_view text, std::string name = "skin.ini") {
        return Member(std::move(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    TestPackage& Bmp(std::string name, const Bitmap& bitmap) {
        return Member(std::move(name), WriteBmp(bitmap));
    }
    TestPackage& Member(std::string name, std::vector<std::uint8_t> bytes) {
        writer_.AddMember(std::move(name), std::move(bytes));
        return *this;
    }

    // The skin as stored: the compressed package.
    std::vector<std::uint8_t> Stored() const { return writer_.BuildCompressed(); }

    // The package opened, as a load has it when the definition is read.
    TSkinReader Open() const {
        TSkinReader reader;
        if (!reader.LoadPackage(Stored())) throw std::runtime_error("test package refused");
        return reader;
    }

  private:
    PackageWriter writer_;
};

} // namespace skin::test
