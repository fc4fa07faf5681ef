// Colour values: 0x00BBGGRR, or 0xFF000000 plus a system colour index for "the current system colour".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rtl {

using TColor = std::uint32_t;

constexpr TColor kSystemColourFlag = 0xFF000000u;
constexpr bool IsSystemColour(TColor colour) {
    return (colour & kSystemColourFlag) == kSystemColourFlag;
}

constexpr TColor clScrollBar = kSystemColourFlag | 0;
constexpr TColor clMenu = kSystemColourFlag | 4;
constexpr TColor clWindow = kSystemColourFlag | 5;
constexpr TColor clMenuText = kSystemColourFlag | 7;
constexpr TColor clWindowText = kSystemColourFlag | 8;
constexpr TColor clCaptionText = kSystemColourFlag | 9;
constexpr TColor clHighlight = kSystemColourFlag | 13;
constexpr TColor clHighlightText = kSystemColourFlag | 14;
constexpr TColor clBtnFace = kSystemColourFlag | 15;
constexpr TColor clBtnShadow = kSystemColourFlag | 16;
constexpr TColor clGrayText = kSystemColourFlag | 17;
constexpr TColor clBtnText = kSystemColourFlag | 18;
constexpr TColor clInactiveCaptionText = kSystemColourFlag | 19;
constexpr TColor clBtnHighlight = kSystemColourFlag | 20;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;

// The colour a stored identifier such as "clBtnFace" names.
std::optional<TColor> IdentToColour(const std::string& name);

} // namespace rtl
