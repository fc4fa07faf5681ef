// Popup menus: the background of the menu window (its 3-pixel frame and the area behind the items) and the
// item frames drawn over it. Normal items are transparent, so the background shows through.
#include "tools/skingen/elements.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

constexpr int kItemWidth = 24;
constexpr int kItemHeight = 20;
// The left width also moves the glyph column and widens every item by as much.
constexpr Margins kItemMargins{6, 4, 6, 4};
constexpr int kHighlightInsetX = 2;
constexpr int kHighlightInsetY = 1;
// A separator item uses the bottom rows of frame 2 (8 of them, 12 on older systems): the line sits in
// the fourth of those 8 rows.
constexpr int kSeparatorRows = 8;
constexpr int kSeparatorLine = 3;
constexpr int kBackgroundSide = 16;
constexpr int kMenuFrame = 3; // the menu window's frame, copied from the background's edges

SkinImage ItemStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onMenu{true, c.Menu};
    const int r = p.Size.ControlRadius;
    return MakeStrip(
        "menuitem.bmp", kItemWidth, kItemHeight,
        {"normal", "separator", "selected, disabled", "selected", "pressed"}, false, [&](Bitmap& b, int f) {
            const Rect plate{kHighlightInsetX, kHighlightInsetY, b.width() - kHighlightInsetX,
                             b.height() - kHighlightInsetY};
            switch (f) {
            case 2: {
                const int y = b.height() - kSeparatorRows + kSeparatorLine;
                HorizontalLine(b, kItemMargins.Left, b.width() - kItemMargins.Right, y,
                               Mix(c.Menu, c.MenuText, 1, 5));
                break;
            }
            case 3: {
                const Pixel grey = Mix(c.Menu, c.MenuText, 1, 8);
                DrawRoundedBox(b, {plate, r, kAllCorners, {}, grey, grey}, onMenu);
                break;
            }
            case 4:
                DrawRoundedBox(b, {plate, r, kAllCorners, {}, c.MenuSelection, c.MenuSelection}, onMenu);
                break;
            case 5: {
                const Pixel deeper = Mix(c.MenuSelection, c.Accent, 1, 3);
                DrawRoundedBox(b, {plate, r, kAllCorners, {}, deeper, deeper}, onMenu);
                break;
            }
            default:
                break;
            }
        });
}

SkinImage BackgroundStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("menuback.bmp", kBackgroundSide, kBackgroundSide, {"background"}, false,
                     [&](Bitmap& b, int) {
                         b.fill(c.Menu);
                         Outline(b, b.bounds(), c.MenuBorder);
                     });
}

} // namespace

void AddMenuElements(Skin& skin, const SkinParams& p) {
    AddElement(skin, "MenuItem", ItemStrip(p), kItemMargins, true, false);
    AddElement(skin, "MenuBackground", BackgroundStrip(p), {kMenuFrame, kMenuFrame, kMenuFrame, kMenuFrame},
               false, false);
}

} // namespace skingen
