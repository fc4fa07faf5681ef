// The value types of skin definitions: integers, colour texts, colours given by components and bitmap
// references. None of them reports anything: a value that does not read gives the caller's default.
#pragma once

#include "skin/data/profile.h"
#include "skin/draw/colour.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skin {

// An integer value: the integer conversion's syntax (sign, decimal digits, "$" hexadecimal), and also
// "0x" or "0X" followed by hexadecimal digits. Anything else, an empty text included, gives defaultValue:
// "12px" is not 12.
std::int32_t ParseSkinInteger(std::string_view text, std::int32_t defaultValue);
std::int32_t ReadSkinInteger(const TProfileText& ini, std::string_view section, std::string_view key,
                             std::int32_t defaultValue);

// A colour text such as "236 233 216": red, green and blue as decimal numbers separated by anything
// that is not a digit ("236,233,216" and "(236;233;216)" read alike). A number counts when a character
// follows it; the number at the very end of the text counts only as the third, blue. Missing
// components are 0, each component keeps its low 8 bits ("300" is 44), numbers after the third are
// ignored. An empty (or blank) text gives defaultValue. The result is 0x00BBGGRR.
Colour ParseColour(std::string_view text, Colour defaultValue);
Colour ReadColourText(const TProfileText& ini, std::string_view section, std::string_view key,
                      Colour defaultValue);

// A colour given by three integer keys <prefix>R, <prefix>G and <prefix>B: colour changes only when all
// three are given and not negative, to the colour of their low 8 bits.
void ReadRgbKeys(const TProfileText& ini, std::string_view section, std::string_view prefix, Colour& colour);

// The package member a bitmap reference names: the part after the last "\" or ":", kept only when it is
// not empty and ends in exactly ".bmp" from its last "." on (".BMP" does not count). Nothing otherwise.
std::optional<std::string> BitmapMemberName(std::string_view reference);

} // namespace skin
