// The window frame. All four border images are cut from one drawn frame of a small window, so the caption
// gradient, the outline and the rounded top corners line up wherever two borders meet.
#include "skin/draw/blit.h"
#include "tools/skingen/elements.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

// Length of the part of each border that the engine stretches; the pixels there are all alike.
constexpr int kStretchedLength = 8;
// The caption's last row is a hairline a quarter of the way from the caption's colour to the outline's.
constexpr int kHairlineMix = 4;
// Space between the last caption button and the end of the caption text, and between the window icon
// and the start of the caption text.
constexpr int kTextToButtonsGap = 6;
constexpr int kIconToTextGap = 4;
// The caption text background: fixed ends and the underline that marks the active window's title.
constexpr int kTextBackEnd = 6;
constexpr int kUnderlineHeight = 2;
constexpr int kUnderlineFromBottom = 5;
// Menu bar ends kept at source size; the first item starts 4 pixels after the left end.
constexpr int kMenuBarEnd = 4;

struct FrameColours {
    Pixel Outline, CaptionTop, CaptionBottom, Fill;
};

FrameColours ColoursOf(const Palette& c, bool active) {
    return active ? FrameColours{c.FrameOutline, c.CaptionTop, c.CaptionBottom, c.FrameFill}
                  : FrameColours{c.FrameOutlineInactive, c.CaptionInactiveTop, c.CaptionInactiveBottom,
                                 c.FrameFillInactive};
}

// The frame of a window of the given size: outline, caption strip with its hairline, rounded top corners.
Bitmap DrawWindowFrame(const SkinParams& p, bool active, int width, int height) {
    const Metrics& m = p.Size;
    const FrameColours c = ColoursOf(p.Colours, active);
    Bitmap frame(width, height, c.Fill);
    for (int y = 0; y < m.CaptionHeight; ++y)
        HorizontalLine(frame, 0, width, y, CaptionColourAt(p, active, y));
    Outline(frame, frame.bounds(), c.Outline);
    if (p.Style.InnerEdge) {
        Outline(frame,
                {m.LeftWidth - 1, m.CaptionHeight - 1, width - m.RightWidth + 1, height - m.BottomHeight + 1},
                c.Outline);
    }
    if (!p.Style.OpaqueBorders) CutCorners(frame, frame.bounds(), m.CornerRadius, kTopCorners, c.Outline);
    return frame;
}

// Frame 1 (active) and, with two frames, frame 2 (inactive) of the part `area` of the window frame, stacked
// or side by side.
SkinImage BorderStrip(const SkinParams& p, std::string file, const Rect& area, int windowWidth,
                      int windowHeight, bool vertical, int frameCount = 2) {
    const Bitmap frames[] = {DrawWindowFrame(p, true, windowWidth, windowHeight),
                             DrawWindowFrame(p, false, windowWidth, windowHeight)};
    std::vector<std::string> names = {"active", "inactive"};
    if (frameCount == 1) names = {"active and inactive"};
    return MakeStrip(std::move(file), area.Width(), area.Height(), std::move(names), vertical,
                     [&](Bitmap& out, int f) {
                         skin::CopyRect(out, {0, 0}, frames[f - 1], area);
                     });
}

void SetBorderKeys(Section& s, const std::string& side, const SkinImage& image, int startLength,
                   int endLength, bool trans) {
    s.Set(side, image.File);
    s.Set(side + "TopHeight", startLength);
    s.Set(side + "BotHeight", endLength);
    s.Set(side + "Frame", image.Frames);
    s.Set(side + "Stretch", 1);
    s.Set(side + "Trans", trans ? 1 : 0);
}

SkinImage TextBackStrip(const SkinParams& p) {
    const Metrics& m = p.Size;
    const int width = 2 * kTextBackEnd + kStretchedLength;
    return MakeStrip("textback.bmp", width, m.CaptionHeight, {"active", "inactive"}, true,
                     [&](Bitmap& b, int f) {
                         if (f != 1) return; // an inactive title has no underline
                         const int top = m.CaptionHeight - kUnderlineFromBottom;
                         Fill(b, {kTextBackEnd, top, width - kTextBackEnd, top + kUnderlineHeight},
                              p.Style.CueWidth > 0 ? p.Style.CueColour : p.Colours.Accent);
                     });
}

SkinImage MenuBarStrip(const SkinParams& p) {
    const Metrics& m = p.Size;
    const Palette& c = p.Colours;
    return MakeStrip("menubar.bmp", 2 * kMenuBarEnd + kStretchedLength, m.MenuBarHeight,
                     {"active", "inactive"}, true, [&](Bitmap& b, int f) {
                         b.fill(f == 1 ? c.MenuBar : c.MenuBarInactive);
                         HorizontalLine(b, 0, b.width(), b.height() - 1, c.MenuBarLine);
                     });
}

} // namespace

