// Tiny bitmaps written as text for the drawing tests: one character per pixel, the pixel value being the
// character's code, except '#' which is the skin key colour (magenta). Comparing whole grids as text
// gives readable failure messages.
#pragma once

#include "skin/draw/bitmap.h"

#include <string>
#include <vector>

namespace skin::testing {

inline constexpr char kKeyChar = '#';

inline Pixel PixelOf(char c) {
    return c == kKeyChar ? kSkinKeyPixel : static_cast<Pixel>(static_cast<unsigned char>(c));
}

inline Bitmap Grid(const std::vector<std::string>& rows) {
    if (rows.empty()) return {};
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x)
            b.set_pixel(x, y, PixelOf(rows[std::size_t(y)][std::size_t(x)]));
    }
    return b;
}

// The text of a bitmap made of grid pixels; any other pixel shows as '?'.
inline std::vector<std::string> Text(const Bitmap& b) {
    std::vector<std::string> rows;
    for (int y = 0; y < b.height(); ++y) {
        std::string row;
        for (int x = 0; x < b.width(); ++x) {
            const Pixel p = b.pixel(x, y);
            row += p == kSkinKeyPixel ? kKeyChar : p >= 32 && p < 127 ? static_cast<char>(p) : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

// A bitmap of w x h filled with one grid character.
inline Bitmap Filled(int w, int h, char c) {
    return Bitmap(w, h, PixelOf(c));
}

} // namespace skin::testing
