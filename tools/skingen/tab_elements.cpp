// Tabs and list headers. Tabs are drawn lying along the top edge; the engine turns the images for tabs at
// the other edges. The focused tab takes the page's colour and an accent line along its top.
#include "tools/skingen/elements.h"
#include "tools/skingen/strip.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int kTabWidth = 20;
constexpr int kTabHeight = 22;
constexpr int kAccentHeight = 2;
constexpr int kAccentInset = 2;
constexpr int kBorderSide = 16;
constexpr int kHeaderWidth = 20;
constexpr int kHeaderHeight = 20;
constexpr int kHeaderMargin = 2;
constexpr int kSeparatorInset = 4;

SkinImage TabStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const int r = p.Size.ControlRadius;
    // The engine draws frame 1 for every tab and frame 2 for the focused one; the others are kept for
    // painters that show hot, disabled and pressed tabs.
    return MakeStrip("tabs.bmp", kTabWidth, kTabHeight, {"normal", "focused", "hot", "disabled", "pressed"},
                     false, [&](Bitmap& b, int f) {
                         const bool open = f == 2 || f == 5; // joins the page: no line along the bottom
                         const Rect box{0, 0, b.width(), b.height() + (open ? 1 : 0)};
                         Pixel fill = c.TabFace;
                         Pixel border = c.TabBorder;
                         if (open) fill = c.TabSelected;
                         if (f == 3) fill = Mix(c.TabFace, c.TabSelected, 1, 2);
                         if (f == 4) {
                             fill = c.Disabled;
                             border = c.DisabledBorder;
                         }
                         const Pixel top = f == 1 || f == 3 ? Mix(fill, c.TabSelected, 1, 2) : fill;
                         DrawRoundedBox(b, {box, r, kTopCorners, border, top, fill}, onFace);
                         if (f == 2) {
                             const int accent = std::max(kAccentHeight, p.Style.CueWidth);
                             Fill(b, {kAccentInset, 1, b.width() - kAccentInset, 1 + accent}, c.Accent);
                         }
                     });
}

SkinImage TabBorderStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("tabborder.bmp", kBorderSide, kBorderSide, {"page border"}, false, [&](Bitmap& b, int) {
        b.fill(c.TabSelected);
        Outline(b, b.bounds(), c.TabBorder);
    });
}

SkinImage HeaderStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("header.bmp", kHeaderWidth, kHeaderHeight,
                     {"normal", "hot", "pressed", "disabled", "sorted"}, false, [&](Bitmap& b, int f) {
                         Pixel top = c.Header;
                         Pixel bottom = c.HeaderBottom;
                         if (f == 2) top = bottom = Mix(c.Header, c.HeaderBottom, 1, 2);
                         if (f == 3) top = bottom = Mix(c.HeaderBottom, c.HeaderLine, 1, 3);
                         if (f == 4) top = bottom = c.Face;
                         VerticalGradient(b, b.bounds(), top, bottom);
                         const int w = b.width();
                         const int h = b.height();
                         VerticalLine(b, w - 1, kSeparatorInset, h - kSeparatorInset, c.HeaderLine);
                         HorizontalLine(b, 0, w, h - 1, c.HeaderLine);
                         if (f == 5) HorizontalLine(b, 0, w, h - 2, c.Accent);
                     });
}

} // namespace

void AddTabElements(Skin& skin, const SkinParams& p) {
    const Palette& c = p.Colours;
    const Styles& st = p.Style;
    Section& tabs = AddElement(skin, "Tabs", TabStrip(p), {st.TabLeft, st.TabTop, st.TabRight, st.TabBottom},
                               true, false);
    const SkinImage& border = skin.AddImage(TabBorderStrip(p));
    tabs.Set("Border", border.File);
    tabs.Set("NormalColour2", ColourText(c.TabText));
    tabs.Set("MouseOverColour2", ColourText(c.TabSelectedText));
    tabs.Set("PressedColour2", ColourText(c.TabSelectedText));

    const int m = kHeaderMargin;
    AddElement(skin, "Headerbar", HeaderStrip(p), {m, m, m, m}, false, false);
}

} // namespace skingen
