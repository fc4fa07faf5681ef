// Push buttons, check and radio glyphs, tool bar buttons and the group box edge. Everything here is drawn
// on the window face, so rounded edges are smoothed against the face colour and the corners are key
// coloured (the painters copy these images with the key colour transparent).
#include "tools/skingen/elements.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

constexpr int kButtonWidth = 20;
constexpr int kButtonHeight = 22;
// Check and radio glyphs are square, Styles::CheckSide and RadioSide pixels: 13 fit the engine's 14-pixel
// glyph column with the glyph flush left.
constexpr int kGlyphRadius = 3;
constexpr double kCheckStroke = 1.7;
constexpr double kRadioDot = 2.6;
constexpr int kToolSide = 22;
constexpr int kGroupSide = 16;
constexpr int kGroupMargin = 5;
constexpr int kGroupRadius = 4;

struct Look {
    Pixel Top, Bottom, Border;
};

void DrawPushButton(Bitmap& b, const Look& look, const Brush& brush, int radius) {
    DrawRoundedBox(b, {b.bounds(), radius, kAllCorners, look.Border, look.Top, look.Bottom}, brush);
}

SkinImage ButtonStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    // Frame 5 is not drawn by the engine; it holds the look of a default button for skins that want it.
    return MakeStrip("button.bmp", kButtonWidth, kButtonHeight,
                     {"normal", "pressed", "disabled", "hot / focused", "default"}, false,
                     [&](Bitmap& b, int f) {
                         const Look looks[] = {
                             {c.ButtonTop, c.ButtonBottom, c.ButtonOutline},
                             {c.ButtonPressedTop, c.ButtonPressedBottom, c.ButtonPressedOutline},
                             {c.ButtonDisabledTop, c.ButtonDisabledBottom, c.ButtonDisabledOutline},
                             {c.ButtonHotTop, c.ButtonHotBottom, c.ButtonHotOutline},
                             {c.ButtonTop, c.ButtonBottom, c.Accent},
                         };
                         DrawPushButton(b, looks[f - 1], onFace, p.Size.ControlRadius);
                         if (f == 4) InnerBand(b, b.bounds(), p.Style.CueWidth, p.Style.CueColour);
                     });
}

SkinImage CheckStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const Pixel greyMark = Mix(c.DisabledBorder, c.TextMuted, 1, 2);
    const int side = p.Style.CheckSide;
    return MakeStrip(
        "check.bmp", side, side,
        {"unchecked", "checked", "unchecked, disabled", "checked, disabled / indeterminate"}, false,
        [&](Bitmap& b, int f) {
            const bool checked = f == 2 || f == 4;
            const bool disabled = f >= 3;
            const Pixel fill = disabled ? c.Disabled : checked ? c.Accent : c.GlyphBox;
            const Pixel border = disabled ? c.DisabledBorder : checked ? c.Accent : c.GlyphBoxBorder;
            DrawRoundedBox(b, {b.bounds(), kGlyphRadius, kAllCorners, border, fill, fill}, onFace);
            if (checked) DrawCheckMark(b, b.bounds(), kCheckStroke, disabled ? greyMark : c.AccentText);
        });
}

SkinImage RadioStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const Pixel greyDot = Mix(c.DisabledBorder, c.TextMuted, 1, 2);
    const int side = p.Style.RadioSide;
    const double centre = side / 2.0;
    return MakeStrip(
        "radio.bmp", side, side, {"unchecked", "checked", "unchecked, disabled", "checked, disabled"}, false,
        [&](Bitmap& b, int f) {
            const bool checked = f == 2 || f == 4;
            const bool disabled = f >= 3;
            const Pixel fill = disabled ? c.Disabled : checked ? c.Accent : c.GlyphBox;
            const Pixel ring = disabled ? c.DisabledBorder : checked ? c.Accent : c.GlyphBoxBorder;
            DrawDisc(b, centre, centre, centre, fill, ring, onFace);
            if (checked) DrawDisc(b, centre, centre, kRadioDot, disabled ? greyDot : c.AccentText, {});
        });
}

SkinImage ToolBarStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const Pixel checkedFill = Mix(c.Face, c.Accent, 1, 6);
    // Normal and disabled tool buttons are flat: their frames stay transparent.
    return MakeStrip(
        "toolbar.bmp", kToolSide, kToolSide, {"normal", "pressed", "disabled", "hot", "checked"}, false,
        [&](Bitmap& b, int f) {
            const int radius = p.Size.ControlRadius;
            if (f == 2)
                DrawPushButton(b, {c.ButtonPressedTop, c.ButtonPressedBottom, c.ButtonPressedOutline}, onFace,
                               radius);
            if (f == 4) {
                DrawPushButton(b, {c.ButtonHotTop, c.ButtonHotBottom, c.ButtonHotOutline}, onFace, radius);
                InnerBand(b, b.bounds(), p.Style.CueWidth, p.Style.CueColour);
            }
            if (f == 5) DrawPushButton(b, {checkedFill, checkedFill, c.Accent}, onFace, radius);
        });
}

SkinImage GroupBoxStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    return MakeStrip(
        "groupbox.bmp", kGroupSide, kGroupSide, {"enabled", "disabled"}, false, [&](Bitmap& b, int f) {
            const Pixel line = f == 1 ? Mix(c.Separator, c.FieldBorder, 1, 2) : c.Separator;
            DrawRoundedBox(b, {b.bounds(), kGroupRadius, kAllCorners, line, c.Face, c.Face}, onFace);
            // Only the edge is drawn: the inside is left to the box's own background.
            Replace(b, b.bounds(), c.Face, kKey);
        });
}

} // namespace

void AddButtonElements(Skin& skin, const SkinParams& p) {
    const Palette& c = p.Colours;
    const int m = p.Style.ButtonMargin;
    Section& s = AddElement(skin, "Buttons", ButtonStrip(p), {m, m, m, m}, true, false, "Bitmap");
    const SkinImage& check = skin.AddImage(CheckStrip(p));
    const SkinImage& radio = skin.AddImage(RadioStrip(p));
    s.Set("CheckButton", check.File);
    s.Set("CheckButtonFrame", check.Frames);
    s.Set("RadioButton", radio.File);
    s.Set("RadioButtonFrame", radio.Frames);
    s.Set("NormalColour2", ColourText(c.ButtonText));
    s.Set("MouseOverColour2", ColourText(c.ButtonHotText));
    s.Set("PressedColour2", ColourText(c.ButtonPressedText));

    AddElement(skin, "ToolBars", ToolBarStrip(p), {m, m, m, m}, true, false);
    AddElement(skin, "GroupBoxEdge", GroupBoxStrip(p),
               {kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin}, true, false);
}

} // namespace skingen
