// Status bar panels, progress bar, track bar thumbs and up-down buttons.
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/blit.h"
#include "tools/skingen/elements.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

constexpr int kPanelWidth = 12;
constexpr int kPanelHeight = 20;
constexpr Margins kPanelMargins{1, 2, 2, 2};
constexpr int kPanelSeparatorInset = 5;
constexpr int kProgressWidth = 20;
constexpr int kProgressHeight = 12;
constexpr int kProgressMargin = 4;
constexpr int kChunkWidth = 8; // 7 pixels of chunk and a 1-pixel gap
constexpr int kChunkHeight = 8;
// Track bar thumbs, upright (for a horizontal bar); the engine stretches them to the thumb rectangle.
constexpr int kThumbNarrow = 11;
constexpr int kThumbLong = 21;
// Up-down halves: vertical ones are 16 x 11, horizontal ones 14 x 16; their arrows 7 pixels across.
constexpr int kSpinWide = 16;
constexpr int kSpinHalf = 11;
constexpr int kSpinHorzWidth = 14;
constexpr int kSpinArrow = 7;
constexpr int kSpinRadius = 3;

const std::vector<std::string> kThumbStates = {"hot", "normal", "pressed", "disabled", "focused"};
const std::vector<std::string> kSpinStates = {"normal", "pressed", "disabled", "hot"};

SkinImage StatusStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("status.bmp", kPanelWidth, kPanelHeight, {"lowered (usual)", "raised", "no bevel"},
                     false, [&](Bitmap& b, int f) {
                         b.fill(f == 2 ? Mix(c.StatusBar, c.StatusBarText, 1, 10) : c.StatusBar);
                         HorizontalLine(b, 0, b.width(), 0, c.StatusBarLine);
                         if (f != 3) {
                             VerticalLine(b, b.width() - 1, kPanelSeparatorInset,
                                          b.height() - kPanelSeparatorInset + 1,
                                          Mix(c.StatusBar, c.StatusBarText, 1, 4));
                         }
                     });
}

SkinImage ProgressStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const int r = p.Size.ControlRadius;
    // The chunk style draws the whole image as one frame under the chunks: only the track.
    std::vector<std::string> frames = {"track", "filled part"};
    if (p.Style.ChunkProgress) frames = {"track (chunks drawn over it)"};
    const int width = p.Style.ChunkProgress ? 2 * kProgressWidth : kProgressWidth;
    return MakeStrip("progress.bmp", width, kProgressHeight, std::move(frames), false, [&](Bitmap& b, int f) {
        if (f == 1) {
            const Pixel border = Mix(c.ProgressTrack, c.FieldBorder, 1, 2);
            DrawRoundedBox(b, {b.bounds(), r, kAllCorners, border, c.ProgressTrack, c.ProgressTrack}, onFace);
        } else {
            const Pixel border = Mix(c.Accent, c.Text, 1, 4);
            DrawRoundedBox(b, {b.bounds(), r, kAllCorners, border, Mix(c.Accent, c.Field, 1, 5), c.Accent},
                           onFace);
        }
    });
}

SkinImage ChunkStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    return MakeStrip("chunk.bmp", kChunkWidth, kChunkHeight, {"chunk"}, false, [&](Bitmap& b, int) {
        DrawRoundedBox(b, {{0, 0, kChunkWidth - 1, kChunkHeight}, 1, kAllCorners, {}, c.Accent, c.Accent},
                       {true, c.ProgressTrack});
    });
}

struct ThumbLook {
    Pixel Top, Bottom, Border;
};

ThumbLook ThumbLookOf(const Palette& c, int frame) {
    const Pixel lightEnd = Mix(c.GlyphBox, c.Face, 1, 2);
    switch (frame) {
    case 1:
        return {c.GlyphBox, Mix(c.GlyphBox, c.Accent, 1, 6), c.Accent}; // hot
    case 3:
        return {c.Accent, c.Accent, Mix(c.Accent, c.Text, 1, 4)}; // pressed
    case 4:
        return {c.Disabled, c.Disabled, c.DisabledBorder}; // disabled
    case 5:
        return {c.GlyphBox, Mix(c.GlyphBox, c.Accent, 1, 6), Mix(c.Accent, c.Text, 1, 4)}; // focused
    default:
        return {c.GlyphBox, lightEnd, c.Accent}; // normal
    }
}

