// Colour values of the skin definition and pixel values of bitmaps, and the one place that converts
// between them.
//
// A colour value is 0x00BBGGRR (red in the low byte), the encoding the skin definition is read into; a
// value with the top byte 0xFF stands for a system colour, the low byte being the Windows system colour
// index. A pixel is 0x00RRGGBB: in memory B, G, R, X, the layout of a 32-bit Windows DIB.
#pragma once

#include <cstdint>

namespace skin {

using Colour = std::uint32_t;
using Pixel = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0xFF000000u;
inline constexpr Pixel kPixelRgbMask = 0x00FFFFFFu;

// Magenta: pixels of exactly this colour in skin images are not drawn.
inline constexpr Colour kSkinKeyColour = 0x00FF00FFu;

constexpr std::uint8_t RedOf(Pixel p) noexcept {
    return static_cast<std::uint8_t>(p >> 16);
}
constexpr std::uint8_t GreenOf(Pixel p) noexcept {
    return static_cast<std::uint8_t>(p >> 8);
}
constexpr std::uint8_t BlueOf(Pixel p) noexcept {
    return static_cast<std::uint8_t>(p);
}

constexpr Pixel MakePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return (Pixel{red} << 16) | (Pixel{green} << 8) | Pixel{blue};
}

constexpr Colour MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return (Colour{blue} << 16) | (Colour{green} << 8) | Colour{red};
}

constexpr bool IsSystemColour(Colour c) noexcept {
    return (c & kSystemColourFlag) == kSystemColourFlag;
}
constexpr int SystemColourIndex(Colour c) noexcept {
    return static_cast<int>(c & 0xFFu);
}

// The pixel of a plain colour value. The top byte is ignored, so a system colour must be resolved first
// (ResolveColour).
constexpr Pixel ColourToPixel(Colour c) noexcept {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Colour PixelToColour(Pixel p) noexcept {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

inline constexpr Pixel kSkinKeyPixel = ColourToPixel(kSkinKeyColour);

// Looks up the current value of a system colour (on Windows: GetSysColor), as a plain colour value.
using SystemColourLookup = Colour (*)(int index);

// The pixel of any colour value, system colours through the given lookup.
constexpr Pixel ResolveColour(Colour c, SystemColourLookup lookup) noexcept {
    return ColourToPixel(IsSystemColour(c) ? lookup(SystemColourIndex(c)) : c);
}

} // namespace skin
