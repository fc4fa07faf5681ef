// Caption buttons: each image holds the frames normal, pressed, hot and inactive side by side. The caption's
// own gradient is drawn into every frame, so a button needs no transparency and no edge ever meets the key
// colour; hot and pressed show a rounded plate, the close button's plate is red.
#include "tools/skingen/elements.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

// Odd sizes, so the strokes of the close cross meet in one pixel.
constexpr int kGlyphSize = 9;
constexpr int kPlateRadius = 4;
constexpr int kMdiCellWidth = 16;
constexpr int kMdiCellHeight = 14;
constexpr int kMdiGlyphSize = 7;
constexpr int kMdiPlateRadius = 3;

// Actions and visibility codes of the caption buttons, as the form skinning reads them.
constexpr int kActionClose = 0;
constexpr int kActionMaximizeRestore = 1;
constexpr int kActionMinimize = 2;
constexpr int kActionSystemMenu = 3;
constexpr int kActionNone = -1;       // shown but never hit
constexpr int kActionCustomHelp = 40; // no built-in meaning: posted to the window as a custom action
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignAfterText = 3;    // Xcoord pixels after the caption text's right end
constexpr int kShowAlways = 0;        // Visibility: a captioned window; for close also a system menu
constexpr int kShowIfMaximizeBox = 6; // Visibility: maximize box and system menu
constexpr int kShowIfMinimizeBox = 8; // Visibility: minimize box and system menu
constexpr int kShowNever = 10;
constexpr int kAlsoAlways = 0; // Visibility1
constexpr int kAlsoIfMaximized = 1;
constexpr int kAlsoIfNotMaximized = 2;
constexpr int kAlsoIfNoMaximizeBox = 7;
constexpr int kAlsoIfNoMinimizeBox = 9;

enum class Kind { Plain, Close, Unavailable };

struct ButtonLook {
    const char* Section;
    const char* File;
    CaptionGlyph Glyph;
    Kind Look;
    int Action;
    int Slot; // position from the right, 0 = rightmost
    int Visibility;
    int Visibility1;
};

// In file order, which is also the order the engine hit-tests them in.
constexpr ButtonLook kRightButtons[] = {
    {"ButtonClose", "close.bmp", CaptionGlyph::Close, Kind::Close, kActionClose, 0, kShowAlways, kAlsoAlways},
    {"ButtonMaximize", "maximize.bmp", CaptionGlyph::Maximize, Kind::Plain, kActionMaximizeRestore, 1,
     kShowIfMaximizeBox, kAlsoIfNotMaximized},
    {"ButtonRestore", "restore.bmp", CaptionGlyph::Restore, Kind::Plain, kActionMaximizeRestore, 1,
     kShowIfMaximizeBox, kAlsoIfMaximized},
    // A window with only one of the two boxes shows the other one greyed, so the buttons keep their places.
    {"ButtonMaximizeOff", "maxoff.bmp", CaptionGlyph::Maximize, Kind::Unavailable, kActionNone, 1,
     kShowIfMinimizeBox, kAlsoIfNoMaximizeBox},
    {"ButtonMinimize", "minimize.bmp", CaptionGlyph::Minimize, Kind::Plain, kActionMinimize, 2,
     kShowIfMinimizeBox, kAlsoAlways},
    {"ButtonMinimizeOff", "minoff.bmp", CaptionGlyph::Minimize, Kind::Unavailable, kActionNone, 2,
     kShowIfMaximizeBox, kAlsoIfNoMinimizeBox},
};

// Kept switched off: the engine gives a custom action no meaning of its own. A skin author turns it on by
// giving it a visibility (for example 7 with Visibility1 9: windows without minimize and maximize boxes).
constexpr ButtonLook kHelpButton = {"ButtonHelp",      "help.bmp", CaptionGlyph::Help, Kind::Plain,
                                    kActionCustomHelp, 1,          kShowNever,         kAlsoAlways};

const std::vector<std::string> kCaptionFrames = {"normal", "pressed", "hot", "inactive"};

