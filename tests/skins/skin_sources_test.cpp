// The committed skin sources (skins/default, skins/dark, skins/contrast and the test skin skins/asymmetric)
// checked against what the engine's painters do with them: every image present with the frames and layout its
// painter cuts, the key colour only where the window region or a transparent copy expects it, readable text,
// and files that are exactly what the generator makes. ShippedSkinSources adds what holds for the look of the
// two skins we ship and not for the test skin, which differs from them on purpose.
#include "framework/rtl/text.h"
#include "skin/draw/blit.h"
#include "skin/draw/region.h"
#include "skin/draw/skin_image.h"
#include "tests/skins/skin_folder.h"
#include "tools/skingen/skin_builder.h"
#include "tools/skingen/skin_files.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

#ifndef MARIVEL_SKINS_DIR
#error "MARIVEL_SKINS_DIR must name the skins folder of the source tree"
#endif

namespace skintest {
namespace {

using skin::Bitmap;
using skin::Pixel;
using skin::Rect;

constexpr Pixel kKey = skin::kSkinKeyPixel;
constexpr Pixel kSystemText = skin::MakePixel(0, 0, 0);       // labels, fields and header text
constexpr Pixel kSystemGrey = skin::MakePixel(160, 160, 160); // disabled push button text
constexpr double kReadable = 4.5;                             // normal text
constexpr double kDimmed = 3.0;                               // inactive captions, glyphs
constexpr double kDiscernible = 2.0;                          // disabled text
constexpr double kHighContrastText =
    7.0; // every text, inactive captions too, of a skin made for high contrast
constexpr std::uintmax_t kUnpackedBudget = 128 * 1024;
constexpr int kSystemScrollWidth = 17;

const SkinFolder& Loaded(const std::string& theme) {
    static std::map<std::string, SkinFolder> cache;
    auto it = cache.find(theme);
    if (it == cache.end())
        it = cache.emplace(theme, LoadSkinFolder(std::filesystem::path(MARIVEL_SKINS_DIR) / theme)).first;
    return it->second;
}

// WCAG contrast ratio of two colours.
double Luminance(Pixel p) {
    auto lin = [](std::uint8_t v) {
        const double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(skin::RedOf(p)) + 0.7152 * lin(skin::GreenOf(p)) + 0.0722 * lin(skin::BlueOf(p));
}

double Contrast(Pixel a, Pixel b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string Hex(Pixel p) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", p & skin::kPixelRgbMask);
    return buf;
}

bool IsCaptionButton(const std::string& section) {
    const std::string u = rtl::LowerCaseAscii(section);
    return u.rfind("button", 0) == 0 && u != "buttons" && u != "button.radio" && u != "button.checkbox";
}

struct StripRule;

class SkinSources : public ::testing::TestWithParam<std::string> {
  protected:
    const SkinFolder& Skin() const { return Loaded(GetParam()); }
    const Profile& Def() const { return Skin().Definition; }
    int Int(const std::string& section, const std::string& key, int fallback = 0) const {
        return Def().Int(section, key, fallback);
    }
    const Bitmap& Image(const std::string& section, const std::string& key) const {
        static const Bitmap kNone;
        const Bitmap* b = Skin().Bitmap(section, key);
        if (b == nullptr) ADD_FAILURE() << "[" << section << "] " << key << " names no loadable bitmap";
        return b ? *b : kNone;
    }
    Pixel ColourKey(const std::string& section, const std::string& key) const {
        const std::optional<Pixel> c = Def().Colour(section, key);
        if (!c) ADD_FAILURE() << "[" << section << "] " << key << " is not a colour text";
        return c.value_or(0);
    }
    // The centre pixel of frame f of a strip.
    Pixel Centre(const Bitmap& image, int f, int frames, bool stacked = false) const {
        const Rect r = skin::SkinFrameRect(image, {.frame = f, .frameCount = frames, .vertical = stacked});
        return image.pixel(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    std::vector<std::string> CaptionButtons() const {
        std::vector<std::string> out;
        for (const std::string& s : Def().SectionNames()) {
            if (IsCaptionButton(s)) out.push_back(s);
        }
        return out;
    }
    struct FrameSizes {
        int Left, Top, Right, Bottom;
    };
    int Frames(const StripRule& rule) const;
    FrameSizes Frame() const {
        return {Image("Personality", "Left").width() / Int("Personality", "LeftFrame", 1),
                Image("Personality", "Top").height() / Int("Personality", "TopFrame", 1),
                Image("Personality", "Right").width() / Int("Personality", "RightFrame", 1),
                Image("Personality", "Bottom").height() / Int("Personality", "BottomFrame", 1)};
    }
};

INSTANTIATE_TEST_SUITE_P(Themes, SkinSources, ::testing::Values("default", "dark", "contrast", "asymmetric"));

class ShippedSkinSources : public SkinSources {};

INSTANTIATE_TEST_SUITE_P(Themes, ShippedSkinSources, ::testing::Values("default", "dark", "contrast"));

TEST_P(SkinSources, HasEverySectionOfTheMainWindowSkin) {
    for (const char* s : {"TitlebarSkin",
                          "Personality",
                          "Buttons",
                          "SunkEdge",
                          "ComboButton",
                          "ExtraImages",
                          "Scrollbar",
                          "HorzScrollThumb",
                          "HorzScroll",
                          "VertScrollThumb",
                          "VertScroll",
                          "ToolBars",
                          "StatusBarEdges",
                          "Headerbar",
                          "Progress",
                          "Tabs",
                          "MenuItem",
                          "MenuBackground",
                          "MdiControls",
                          "GroupBoxEdge",
                          "Trackbar.ThumbHorz",
                          "Trackbar.ThumbVert",
                          "Trackbar.ThumbLeft",
                          "Trackbar.ThumbRight",
                          "Trackbar.ThumbUp",
                          "Trackbar.ThumbDown",
                          "UpDown.Horz",
                          "UpDown.Vert",
                          "Colours",
                          "Fonts",
                          "Colour0",
                          "Colour1",
                          "Colour2",
                          "Colour3",
                          "Colour4"}) {
        EXPECT_TRUE(Def().HasSection(s)) << "[" << s << "]";
    }
    EXPECT_FALSE(Def().Get("TitlebarSkin", "SkinName").value_or("").empty());
    EXPECT_GE(CaptionButtons().size(), 8u);
    for (const char* key : {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
                            "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText",
                            "Hilight", "Menubar", "MenuBarText", "Menu", "MenuText", "Scrollbar"}) {
        ColourKey("Colours", key);
    }
    for (int i = 0; i < 5; ++i)
        ColourKey("Colour" + std::to_string(i), "color");
    EXPECT_GT(Int("Fonts", "FontHeight"), 0);
}

TEST_P(SkinSources, EveryReferenceLoadsAndEveryFileIsReferenced) {
    std::set<std::string> referenced;
    for (const auto& [section, key] : Def().BitmapReferences()) {
        const Bitmap* b = Skin().Bitmap(section, key);
        EXPECT_NE(b, nullptr) << "[" << section << "] " << key << " = "
                              << Def().Get(section, key).value_or("");
        if (b != nullptr) {
            EXPECT_FALSE(b->empty());
        }
        referenced.insert(rtl::LowerCaseAscii(Def().Get(section, key).value_or("")));
    }
    for (const auto& [file, bitmap] : Skin().Bitmaps)
        EXPECT_TRUE(referenced.count(file)) << file << " is not used";
}

struct StripRule {
    const char* Section;
    const char* Key;
    int Frames; // 0: the section's own FrameCount key (default 3)
    bool Stacked;
};

// The frame counts and layouts the painters cut each image into.
constexpr StripRule kStrips[] = {
    {"Personality", "menuBar", 2, true},
    {"Personality", "TextBack", 2, true},
    {"Buttons", "Bitmap", 5, false},
    {"Buttons", "CheckButton", 4, false},
    {"Buttons", "RadioButton", 4, false},
    {"SunkEdge", "Image", 4, false},
    {"ComboButton", "Image", 4, false},
    {"ExtraImages", "Image", 5, false},
    {"Scrollbar", "Image", 23, false},
    {"HorzScroll", "Image", 4, false},
    {"VertScroll", "Image", 4, false},
    {"HorzScrollThumb", "Image", 0, false},
    {"VertScrollThumb", "Image", 0, false},
    {"ToolBars", "Image", 5, false},
    {"StatusBarEdges", "Image", 3, false},
    {"Headerbar", "Image", 5, false},
    {"Progress", "Bitmap", 2, false},
    {"Tabs", "Image", 5, false},
    {"Tabs", "Border", 1, false},
    {"MenuItem", "Image", 5, false},
    {"MenuBackground", "Image", 1, false},
    {"MdiControls", "Image", 12, false},
    {"GroupBoxEdge", "Image", 2, false},
    {"Trackbar.ThumbHorz", "Image", 5, false},
    {"Trackbar.ThumbVert", "Image", 5, false},
    {"Trackbar.ThumbLeft", "Image", 5, false},
    {"Trackbar.ThumbRight", "Image", 5, false},
    {"Trackbar.ThumbUp", "Image", 5, false},
    {"Trackbar.ThumbDown", "Image", 5, false},
    {"UpDown.Horz", "Image", 8, false},
    {"UpDown.Horz", "GlyphImage", 8, false},
    {"UpDown.Vert", "Image", 8, false},
    {"UpDown.Vert", "GlyphImage", 8, false},
};

int SkinSources::Frames(const StripRule& rule) const {
    return rule.Frames > 0 ? rule.Frames : Int(rule.Section, "FrameCount", 3);
}

TEST_P(SkinSources, ImagesHoldTheFramesTheirPaintersCut) {
    for (const StripRule& rule : kStrips) {
        const Bitmap& b = Image(rule.Section, rule.Key);
        const int length = rule.Stacked ? b.height() : b.width();
        const int frames = Frames(rule);
        EXPECT_EQ(length % frames, 0) << "[" << rule.Section << "] " << rule.Key << ": " << length
                                      << " pixels for " << frames << " frames";
    }
    // The thumbs show frame 1, and frame 2 while dragged.
    EXPECT_GE(Int("HorzScrollThumb", "FrameCount", 3), 2);
    EXPECT_GE(Int("VertScrollThumb", "FrameCount", 3), 2);
    // Scroll bars are composed 16 pixels thick: arrows square, tracks and thumbs 16 across.
    const Bitmap& arrows = Image("Scrollbar", "Image");
    EXPECT_EQ(arrows.height(), 16);
    EXPECT_EQ(arrows.width(), 23 * 16);
    EXPECT_EQ(Image("HorzScrollThumb", "Image").height(), 16);
    EXPECT_EQ(Image("VertScrollThumb", "Image").width() / Int("VertScrollThumb", "FrameCount", 3), 16);
    // Check and radio glyphs are square; their frame counts are given, not guessed.
    for (const char* key : {"CheckButton", "RadioButton"}) {
        const Bitmap& g = Image("Buttons", key);
        const int frames = Int("Buttons", std::string(key) + "Frame");
        ASSERT_EQ(frames, 4) << key;
        EXPECT_EQ(g.width() / frames, g.height()) << key;
    }
}

TEST_P(ShippedSkinSources, GlyphsFitTheSystemsGlyphColumn) {
    for (const char* key : {"CheckButton", "RadioButton"}) {
        const Bitmap& g = Image("Buttons", key);
        EXPECT_LE(g.width() / 4, 14) << key;
        EXPECT_LT(g.height(), 16) << key;
    }
}

TEST_P(SkinSources, MarginsFitInsideTheirFrames) {
    for (const char* s :
         {"Buttons", "SunkEdge", "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "ToolBars",
          "StatusBarEdges", "Headerbar", "Progress", "Tabs", "MenuItem", "MenuBackground", "GroupBoxEdge"}) {
        int frames = 1;
        const char* key = "Image";
        for (const StripRule& r : kStrips) {
            if (std::string(r.Section) == s &&
                (std::string(r.Key) == "Image" || std::string(r.Key) == "Bitmap")) {
                frames = Frames(r);
                key = r.Key;
            }
        }
        const Bitmap& b = Image(s, key);
        // Margins wider than the frame collapse, and the corners are then stretched with the rest.
        EXPECT_LE(Int(s, "LeftWidth") + Int(s, "RightWidth"), b.width() / frames) << s;
        EXPECT_LE(Int(s, "TopHeight") + Int(s, "BottomHeight"), b.height()) << s;
    }
    // The tab page border is drawn with fixed margins of 4, 5, 4 and 4 pixels.
    const Bitmap& border = Image("Tabs", "Border");
    EXPECT_GT(border.width(), 8);
    EXPECT_GT(border.height(), 9);
}

TEST_P(SkinSources, WindowFrameBordersAgreeWithEachOther) {
    for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
        const int frames = Int("Personality", std::string(side) + "Frame", 1);
        EXPECT_TRUE(frames == 1 || frames == 2) << side << ": active and inactive, or one look for both";
    }
    const FrameSizes f = Frame();
    EXPECT_GT(f.Top, 20);
    // The caption rows of the side borders are kept at source size, so their gradient meets the top border's.
    EXPECT_EQ(Int("Personality", "LeftTopHeight"), f.Top);
    EXPECT_EQ(Int("Personality", "RightTopHeight"), f.Top);
    EXPECT_EQ(Int("Personality", "LeftBotHeight"), f.Bottom);
    EXPECT_EQ(Int("Personality", "RightBotHeight"), f.Bottom);
    // The top border's fixed ends leave a part to stretch.
    EXPECT_GT(Image("Personality", "Top").width(),
              Int("Personality", "TopTopHeight") + Int("Personality", "TopBotHeight"));
    EXPECT_EQ(Image("Personality", "TextBack").height(), 2 * f.Top)
        << "the text background spans the caption";
    EXPECT_LT(Int("Personality", "TileLeftMenu", 1) + Int("Personality", "TileRightMenu", 1),
              Image("Personality", "menuBar").width());
}

// The window's borders painted as the frame painter does, at window size w x h.
Bitmap PaintFrame(const SkinFolder& skin, int w, int h, bool active) {
    const Profile& d = skin.Definition;
    Bitmap win(w, h, skin::MakePixel(1, 2, 3));
    auto paint = [&](const std::string& side, const Rect& r) {
        const Bitmap& image = *skin.Bitmap("Personality", side);
        const int frames = d.Int("Personality", side + "Frame", 1);
        const int start = d.Int("Personality", side + "TopHeight", 0);
        const int end = d.Int("Personality", side + "BotHeight", 0);
        const bool horizontal = side == "Top" || side == "Bottom";
        const Rect margins = horizontal ? Rect{start, 0, end, 0} : Rect{0, start, 0, end};
        const Bitmap piece = skin::RenderSkinImage(r, image, margins,
                                                   {.frame = active || frames == 1 ? 1 : 2,
                                                    .frameCount = frames,
                                                    .tile = d.Int("Personality", side + "Stretch", 1) != 1,
                                                    .vertical = horizontal});
        skin::CopyRect(win, {r.Left, r.Top}, piece, piece.bounds());
    };
    const int fl = skin.Bitmap("Personality", "Left")->width() / d.Int("Personality", "LeftFrame", 1);
    const int fr = skin.Bitmap("Personality", "Right")->width() / d.Int("Personality", "RightFrame", 1);
    const int ft = skin.Bitmap("Personality", "Top")->height() / d.Int("Personality", "TopFrame", 1);
    const int fb = skin.Bitmap("Personality", "Bottom")->height() / d.Int("Personality", "BottomFrame", 1);
    paint("Left", {0, 0, fl, h});
    paint("Right", {w - fr, 0, w, h});
    paint("Bottom", {fl, h - fb, w - fr, h});
    paint("Top", {fl, 0, w - fr, ft});
    return win;
}

TEST_P(ShippedSkinSources, WindowRegionLosesOnlyTheRoundedTopCorners) {
    EXPECT_EQ(Int("Personality", "LeftTrans", 1), 1);
    EXPECT_EQ(Int("Personality", "RightTrans", 1), 1);
    EXPECT_EQ(Int("Personality", "TopTrans", 1), 1);
    EXPECT_EQ(Int("Personality", "BottomTrans", 1), 0) << "square bottom corners: nothing to cut";
    const FrameSizes f = Frame();
    const int leftEnd = f.Left + Int("Personality", "TopTopHeight");
    const int rightEnd = f.Right + Int("Personality", "TopBotHeight");
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{leftEnd + rightEnd + 1, 60}, {333, 241}, {800, 600}}) {
        for (bool active : {true, false}) {
            const Bitmap win = PaintFrame(Skin(), w, h, active);
            const skin::RegionRuns runs =
                skin::CreateRegionFromBitmap(win, 0, 0, skin::kSkinKeyColour, 1, 1, 1);
            std::vector<std::vector<Rect>> rows(static_cast<std::size_t>(h));
            for (const Rect& r : runs.Rects)
                rows[static_cast<std::size_t>(r.Top)].push_back(r);
            bool cut = false;
            for (int y = 0; y < h; ++y) {
                const auto& row = rows[static_cast<std::size_t>(y)];
                ASSERT_EQ(row.size(), 1u) << w << "x" << h << " row " << y << ": the region has a hole";
                const Rect r = row[0];
                EXPECT_EQ(r.Left, w - r.Right) << "row " << y << " is not symmetric";
                if (r.Left > 0) {
                    cut = true;
                    EXPECT_LT(y, f.Top) << "only caption rows are cut";
                    EXPECT_LT(r.Left, leftEnd) << "cuts stay in the borders' fixed ends";
                }
            }
            EXPECT_TRUE(cut) << "the top corners are rounded";
            EXPECT_EQ(rows[static_cast<std::size_t>(h - 1)][0].Left, 0) << "the bottom corners are square";
        }
    }
}

TEST_P(SkinSources, KeyColourNeverShowsWherePaintersCopyOpaquely) {
    // Drawn opaque whatever their Trans: the frame painter's borders, the bar under the menu, the tab page
    // border, header sections, status bar panels and the popup menu background; also every element that
    // asks for an opaque copy.
    // A border's key-coloured pixels are painted too; only the window region of a Trans border hides them.
    std::vector<std::pair<std::string, std::string>> opaque = {
        {"Personality", "Bottom"}, {"Personality", "menuBar"},  {"Tabs", "Border"},
        {"Headerbar", "Image"},    {"StatusBarEdges", "Image"}, {"MenuBackground", "Image"}};
    for (const char* side : {"Left", "Right", "Top"}) {
        if (Int("Personality", std::string(side) + "Trans", 1) == 0) opaque.emplace_back("Personality", side);
    }
    for (const char* s : {"SunkEdge", "HorzScroll", "VertScroll", "ToolBars", "GroupBoxEdge", "ExtraImages",
                          "Tabs", "MenuItem", "HorzScrollThumb"}) {
        if (Int(s, "Trans") == 0) opaque.emplace_back(s, "Image");
    }
    for (const auto& [section, key] : opaque) {
        const Bitmap& b = Image(section, key);
        EXPECT_EQ(std::count(b.pixels().begin(), b.pixels().end(), kKey), 0) << "[" << section << "] " << key;
    }
}

TEST_P(SkinSources, NoEdgeIsSmoothedAgainstTheKeyColour) {
    for (const auto& [file, b] : Skin().Bitmaps) {
        int pink = 0;
        for (Pixel p : b.pixels()) {
            const int r = skin::RedOf(p), g = skin::GreenOf(p), bl = skin::BlueOf(p);
            if (p != kKey && r > 150 && bl > 150 && g + 60 < std::min(r, bl)) ++pink;
        }
        EXPECT_EQ(pink, 0) << file << " has pixels mixed with magenta";
    }
}

// Which caption buttons a window shows, by the form skinning's visibility rules.
struct WindowKind {
    unsigned Caps; // 1 maximize box, 2 minimize box, 8 system menu
    bool Maximized;
    bool Active;
};

bool Visible(const Profile& d, const std::string& s, const WindowKind& k) {
    const int action = d.Int(s, "Action", 0);
    auto rule = [&](int code, bool second, bool first) {
        switch (code) {
        case 0:
            return second || action != 0 || (k.Caps & 8);
        case 1:
            return k.Maximized;
        case 2:
            return !k.Maximized;
        case 3:
            return k.Active;
        case 4:
            return !k.Active;
        case 6:
            return (k.Caps & 1) && (second || (k.Caps & 8));
        case 7:
            return !(k.Caps & 1);
        case 8:
            return (k.Caps & 2) && (second || (k.Caps & 8));
        case 9:
            return !(k.Caps & 2);
        case 100:
            return second && first;
        default:
            return code >= 200 && code <= 2000;
        }
    };
    const bool v = rule(d.Int(s, "Visibility", 0), false, false);
    const bool w = rule(d.Int(s, "Visibility1", 0), true, v);
    if ((action == 1 && !(k.Caps & 1)) || (action == 2 && !(k.Caps & 2))) return false;
    return v && w;
}

TEST_P(SkinSources, CaptionButtonsSitInTheCaptionAndMatchItsBackground) {
    const FrameSizes f = Frame();
    const Bitmap& top = Image("Personality", "Top");
    const int middle = Int("Personality", "TopTopHeight") + 1; // a column of the stretched part
    for (const std::string& s : CaptionButtons()) {
        const Bitmap& b = Image(s, "ButtonImage");
        const int frames = Int(s, "frame");
        ASSERT_GT(frames, 0) << s
                             << ": without a frame count the engine guesses one (and drops the icon's image)";
        ASSERT_EQ(b.width() % frames, 0) << s;
        const int y0 = Int(s, "Ycoord");
        EXPECT_GE(y0, 0) << s;
        EXPECT_LE(y0 + b.height(), f.Top) << s;
        const int action = Int(s, "Action");
        if (action == 3 || action == 11) continue; // the window icon: the engine paints the window's own
        EXPECT_TRUE(frames == 3 || frames == 4) << s << ": normal, pressed, hot (and inactive)";
        // Frame 1 is drawn over the active caption and frame 4 over the inactive one: their edges are the
        // caption itself or transparent, so no seam shows.
        for (int y = 0; y < b.height(); ++y) {
            const Pixel edge = b.pixel(0, y);
            EXPECT_TRUE(edge == kKey || edge == top.pixel(middle, y0 + y)) << s << " frame 1, row " << y;
            if (frames == 4) {
                EXPECT_EQ(b.pixel(3 * b.width() / 4, y), top.pixel(middle, f.Top + y0 + y))
                    << s << " frame 4, row " << y;
            }
        }
    }
}

TEST_P(SkinSources, CaptionButtonsShowOnlyWhenTheyMakeSense) {
    const FrameSizes f = Frame();
    const int width = 400;
    const int textEnd = width - f.Right - Int("Personality", "TextRightClip");
    const std::set<int> handled = {-1, 0, 1, 2, 3, 11, 12, 22, 23};
    for (unsigned caps : {0u, 8u, 8u | 1u, 8u | 2u, 8u | 1u | 2u}) {
        for (bool maximized : {false, true}) {
            if (maximized && !(caps & 1)) continue;
            for (bool active : {true, false}) {
                const WindowKind kind{caps, maximized, active};
                std::vector<std::pair<Rect, std::string>> right, afterText;
                int maximizers = 0, minimizers = 0, closers = 0, icons = 0;
                for (const std::string& s : CaptionButtons()) {
                    if (!Visible(Def(), s, kind)) continue;
                    const int action = Int(s, "Action");
                    // The test skin shows a help button of a custom action on purpose.
                    EXPECT_TRUE(handled.count(action) || GetParam() == "asymmetric")
                        << s << " would show a button the engine does nothing for";
                    maximizers += action == 1;
                    minimizers += action == 2;
                    closers += action == 0;
                    icons += action == 3;
                    const Bitmap& b = Image(s, "ButtonImage");
                    const int w = b.width() / Int(s, "frame");
                    if (Int(s, "Align") == 1) {
                        right.push_back(
                            {skin::MakeRect(width - Int(s, "Xcoord"), Int(s, "Ycoord"), w, b.height()), s});
                    } else if (Int(s, "Align") == 3) {
                        // After the caption text, which ends at textEnd at the latest.
                        afterText.push_back(
                            {skin::MakeRect(textEnd + Int(s, "Xcoord"), Int(s, "Ycoord"), w, b.height()), s});
                    } else {
                        // The caption text is drawn after the text background's left end.
                        EXPECT_LE(Int(s, "Xcoord") + w, f.Left + Int("Personality", "TextShift") +
                                                            Int("Personality", "TXTBackleft"))
                            << s << " runs into the caption text";
                    }
                }
                const std::string where = "caps " + std::to_string(caps) + (maximized ? " maximized" : "");
                EXPECT_EQ(closers, caps & 8 ? 1 : 0) << where;
                EXPECT_EQ(maximizers, caps & 1 ? 1 : 0) << where;
                EXPECT_EQ(minimizers, caps & 2 ? 1 : 0) << where;
                EXPECT_EQ(icons, 1) << where;
                std::sort(right.begin(), right.end(),
                          [](auto& a, auto& b) { return a.first.Left < b.first.Left; });
                for (const auto& [r, s] : afterText) {
                    EXPECT_LE(r.Right, right.empty() ? width - f.Right : right[0].first.Left)
                        << s << " runs into " << (right.empty() ? "the border" : right[0].second) << ", "
                        << where;
                }
                for (std::size_t i = 0; i < right.size(); ++i) {
                    EXPECT_GE(right[i].first.Left, textEnd)
                        << right[i].second << " under the caption text, " << where;
                    EXPECT_LE(right[i].first.Right, width - f.Right) << right[i].second << " on the border";
                    if (i + 1 < right.size()) {
                        const int gap = right[i + 1].first.Left - right[i].first.Right;
                        EXPECT_GE(gap, 0)
                            << right[i].second << " overlaps " << right[i + 1].second << ", " << where;
                        EXPECT_LE(gap, 4) << "a hole between " << right[i].second << " and "
                                          << right[i + 1].second << ", " << where;
                    }
                }
                if (maximized) {
                    bool restore = false;
                    for (const auto& [r, s] : right)
                        restore = restore || rtl::LowerCaseAscii(s) == "buttonrestore";
                    EXPECT_TRUE(restore) << "a maximized window offers restore";
                }
            }
        }
    }
}

TEST_P(SkinSources, TextStaysReadableOnItsImages) {
    struct Check {
        std::string What;
        Pixel Text, Back;
        double Min;
    };
    const bool highContrast = Int("TitlebarSkin", "HighContrast") == 1;
    const double readable = highContrast ? kHighContrastText : kReadable;
    const double dimmed = highContrast ? kHighContrastText : kDimmed;
    std::vector<Check> checks;
    const Bitmap& top = Image("Personality", "Top");
    const FrameSizes f = Frame();
    const int middle = Int("Personality", "TopTopHeight") + 1;
    checks.push_back(
        {"active caption", ColourKey("Colours", "TitleTextActive"), top.pixel(middle, f.Top / 2), readable});
    checks.push_back({"inactive caption", ColourKey("Colours", "TitleTextNoActive"),
                      top.pixel(middle, f.Top + f.Top / 2), dimmed});

    const Bitmap& button = Image("Buttons", "Bitmap");
    checks.push_back({"button", ColourKey("Buttons", "NormalColour2"), Centre(button, 1, 5), readable});
    checks.push_back(
        {"pressed button", ColourKey("Buttons", "PressedColour2"), Centre(button, 2, 5), readable});
    checks.push_back(
        {"hot button", ColourKey("Buttons", "MouseOverColour2"), Centre(button, 4, 5), readable});
    checks.push_back({"disabled button", kSystemGrey, Centre(button, 3, 5), kDiscernible});

    const Bitmap& bar = Image("Personality", "menuBar");
    for (int frame : {1, 2}) {
        checks.push_back({"menu bar " + std::to_string(frame), ColourKey("Colours", "MenuBarText"),
                          Centre(bar, frame, 2, true), readable});
    }
    checks.push_back(
        {"hot menu bar item frame", ColourKey("Colours", "ButtonHilight"), Centre(bar, 1, 2, true), 1.5});

    const Pixel menu = Centre(Image("MenuBackground", "Image"), 1, 1);
    checks.push_back({"menu item", ColourKey("Colours", "MenuText"), menu, readable});
    checks.push_back({"selected menu item", ColourKey("Colours", "HilightText"),
                      Centre(Image("MenuItem", "Image"), 4, 5), readable});
    checks.push_back({"disabled menu item", ColourKey("Colours", "ButtonShadow"), menu, kDiscernible});
    EXPECT_NE(ColourKey("Colours", "ButtonShadow"), ColourKey("Colours", "MenuText"))
        << "the engine would then fall back to the system's grey";

    const Bitmap& tabs = Image("Tabs", "Image");
    checks.push_back({"tab", ColourKey("Tabs", "NormalColour2"), Centre(tabs, 1, 5), readable});
    checks.push_back({"focused tab", ColourKey("Tabs", "MouseOverColour2"), Centre(tabs, 2, 5), readable});
    for (int frame = 1; frame <= 3; ++frame) {
        checks.push_back({"status panel " + std::to_string(frame),
                          ColourKey("StatusBarEdges", "NormalColour2"),
                          Centre(Image("StatusBarEdges", "Image"), frame, 3), readable});
    }
    checks.push_back(
        {"header (system text)", kSystemText, Centre(Image("Headerbar", "Image"), 1, 5), readable});
    checks.push_back(
        {"labels on the face (system text)", kSystemText, ColourKey("Colours", "ButtonFace"), readable});

    for (const Check& c : checks) {
        EXPECT_GE(Contrast(c.Text, c.Back), c.Min) << c.What << ": " << Hex(c.Text) << " on " << Hex(c.Back);
    }
}

TEST_P(SkinSources, CaptionGlyphsStandOutFromTheirButtons) {
    for (const std::string& s : CaptionButtons()) {
        const int action = Int(s, "Action");
        if (action < 0 || action == 3 || action == 11) continue; // greyed stand-ins and the icon
        const Bitmap& b = Image(s, "ButtonImage");
        const Bitmap& top = Image("Personality", "Top");
        const int middle = Int("Personality", "TopTopHeight") + 1;
        // Where a button is transparent, the active caption shows.
        auto shown = [&](int x, int y) {
            const Pixel p = b.pixel(x, y);
            return p == kKey ? top.pixel(middle, Int(s, "Ycoord") + y) : p;
        };
        for (int frame = 1; frame <= 3; ++frame) {
            const Rect r = skin::SkinFrameRect(b, {.frame = frame, .frameCount = Int(s, "frame")});
            const Pixel back = shown(r.Left + r.Width() / 2, r.Top + 2);
            double best = 1;
            for (int y = r.Top; y < r.Bottom; ++y) {
                for (int x = r.Left; x < r.Right; ++x)
                    best = std::max(best, Contrast(shown(x, y), back));
            }
            EXPECT_GE(best, kReadable) << s << " frame " << frame;
        }
    }
}

TEST_P(SkinSources, EdgesSurviveTheEnginesStretching) {
    // The menu bar is drawn as a three-slice bar at the system's menu height, whatever its own height.
    const Bitmap& bar = Image("Personality", "menuBar");
    const Rect frame1 = skin::SkinFrameRect(bar, {.frameCount = 2, .vertical = true});
    const Rect ends{Int("Personality", "TileLeftMenu", 1), 0, Int("Personality", "TileRightMenu", 1), 0};
    for (int h = 16; h <= 26; ++h) {
        Bitmap out(60, h);
        skin::DrawSkinBar(out, {0, 0, 60, h}, bar, ends, {.frameCount = 2, .vertical = true});
        EXPECT_EQ(out.pixel(30, h - 1), bar.pixel(10, frame1.Bottom - 1))
            << "bottom line lost at height " << h;
        EXPECT_EQ(out.pixel(30, 0), bar.pixel(10, 0)) << "height " << h;
    }
    // The combo button is stretched over the combo box's full height; its outer rows and right column stay
    // transparent, so the sunken edge's outline runs unbroken past it.
    const Bitmap& button = Image("ComboButton", "Image");
    const Pixel under = skin::MakePixel(9, 9, 9);
    for (int h = 17; h <= 30; ++h) {
        for (int state = 1; state <= 4; ++state) {
            Bitmap out(kSystemScrollWidth + 2, h, under);
            skin::DrawSkinFrame(out, out.bounds(), button,
                                {.frame = state, .frameCount = 4, .transparent = true});
            for (int x = 0; x < out.width(); ++x) {
                EXPECT_EQ(out.pixel(x, 0), under) << "state " << state << " height " << h;
                EXPECT_EQ(out.pixel(x, h - 1), under) << "state " << state << " height " << h;
            }
            EXPECT_EQ(out.pixel(out.width() - 1, h / 2), under);
            EXPECT_NE(out.pixel(out.width() / 2, h / 2), under);
        }
    }
    // A separator item shows the bottom 8 rows (12 on older systems) of menu item frame 2: the line must be
    // in the last 8, and nothing else may show.
    const Bitmap& item = Image("MenuItem", "Image");
    const Rect sep = skin::SkinFrameRect(item, {.frame = 2, .frameCount = 5});
    ASSERT_GE(sep.Height(), 12);
    int lineRows = 0;
    for (int y = sep.Top; y < sep.Bottom; ++y) {
        const bool line = item.pixel(sep.Left + sep.Width() / 2, y) != kKey;
        if (line) {
            ++lineRows;
            EXPECT_GE(y, sep.Bottom - 8) << "separator line outside the rows a separator shows";
        }
    }
    EXPECT_EQ(lineRows, 1);
}

TEST_P(SkinSources, AreExactlyWhatTheGeneratorMakes) {
    const skingen::Skin skin = skingen::BuildSkin(skingen::ThemeByName(GetParam()));
    const std::vector<skingen::SkinFile> files = skingen::SkinFiles(skin);
    std::set<std::string> generated;
    for (const skingen::SkinFile& f : files) {
        generated.insert(f.Name);
        const std::filesystem::path path = Skin().Folder / f.Name;
        ASSERT_TRUE(std::filesystem::exists(path)) << f.Name << " missing: run scripts/generate-skins.sh";
        EXPECT_TRUE(ReadFileBytes(path) == f.Bytes) << f.Name << " differs from the generator's: regenerate";
    }
    for (const auto& [name, size] : Skin().FileSizes)
        EXPECT_TRUE(generated.count(name)) << name << " is stale";
    // And the generator gives the same bytes every time.
    const std::vector<skingen::SkinFile> again =
        skingen::SkinFiles(skingen::BuildSkin(skingen::ThemeByName(GetParam())));
    ASSERT_EQ(again.size(), files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_TRUE(again[i].Bytes == files[i].Bytes) << files[i].Name;
}

TEST_P(SkinSources, StayWithinTheSizeBudget) {
    const std::uintmax_t total = Skin().TotalBytes();
    RecordProperty("bytes", std::to_string(total));
    RecordProperty("files", std::to_string(Skin().FileSizes.size()));
    EXPECT_LE(total, kUnpackedBudget);
}

} // namespace
} // namespace skintest
