#include "skin/data/skin_keys.h"

#include <algorithm>
#include <array>
#include <string>

namespace skin {
namespace {

using K = SkinKeyKind;

constexpr SkinKey kTitlebarSkinKeys[] = {{"SkinName", K::Text}, {"HighContrast", K::Integer}};

constexpr SkinKey kPersonalityKeys[] = {
    {"Left", K::Bitmap},
    {"LeftTopHeight", K::Integer},
    {"LeftBotHeight", K::Integer},
    {"LeftFrame", K::Integer},
    {"LeftStretch", K::Integer},
    {"LeftTrans", K::Integer},
    {"Right", K::Bitmap},
    {"RightTopHeight", K::Integer},
    {"RightBotHeight", K::Integer},
    {"RightFrame", K::Integer},
    {"RightStretch", K::Integer},
    {"RightTrans", K::Integer},
    {"Top", K::Bitmap},
    {"TopTopHeight", K::Integer},
    {"TopBotHeight", K::Integer},
    {"TopFrame", K::Integer},
    {"TopStretch", K::Integer},
    {"TopTrans", K::Integer},
    {"Bottom", K::Bitmap},
    {"BottomTopHeight", K::Integer},
    {"BottomBotHeight", K::Integer},
    {"BottomFrame", K::Integer},
    {"BottomStretch", K::Integer},
    {"BottomTrans", K::Integer},
    {"TextBack", K::Bitmap},
    {"TextShift", K::Integer},
    {"TextShiftVert", K::Integer},
    {"TextRightClip", K::Integer},
    {"TextAlignment", K::Integer},
    {"Textbackground", K::Integer},
    {"TXTBackleft", K::Integer},
    {"TXTBackRight", K::Integer},
    {"ActiveTextR", K::Integer},
    {"ActiveTextG", K::Integer},
    {"ActiveTextB", K::Integer},
    {"InActiveTextR", K::Integer},
    {"InActiveTextG", K::Integer},
    {"InActiveTextB", K::Integer},
    {"menuBar", K::Bitmap},
    {"TileMenu", K::Integer},
    {"TileLeftMenu", K::Integer},
    {"TileRightMenu", K::Integer},
};

constexpr SkinKey kColoursKeys[] = {
    {"WindowText", K::ColourText},
    {"ButtonFace", K::ColourText},
    {"Scrollbar", K::ColourText},
    {"HilightText", K::ColourText},
    {"Hilight", K::ColourText},
    {"Menubar", K::ColourText},
    {"Menu", K::ColourText},
    {"MenuText", K::ColourText},
    {"ButtonText", K::ColourText},
    {"ButtonHilight", K::ColourText},
    {"Buttonlight", K::ColourText},
    {"ButtonShadow", K::ColourText},
    {"ButtonDkShadow", K::ColourText},
    {"MenuBarText", K::ColourText},
    {"TitleTextActive", K::ColourText},
    {"TitleTextNoActive", K::ColourText},
};

constexpr SkinKey kCaptionButtonKeys[] = {
    {"Action", K::Integer},    {"Align", K::Integer},      {"Xcoord", K::Integer},
    {"Ycoord", K::Integer},    {"Visibility", K::Integer}, {"Visibility1", K::Integer},
    {"CombineOp", K::Integer}, {"frame", K::Integer},      {"ButtonImage", K::Bitmap},
};

constexpr SkinKey kMdiControlsKeys[] = {{"Image", K::Bitmap}};

constexpr SkinKey kButtonsKeys[] = {
    {"Bitmap", K::Bitmap},
    {"LeftWidth", K::Integer},
    {"RightWidth", K::Integer},
    {"TopHeight", K::Integer},
    {"BottomHeight", K::Integer},
    {"Trans", K::Integer},
    {"Tile", K::Integer},
    {"CheckButton", K::Bitmap},
    {"RadioButton", K::Bitmap},
    {"NormalColour", K::Integer},
    {"MouseOverColour", K::Integer},
    {"PressedColour", K::Integer},
    {"RadioButtonFrame", K::Integer},
    {"CheckButtonFrame", K::Integer},
    {"NormalColour2", K::ColourText},
    {"MouseOverColour2", K::ColourText},
    {"PressedColour2", K::ColourText},
};

constexpr SkinKey kFontsKeys[] = {{"FontHeight", K::Integer}};

constexpr SkinKey kProgressKeys[] = {
    {"Bitmap", K::Bitmap},        {"Chunk", K::Bitmap},       {"Style", K::Integer},
    {"LeftWidth", K::Integer},    {"RightWidth", K::Integer}, {"TopHeight", K::Integer},
    {"BottomHeight", K::Integer}, {"Trans", K::Integer},      {"Tile", K::Integer},
};

// The keys every element section shares; the variants below add their own.
#define MARIVEL_ELEMENT_KEYS                                                                                 \
    {"Image", K::Bitmap}, {"LeftWidth", K::Integer}, {"RightWidth", K::Integer}, {"TopHeight", K::Integer},  \
        {"BottomHeight", K::Integer}, {"Trans", K::Integer}, {"Tile", K::Integer},                           \
        {"NormalColour", K::Integer}, {"MouseOverColour", K::Integer}, {"PressedColour", K::Integer},        \
        {"NormalColour2", K::ColourText}, {"MouseOverColour2", K::ColourText}, {                             \
        "PressedColour2", K::ColourText                                                                      \
    }

constexpr SkinKey kElementKeys[] = {MARIVEL_ELEMENT_KEYS, {"Style", K::Integer}};
constexpr SkinKey kThumbKeys[] = {MARIVEL_ELEMENT_KEYS, {"Style", K::Integer}, {"FrameCount", K::Integer}};
constexpr SkinKey kTabsKeys[] = {MARIVEL_ELEMENT_KEYS, {"Border", K::Bitmap}};
constexpr SkinKey kComboButtonKeys[] = {MARIVEL_ELEMENT_KEYS};
constexpr SkinKey kUpDownKeys[] = {MARIVEL_ELEMENT_KEYS, {"GlyphImage", K::Bitmap}};
#undef MARIVEL_ELEMENT_KEYS

constexpr SkinKey kColourTableKeys[] = {{"color", K::ColourText}};

constexpr SkinSection kFixedSections[] = {
    {"TitlebarSkin", kTitlebarSkinKeys},
    {"Personality", kPersonalityKeys},
    {"Colours", kColoursKeys},
    {"MDICONTROLS", kMdiControlsKeys},
    {"Buttons", kButtonsKeys},
    {"Fonts", kFontsKeys},
    {"Progress", kProgressKeys},
    {"GroupBoxEdge", kElementKeys},
    {"Toolbars", kElementKeys},
    {"Tabs", kTabsKeys},
    {"StatusBarEdges", kElementKeys},
    {"ComboButton", kComboButtonKeys},
    {"SunkEdge", kElementKeys},
    {"ExtraImages", kElementKeys},
    {"Headerbar", kElementKeys},
    {"MenuItem", kElementKeys},
    {"MenuBackground", kElementKeys},
    {"Scrollbar", kElementKeys},
    {"HorzScroll", kElementKeys},
    {"VertScroll", kElementKeys},
    {"HorzScrollThumb", kThumbKeys},
    {"VertScrollThumb", kThumbKeys},
    {"Trackbar.ThumbHorz", kElementKeys},
    {"Trackbar.ThumbVert", kElementKeys},
    {"Trackbar.ThumbLeft", kElementKeys},
    {"Trackbar.ThumbRight", kElementKeys},
    {"Trackbar.ThumbUp", kElementKeys},
    {"Trackbar.ThumbDown", kElementKeys},
    {"UpDown.Horz", kUpDownKeys},
    {"UpDown.Vert", kUpDownKeys},
};

constexpr SkinSection kCaptionButtonSection{"Button...", kCaptionButtonKeys};
constexpr SkinSection kColourTableSection{"Colour...", kColourTableKeys};

constexpr std::string_view kNotCaptionButtons[] = {"BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"};

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

bool SameName(std::string_view a, std::string_view b) {
    return UpperAscii(a) == UpperAscii(b);
}

} // namespace

bool IsCaptionButtonSection(std::string_view name) {
    const std::string upper = UpperAscii(name);
    return upper.starts_with("BUTTON") &&
           std::find(std::begin(kNotCaptionButtons), std::end(kNotCaptionButtons), upper) ==
               std::end(kNotCaptionButtons);
}

bool IsColourTableSection(std::string_view name) {
    const std::string upper = UpperAscii(name);
    return upper.starts_with("COLOUR") && upper != "COLOURS";
}

std::span<const SkinSection> FixedSkinSections() {
    return kFixedSections;
}

const SkinSection* FindSkinSection(std::string_view name) {
    for (const SkinSection& section : kFixedSections) {
        if (SameName(section.Name, name)) return &section;
    }
    if (IsCaptionButtonSection(name)) return &kCaptionButtonSection;
    if (IsColourTableSection(name)) return &kColourTableSection;
    return nullptr;
}

const SkinKey* FindSkinKey(const SkinSection& section, std::string_view key) {
    for (const SkinKey& known : section.Keys) {
        if (SameName(known.Name, key)) return &known;
    }
    return nullptr;
}

} // namespace skin