int CaptionButtonXCoord(const Metrics& size, int slot) {
    return size.RightWidth + size.CaptionButtonRightMargin + size.CaptionButtonWidth +
           slot * (size.CaptionButtonWidth + size.CaptionButtonGap);
}

int CaptionButtonYCoord(const Metrics& size) {
    return (size.CaptionHeight - size.CaptionButtonHeight) / 2;
}

Pixel CaptionColourAt(const SkinParams& p, bool active, int y) {
    const FrameColours c = ColoursOf(p.Colours, active);
    const int rows = p.Size.CaptionHeight - 1; // the gradient; the last row is the hairline
    if (y >= rows) return Mix(c.CaptionBottom, c.Outline, 1, kHairlineMix);
    return GradientAt(c.CaptionTop, c.CaptionBottom, y, rows);
}

void AddFrameElements(Skin& skin, const SkinParams& p) {
    const Metrics& m = p.Size;
    const int width = m.LeftWidth + m.RightWidth + m.TopLeftEnd + kStretchedLength + m.TopRightEnd;
    const int height = m.CaptionHeight + kStretchedLength + m.BottomHeight;
    // Rounded corners are cut with the key colour; square ones leave the borders without it.
    const bool trans = !p.Style.OpaqueBorders;

    Section& s = skin.AddSection("Personality");
    const SkinImage& left =
        skin.AddImage(BorderStrip(p, "left.bmp", {0, 0, m.LeftWidth, height}, width, height, false));
    SetBorderKeys(s, "Left", left, m.CaptionHeight, m.BottomHeight, trans);
    const SkinImage& right = skin.AddImage(
        BorderStrip(p, "right.bmp", {width - m.RightWidth, 0, width, height}, width, height, false));
    SetBorderKeys(s, "Right", right, m.CaptionHeight, m.BottomHeight, trans);
    const SkinImage& top = skin.AddImage(BorderStrip(
        p, "top.bmp", {m.LeftWidth, 0, width - m.RightWidth, m.CaptionHeight}, width, height, true));
    SetBorderKeys(s, "Top", top, m.TopLeftEnd, m.TopRightEnd, trans);
    // The bottom corners are square: nothing to cut, so the bottom border is opaque and needs no ends.
    const SkinImage& bottom = skin.AddImage(BorderStrip(
        p, "bottom.bmp", {m.LeftWidth, height - m.BottomHeight, m.LeftWidth + kStretchedLength, height},
        width, height, true, p.Style.BottomFrames));
    SetBorderKeys(s, "Bottom", bottom, 0, 0, false);

    // Caption text: left aligned after the window icon, clipped before the three right-hand buttons.
    const SkinImage& textBack = skin.AddImage(TextBackStrip(p));
    s.Set("TextBack", textBack.File);
    s.Set("Textbackground", 1);
    s.Set("TXTBackleft", kTextBackEnd);
    s.Set("TXTBackRight", kTextBackEnd);
    s.Set("TextAlignment", 0);
    // The text rectangle starts at the left border's inner edge plus TextShift; the underline (the middle of
    // the text background, where the text itself starts) begins a small gap after the window icon.
    s.Set("TextShift", m.IconLeft + m.IconSize + kIconToTextGap - m.LeftWidth - kTextBackEnd);
    s.Set("TextShiftVert", 0);
    // A help button beside the text needs its room before the right-hand buttons too.
    const int helpRoom = p.Style.HelpBesideCaption ? kHelpButtonGap + m.CaptionButtonWidth : 0;
    s.Set("TextRightClip", CaptionButtonXCoord(m, 2) - m.RightWidth + kTextToButtonsGap + helpRoom);
    const Palette& c = p.Colours;
    s.Set("ActiveTextR", skin::RedOf(c.CaptionText));
    s.Set("ActiveTextG", skin::GreenOf(c.CaptionText));
    s.Set("ActiveTextB", skin::BlueOf(c.CaptionText));
    s.Set("InActiveTextR", skin::RedOf(c.CaptionTextInactive));
    s.Set("InActiveTextG", skin::GreenOf(c.CaptionTextInactive));
    s.Set("InActiveTextB", skin::BlueOf(c.CaptionTextInactive));

    const SkinImage& menuBar = skin.AddImage(MenuBarStrip(p));
    s.Set("menuBar", menuBar.File);
    s.Set("TileMenu", 0);
    s.Set("TileLeftMenu", kMenuBarEnd);
    s.Set("TileRightMenu", kMenuBarEnd);
}

} // namespace skingen
