// A screenshot as the check keeps it: pixels top-down, and one canonical 24-bit BMP encoding, so two shots
// are equal exactly when their files are equal byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace screens {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down
};

// Bottom-up 24-bit BMP, rows padded to four bytes.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture);
// Reads 24- and 32-bit BMP files (bottom-up or top-down); raises std::runtime_error naming what is wrong.
Picture DecodeBmp(const std::vector<std::uint8_t>& bytes);

// How many pixels differ between two pictures of the same size.
int CountDifferentPixels(const Picture& expected, const Picture& actual);
// The expected picture faded to grey with every differing pixel in pure red: where to look.
Picture DifferenceImage(const Picture& expected, const Picture& actual);

} // namespace screens
