#include "tools/skingen/skin_view.h"

#include <charconv>

namespace skingen {

ElementView ElementOf(const Skin& skin, std::string_view section, int frames, std::string_view imageKey) {
    ElementView v;
    const Section* s = skin.FindSection(section);
    if (s == nullptr) return v;
    v.Image = skin.ImageOf(section, imageKey);
    v.Margins = {s->Int("LeftWidth", 0), s->Int("TopHeight", 0), s->Int("RightWidth", 0),
                 s->Int("BottomHeight", 0)};
    v.Trans = s->Int("Trans", 0) != 0;
    v.Tile = s->Int("Tile", 0) == 1;
    v.Frames = frames;
    return v;
}

skin::Pixel ColourOf(const Skin& skin, std::string_view section, std::string_view key, skin::Pixel fallback) {
    const Section* s = skin.FindSection(section);
    const std::string* text = s == nullptr ? nullptr : s->Find(key);
    if (text == nullptr) return fallback;
    int parts[3] = {};
    const char* p = text->data();
    const char* end = p + text->size();
    for (int& part : parts) {
        while (p < end && *p == ' ')
            ++p;
        const auto [next, ec] = std::from_chars(p, end, part);
        if (ec != std::errc{} || part < 0 || part > 255) return fallback;
        p = next;
    }
    return skin::MakePixel(static_cast<std::uint8_t>(parts[0]), static_cast<std::uint8_t>(parts[1]),
                           static_cast<std::uint8_t>(parts[2]));
}

} // namespace skingen
