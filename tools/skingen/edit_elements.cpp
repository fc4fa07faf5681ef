// The combo box: its sunken edge, the drop-down button and the arrow drawn on it. The frames follow the
// combo box's states in the engine's order: 1 normal, 2 pressed, 3 disabled, 4 hot or focused. The same
// edge colours as the engine's edit border (outer line in the button shadow colour, inner line white) keep
// combo boxes and edit boxes alike.
#include "tools/skingen/elements.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/strip.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int kEdgeSide = 8;
constexpr int kEdgeMargin = 2;
// The button image is drawn for a system scroll bar width of 17: the engine stretches it to the button
// rectangle, 2 pixels wider than that width and as high as the combo box.
constexpr int kComboButtonWidth = 19;
constexpr int kComboButtonHeight = 21;
constexpr int kArrowSide = 12;
constexpr double kArrowSpan = 7;
constexpr double kArrowStroke = 1.5;
constexpr int kGripDot = 2;
constexpr int kGripStep = 3;

const std::vector<std::string> kStates = {"normal", "pressed", "disabled", "hot / focused"};

// The button stays close to the field it belongs to: white, tinted with the accent when hot or pressed.
Pixel ComboButtonFill(const Palette& c, int state) {
    const Pixel fills[] = {c.Field, Mix(c.Field, c.Accent, 1, 4), c.Disabled, Mix(c.Field, c.Accent, 1, 8)};
    return fills[state - 1];
}

SkinImage SunkEdgeStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("sunkedge.bmp", kEdgeSide, kEdgeSide, kStates, false, [&](Bitmap& b, int f) {
        const Pixel outer[] = {c.FieldBorder, c.Accent, c.DisabledBorder, c.ButtonHotOutline};
        const Pixel inside = f == 3 ? c.Disabled : c.Field;
        b.fill(inside);
        Outline(b, b.bounds(), outer[f - 1]);
        // On the white of a field the cue is the accent: the edge turns into a band as thick as its fixed
        // margin allows, so stretching never thins it.
        if (f == 4 && p.Style.CueWidth > 0) {
            Outline(b, b.bounds(), c.Accent);
            InnerBand(b, b.bounds(), std::min(p.Style.CueWidth, kEdgeMargin - 1), c.Accent);
        }
    });
}

SkinImage ComboButtonStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip(
        "combobutton.bmp", kComboButtonWidth, kComboButtonHeight, kStates, false, [&](Bitmap& b, int f) {
            // The outermost row, column and row stay transparent so the sunken edge's outline runs through.
            const int w = b.width();
            const int h = b.height();
            Fill(b, {1, 1, w - 1, h - 1}, ComboButtonFill(c, f));
            VerticalLine(b, 0, 1, h - 1, f == 1 || f == 3 ? c.Separator : Mix(c.Field, c.Accent, 1, 2));
        });
}

SkinImage ExtraStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    std::vector<std::string> names;
    for (const std::string& s : kStates)
        names.push_back("arrow " + s);
    names.push_back("size grip");
    return MakeStrip("extra.bmp", kArrowSide, kArrowSide, names, false, [&](Bitmap& b, int f) {
        if (f <= 4) {
            const Pixel ink[] = {c.TextMuted, c.Text, c.DisabledBorder, c.Text};
            DrawChevron(b, b.bounds(), Direction::Down, kArrowSpan, kArrowStroke, ink[f - 1],
                        {true, ComboButtonFill(c, f)});
            return;
        }
        // Size grip: a triangle of dots in the bottom-right corner, drawn over the status bar.
        const Pixel dot = Mix(c.StatusBar, c.StatusBarText, 1, 2);
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                if (i + j < 2) continue;
                const int x = b.width() - 1 - (3 - i) * kGripStep;
                const int y = b.height() - 1 - (3 - j) * kGripStep;
                Fill(b, {x + 1, y + 1, x + 1 + kGripDot, y + 1 + kGripDot}, dot);
            }
        }
    });
}

} // namespace

void AddEditElements(Skin& skin, const SkinParams& p) {
    const int m = kEdgeMargin;
    AddElement(skin, "SunkEdge", SunkEdgeStrip(p), {m, m, m, m}, false, false);
    AddElement(skin, "ComboButton", ComboButtonStrip(p), {}, true, false);
    AddElement(skin, "ExtraImages", ExtraStrip(p), {}, true, false);
}

} // namespace skingen