// An upright thumb (kThumbNarrow x kThumbLong): a capsule, or pointed at the top.
Bitmap UprightThumb(const SkinParams& p, int frame, bool pointed) {
    const Palette& c = p.Colours;
    const ThumbLook look = ThumbLookOf(c, frame);
    const Brush onFace{true, c.Face};
    Bitmap b(kThumbNarrow, kThumbLong, kKey);
    if (!pointed) {
        DrawRoundedBox(b, {b.bounds(), kThumbNarrow / 2, kAllCorners, look.Border, look.Top, look.Bottom},
                       onFace);
        return b;
    }
    const double w = kThumbNarrow;
    const double h = kThumbLong;
    const double shoulder = w / 2; // where the 45-degree point meets the straight sides
    DrawPolygon(b, {{w / 2, 0}, {w, shoulder}, {w, h}, {0, h}, {0, shoulder}}, look.Border, onFace);
    // The inside, one pixel in from every edge; below the point it carries the gradient.
    const double tip = 1.5;
    DrawPolygon(b, {{w / 2, tip}, {w - 1, tip + w / 2 - 1}, {w - 1, h - 1}, {1, h - 1}, {1, tip + w / 2 - 1}},
                look.Top);
    const int gradientTop = static_cast<int>(tip + w / 2);
    VerticalGradient(b, {1, gradientTop, kThumbNarrow - 1, kThumbLong - 1}, look.Top, look.Bottom);
    return b;
}

enum class Turn { None, Flip, Left, Right };

SkinImage ThumbStrip(const SkinParams& p, const std::string& file, bool pointed, Turn turn) {
    const bool lying = turn == Turn::Left || turn == Turn::Right;
    return MakeStrip(file, lying ? kThumbLong : kThumbNarrow, lying ? kThumbNarrow : kThumbLong, kThumbStates,
                     false, [&](Bitmap& b, int f) {
                         Bitmap t = UprightThumb(p, f, pointed);
                         if (turn == Turn::Flip) skin::FlipBitmap(t);
                         if (turn == Turn::Left) skin::RotateBitmapLeft(t);
                         if (turn == Turn::Right) skin::RotateBitmapRight(t);
                         skin::CopyRect(b, {0, 0}, t, t.bounds());
                     });
}

struct SpinLook {
    Pixel Top, Bottom, Border, Ink;
};

SpinLook SpinLookOf(const Palette& c, int state) {
    switch (state) {
    case 2:
        return {c.ButtonPressedTop, c.ButtonPressedBottom, c.ButtonPressedOutline, c.ButtonPressedText};
    case 3:
        return {c.ButtonDisabledTop, c.ButtonDisabledBottom, c.ButtonDisabledOutline, c.DisabledBorder};
    case 4:
        return {c.ButtonHotTop, c.ButtonHotBottom, c.ButtonHotOutline, c.ButtonHotText};
    default:
        return {c.ButtonTop, c.ButtonBottom, c.ButtonOutline, c.ButtonText};
    }
}

std::vector<std::string> SpinFrameNames(const char* first, const char* second) {
    std::vector<std::string> names;
    for (const char* half : {first, second}) {
        for (const std::string& s : kSpinStates)
            names.push_back(std::string(half) + " " + s);
    }
    return names;
}