// Four frames carry the caption's gradient (the fourth the inactive one); three frames leave the key colour
// where the caption shows through, and the engine draws frame 1 in inactive windows.
SkinImage CaptionButtonStrip(const SkinParams& p, const ButtonLook& look) {
    const Metrics& m = p.Size;
    const Palette& c = p.Colours;
    const int y0 = CaptionButtonYCoord(m);
    const bool overCaption = p.Style.CaptionButtonFrames == 4;
    std::vector<std::string> frames(kCaptionFrames.begin(),
                                    kCaptionFrames.begin() + p.Style.CaptionButtonFrames);
    const Brush onCaption{true, CaptionColourAt(p, true, y0 + m.CaptionButtonHeight / 2)};
    return MakeStrip(
        look.File, m.CaptionButtonWidth, m.CaptionButtonHeight, std::move(frames), false,
        [&](Bitmap& b, int f) {
            const bool active = f != 4;
            if (overCaption) {
                for (int y = 0; y < b.height(); ++y) {
                    HorizontalLine(b, 0, b.width(), y, CaptionColourAt(p, active, y0 + y));
                }
            }
            const bool pressed = f == 2;
            const bool hot = f == 3;
            Pixel glyph = active ? c.CaptionGlyph : c.CaptionGlyphInactive;
            if (look.Look == Kind::Unavailable) {
                glyph = Mix(c.CaptionGlyphInactive, CaptionColourAt(p, active, y0), 1, 3);
            } else if (pressed || hot) {
                const bool close = look.Look == Kind::Close;
                const Pixel plate = close ? (pressed ? c.ClosePressed : c.CloseHot)
                                          : (pressed ? c.CaptionPressed : c.CaptionHot);
                DrawRoundedBox(b, {b.bounds(), kPlateRadius, kAllCorners, {}, plate, plate}, onCaption);
                if (close) glyph = c.CloseGlyphHot;
                if (p.Style.CueWidth > 0) {
                    // A hot button is ringed in the cue colour and its glyph takes it; a pressed one is
                    // filled with it, the glyph in the caption's colour.
                    if (hot) InnerBand(b, b.bounds(), p.Style.CueWidth - 1, p.Style.CueColour);
                    if (hot) Outline(b, b.bounds(), p.Style.CueColour);
                    glyph = hot ? p.Style.CueColour : CaptionColourAt(p, active, y0);
                }
            }
            DrawCaptionGlyph(b, b.bounds(), look.Glyph, kGlyphSize, glyph);
        });
}

void AddButtonSection(Skin& skin, const SkinParams& p, const ButtonLook& look) {
    const SkinImage& image = skin.AddImage(CaptionButtonStrip(p, look));
    Section& s = skin.AddSection(look.Section);
    s.Set("ButtonImage", image.File);
    s.Set("frame", image.Frames);
    s.Set("Action", look.Action);
    s.Set("Align", kAlignRight);
    s.Set("Xcoord", CaptionButtonXCoord(p.Size, look.Slot));
    s.Set("Ycoord", CaptionButtonYCoord(p.Size));
    s.Set("Visibility", look.Visibility);
    s.Set("Visibility1", look.Visibility1);
}

