#include "skin/data/skin_values.h"

#include "framework/rtl/int_conversion.h"
#include "framework/rtl/text.h"

#include <array>

namespace skin {

namespace {

constexpr std::string_view kBitmapExtension = ".bmp";
constexpr std::int32_t kComponentNotGiven = -1;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::int32_t ParseSkinInteger(std::string_view text, std::int32_t defaultValue) {
    std::string converted(text);
    // Skins write hexadecimal the C way as often as with "$".
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        converted = "$" + std::string(text.substr(2));
    }
    return rtl::TryStrToInt(converted).value_or(defaultValue);
}

std::int32_t ReadSkinInteger(const TProfileText& ini, std::string_view section, std::string_view key,
                             std::int32_t defaultValue) {
    return ParseSkinInteger(ini.ReadString(section, key, {}), defaultValue);
}

Colour ParseColour(std::string_view text, Colour defaultValue) {
    const std::string trimmed = rtl::Trim(text);
    if (trimmed.empty()) return defaultValue;
    std::array<std::uint8_t, 3> components{};
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < trimmed.size()) {
        if (!IsDigit(trimmed[pos])) {
            ++pos;
            continue;
        }
        // Only the low 8 bits are kept, so the run is reduced as it is read: no run is too long.
        std::uint8_t value = 0;
        for (; pos < trimmed.size() && IsDigit(trimmed[pos]); ++pos) {
            value = static_cast<std::uint8_t>(value * 10 + (trimmed[pos] - '0'));
        }
        const bool terminated = pos < trimmed.size();
        if (count < components.size() && (terminated || count == 2)) components[count++] = value;
    }
    return MakeColour(components[0], components[1], components[2]);
}

Colour ReadColourText(const TProfileText& ini, std::string_view section, std::string_view key,
                      Colour defaultValue) {
    return ParseColour(ini.ReadString(section, key, {}), defaultValue);
}

void ReadRgbKeys(const TProfileText& ini, std::string_view section, std::string_view prefix, Colour& colour) {
    const std::string name(prefix);
    const std::int32_t red = ReadSkinInteger(ini, section, name + "R", kComponentNotGiven);
    const std::int32_t green = ReadSkinInteger(ini, section, name + "G", kComponentNotGiven);
    const std::int32_t blue = ReadSkinInteger(ini, section, name + "B", kComponentNotGiven);
    if (red < 0 || green < 0 || blue < 0) return;
    colour = MakeColour(static_cast<std::uint8_t>(red & 0xFF), static_cast<std::uint8_t>(green & 0xFF),
                        static_cast<std::uint8_t>(blue & 0xFF));
}

std::optional<std::string> BitmapMemberName(std::string_view reference) {
    const std::size_t cut = reference.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? reference : reference.substr(cut + 1);
    const std::size_t dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != kBitmapExtension)
        return std::nullopt;
    return std::string(name);
}

} // namespace skin
