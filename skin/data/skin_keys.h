// The sections and keys a skin definition may hold, with the kind of value each key takes. The definition
// reader asks for exactly these (tests/data/skin_keys_test.cpp holds the two together); skintool check
// reports everything else as unknown.
#pragma once

#include <span>
#include <string_view>

namespace skin {

enum class SkinKeyKind {
    Integer,    // a number; one that does not read gives the key's default
    Text,       // free text
    Bitmap,     // a bitmap reference: a package member ending in ".bmp"
    ColourText, // a colour text "r g b"
};

struct SkinKey {
    std::string_view Name;
    SkinKeyKind Kind;
};

struct SkinSection {
    std::string_view Name; // as skins usually write it; sections are matched without regard to case
    std::span<const SkinKey> Keys;
};

// Caption buttons: every section whose name starts with "Button", except [Buttons], [Button.Radio] and
// [Button.CheckBox]. Colour table entries: every section starting with "Colour" except [Colours].
bool IsCaptionButtonSection(std::string_view name);
bool IsColourTableSection(std::string_view name);

// The sections of fixed name, in the order the reader reads them.
std::span<const SkinSection> FixedSkinSections();
// The section table entry a section name falls under (fixed name, caption button or colour table), or null.
const SkinSection* FindSkinSection(std::string_view name);
// The key of that section entry, compared without regard to case, or null.
const SkinKey* FindSkinKey(const SkinSection& section, std::string_view key);

} // namespace skin