// The window icon button. The engine always paints the window's own small icon in it; the image only gives
// the button its size, so it shows a neutral stand-in (two arrows: a conversion) for the contact sheet.
void AddIconButton(Skin& skin, const SkinParams& p) {
    const Metrics& m = p.Size;
    const Palette& c = p.Colours;
    const int y0 = (m.CaptionHeight - m.IconSize) / 2;
    const Brush overCaption{true, CaptionColourAt(p, true, y0 + m.IconSize / 2)};
    const SkinImage& image = skin.AddImage(
        MakeStrip("icon.bmp", m.IconSize, m.IconSize, {"size only"}, false, [&](Bitmap& b, int) {
            const double s = m.IconSize / 16.0;
            DrawRoundedBox(b,
                           {{1, 1, m.IconSize - 1, m.IconSize - 1}, 3, kAllCorners, {}, c.Accent, c.Accent},
                           overCaption);
            const Brush onAccent{};
            DrawStroke(b, {{4 * s, 6 * s}, {12 * s, 6 * s}}, 1.3, c.AccentText, onAccent);
            DrawStroke(b, {{10 * s, 4 * s}, {12 * s, 6 * s}, {10 * s, 8 * s}}, 1.3, c.AccentText, onAccent);
            DrawStroke(b, {{4 * s, 10 * s}, {12 * s, 10 * s}}, 1.3, c.AccentText, onAccent);
            DrawStroke(b, {{6 * s, 8 * s}, {4 * s, 10 * s}, {6 * s, 12 * s}}, 1.3, c.AccentText, onAccent);
        }));
    Section& s = skin.AddSection("ButtonIcon");
    s.Set("ButtonImage", image.File);
    s.Set("frame", 1); // given, so the engine keeps the image (and with it the button's size)
    s.Set("Action", kActionSystemMenu);
    s.Set("Align", kAlignLeft);
    s.Set("Xcoord", m.IconLeft);
    s.Set("Ycoord", y0);
    s.Set("Visibility", kShowAlways);
    s.Set("Visibility1", kAlsoAlways);
}

// The buttons of a maximized document window, drawn on the menu bar: 12 cells, four frames (normal,
// pressed, hot, hot) for minimize, restore and close in that order. The engine shows the fourth frame
// while the mouse is over one.
void AddMdiControls(Skin& skin, const SkinParams& p) {
    const Palette& c = p.Colours;
    const CaptionGlyph glyphs[] = {CaptionGlyph::Minimize, CaptionGlyph::Restore, CaptionGlyph::Close};
    const char* names[] = {"minimize", "restore", "close"};
    const char* states[] = {"normal", "pressed", "hot", "hot"};
    std::vector<std::string> frameNames;
    for (const char* n : names) {
        for (const char* st : states)
            frameNames.push_back(std::string(n) + " " + st);
    }
    const Brush onMenuBar{true, c.MenuBar};
    SkinImage image =
        MakeStrip("mdicontrols.bmp", kMdiCellWidth, kMdiCellHeight, frameNames, false, [&](Bitmap& b, int f) {
            const int button = (f - 1) / 4;
            const int state = (f - 1) % 4; // 0 normal, 1 pressed, 2 and 3 hot
            if (state > 0) {
                const Pixel plate = state == 1 ? c.CaptionPressed : c.CaptionHot;
                DrawRoundedBox(b, {b.bounds(), kMdiPlateRadius, kAllCorners, {}, plate, plate}, onMenuBar);
            }
            DrawCaptionGlyph(b, b.bounds(), glyphs[button], kMdiGlyphSize, c.MenuBarText);
        });
    const SkinImage& added = skin.AddImage(std::move(image));
    skin.AddSection("MdiControls").Set("Image", added.File);
}

} // namespace

void AddCaptionButtons(Skin& skin, const SkinParams& p) {
    for (const ButtonLook& look : kRightButtons)
        AddButtonSection(skin, p, look);
    AddIconButton(skin, p);
    if (p.Style.HelpBesideCaption) {
        // Anchored to the end of the caption text and always shown: it follows the text as the window and
        // its title change.
        const SkinImage& image = skin.AddImage(CaptionButtonStrip(p, kHelpButton));
        Section& s = skin.AddSection(kHelpButton.Section);
        s.Set("ButtonImage", image.File);
        s.Set("frame", image.Frames);
        s.Set("Action", kHelpButton.Action);
        s.Set("Align", kAlignAfterText);
        s.Set("Xcoord", kHelpButtonGap);
        s.Set("Ycoord", CaptionButtonYCoord(p.Size));
        s.Set("Visibility", kShowAlways);
        s.Set("Visibility1", kAlsoAlways);
    } else {
        AddButtonSection(skin, p, kHelpButton);
    }
    AddMdiControls(skin, p);
}

} // namespace skingen
