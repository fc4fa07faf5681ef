#include "bench/data/sample_skin.h"

#include "skin/data/package_writer.h"

#include <string>

namespace skin::bench {

namespace {

constexpr int kBitmapCount = 44;
constexpr std::size_t kTargetSize = 128 * 1024;
constexpr std::uint32_t kBmpHeaderSize = 14 + 40;

class Random {
  public:
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

  private:
    std::uint32_t state_ = 2463534242u;
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::vector<std::uint8_t> Bitmap(int width, int height, int style, Random& random) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, kBmpHeaderSize + pixelBytes);
    Put32(out, 0);
    Put32(out, kBmpHeaderSize);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool key = (style % 3 == 0) && (x < 3 || x >= width - 3) && (y < 3 || y >= height - 3);
            const bool bevel = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            int b = 0xB0 + (y * 48) / height - (style * 5) % 40;
            // Bars (even styles) shade across their height only, like caption and scroll bar parts.
            int g = 0x90 + (style % 2 == 0 ? (y * 32) / height : (x * 32) / width) + (style * 7) % 30;
            int r = 0x60 + ((x + y) * 24) / (width + height);
            if (bevel) r = g = b = 0x40;
            if ((random.Next() & 63) == 0) b += static_cast<int>(random.Next() % 5) - 2; // dithering
            if (key) r = 255, g = 0, b = 255;
            out.push_back(static_cast<std::uint8_t>(b & 0xFF));
            out.push_back(static_cast<std::uint8_t>(g & 0xFF));
            out.push_back(static_cast<std::uint8_t>(r & 0xFF));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

std::string Definition() {
    std::string text;
    const char* sections[] = {"TitlebarSkin", "Personality", "Buttons",    "SunkEdge", "ComboButton",
                              "Scrollbar",    "HorzScroll",  "VertScroll", "ToolBars", "Progress",
                              "Tabs",         "MenuItem",    "Colours"};
    int n = 0;
    for (const char* section : sections) {
        text += "[" + std::string(section) + "]\r\n";
        for (int k = 0; k < 14; ++k, ++n) {
            text += "Key" + std::to_string(k) + "=" + std::to_string(n * 37 % 251) + "," +
                    std::to_string(n * 11 % 97) + ",image" + std::to_string(n % kBitmapCount) + ".bmp\r\n";
        }
    }
    return text;
}

} // namespace

std::vector<std::uint8_t> MakeSampleSkinPackage() {
    Random random;
    PackageWriter writer;
    const std::string definition = Definition();
    writer.AddMember("skin.ini", std::vector<std::uint8_t>(definition.begin(), definition.end()));
    std::size_t total = definition.size();
    const std::size_t perBitmap = (kTargetSize - total) / kBitmapCount;
    for (int i = 0; i < kBitmapCount; ++i) {
        // Pixel rows of about perBitmap bytes in all, in shapes from bars to squares.
        const int height = 8 + (i * 7) % 40;
        const int width =
            static_cast<int>((perBitmap - kBmpHeaderSize) / 3 / static_cast<std::size_t>(height));
        std::vector<std::uint8_t> bitmap = Bitmap(width, height, i, random);
        total += bitmap.size();
        writer.AddMember("image" + std::to_string(i) + ".bmp", std::move(bitmap));
    }
    return writer.Build();
}

} // namespace skin::bench