// The halves of a spin button: the first arrow (up or left) in frames 1 to 4, the second in 5 to 8. The
// two halves share the line between them, so a whole spin button looks like one rounded button.
SkinImage SpinStrip(const SkinParams& p, const std::string& file, bool vertical) {
    const Palette& c = p.Colours;
    const Brush onFace{true, c.Face};
    const int w = vertical ? kSpinWide : kSpinHorzWidth;
    const int h = vertical ? kSpinHalf : kSpinWide;
    return MakeStrip(
        file, w, h, vertical ? SpinFrameNames("up", "down") : SpinFrameNames("left", "right"), false,
        [&](Bitmap& b, int f) {
            const bool first = f <= 4;
            const SpinLook look = SpinLookOf(c, (f - 1) % 4 + 1);
            Rect box = b.bounds();
            unsigned corners = 0;
            if (vertical) {
                corners = first ? kTopCorners : kBottomLeft | kBottomRight;
                if (!first) box.Top -= 1;
            } else {
                corners = first ? kTopLeft | kBottomLeft : kTopRight | kBottomRight;
                if (!first) box.Left -= 1;
            }
            DrawRoundedBox(b, {box, kSpinRadius, corners, look.Border, look.Top, look.Bottom}, onFace);
        });
}

SkinImage SpinGlyphStrip(const SkinParams& p, const std::string& file, bool vertical) {
    const Palette& c = p.Colours;
    const int depth = kSpinArrow / 2 + 1;
    const int w = vertical ? kSpinArrow : depth;
    const int h = vertical ? depth : kSpinArrow;
    return MakeStrip(file, w, h, vertical ? SpinFrameNames("up", "down") : SpinFrameNames("left", "right"),
                     false, [&](Bitmap& b, int f) {
                         const bool first = f <= 4;
                         const Direction d = vertical ? (first ? Direction::Up : Direction::Down)
                                                      : (first ? Direction::Left : Direction::Right);
                         DrawTriangle(b, b.bounds(), d, kSpinArrow, SpinLookOf(c, (f - 1) % 4 + 1).Ink);
                     });
}

void AddSpin(Skin& skin, const SkinParams& p, const std::string& section, const std::string& name,
             bool vertical) {
    Section& s = AddElement(skin, section, SpinStrip(p, name + ".bmp", vertical), {}, true, false);
    const SkinImage& glyph = skin.AddImage(SpinGlyphStrip(p, name + "_arrows.bmp", vertical));
    s.Set("GlyphImage", glyph.File);
}

} // namespace

void AddBarElements(Skin& skin, const SkinParams& p) {
    const Palette& c = p.Colours;
    Section& status = AddElement(skin, "StatusBarEdges", StatusStrip(p), kPanelMargins, false, false);
    status.Set("NormalColour2", ColourText(c.StatusBarText));

    const int m = kProgressMargin;
    Section& progress = AddElement(skin, "Progress", ProgressStrip(p), {m, m, m, m}, true, false, "Bitmap");
    const SkinImage& chunk = skin.AddImage(ChunkStrip(p));
    progress.Set("Chunk", chunk.File);
    progress.Set("Style",
                 p.Style.ChunkProgress ? 1 : 0); // 0: a bar filled up to the position; 1: a row of chunks

    // The engine draws frame 2 (normal) of the horizontal and vertical thumbs; the pointed ones are for
    // track bars with ticks on one side.
    AddElement(skin, "Trackbar.ThumbHorz", ThumbStrip(p, "thumb_h.bmp", false, Turn::None), {}, true, false);
    AddElement(skin, "Trackbar.ThumbVert", ThumbStrip(p, "thumb_v.bmp", false, Turn::Left), {}, true, false);
    AddElement(skin, "Trackbar.ThumbLeft", ThumbStrip(p, "thumb_l.bmp", true, Turn::Left), {}, true, false);
    AddElement(skin, "Trackbar.ThumbRight", ThumbStrip(p, "thumb_r.bmp", true, Turn::Right), {}, true, false);
    AddElement(skin, "Trackbar.ThumbUp", ThumbStrip(p, "thumb_u.bmp", true, Turn::None), {}, true, false);
    AddElement(skin, "Trackbar.ThumbDown", ThumbStrip(p, "thumb_d.bmp", true, Turn::Flip), {}, true, false);

    AddSpin(skin, p, "UpDown.Horz", "spin_h", false);
    AddSpin(skin, p, "UpDown.Vert", "spin_v", true);
}

} // namespace skingen
