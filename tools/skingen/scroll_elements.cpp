// Scroll bars. The engine composes every bar 16 pixels thick and stretches it to the system's width, so
// all images here are 16 pixels across the bar. Thumbs are slim rounded bars floating on the track.
#include "tools/skingen/elements.h"
#include "tools/skingen/glyphs.h"
#include "tools/skingen/strip.h"

namespace skingen {

namespace {

constexpr int kArrowCount = 23; // the arrow strip's fixed frame count; frames 17 to 23 are not drawn
constexpr int kArrowStates = 4;
constexpr double kArrowSpan = 7;
constexpr double kArrowStroke = 1.5;
constexpr int kPlateInset = 1;
constexpr int kPlateRadius = 3;
constexpr int kThumbLength = 24;
constexpr int kThumbInset = 2;  // from the thumb rectangle's ends
constexpr int kThumbMargin = 6; // its rounded ends are kept at source size
constexpr int kThumbWidth = 8;  // across the bar
constexpr int kTrackSide = 16;

// The engine's arrow frames: 1 left, 5 right, 9 up, 13 down (normal), each followed by pressed; the two
// frames after those hold the hot and disabled looks for a painter that tracks them.
constexpr Direction kArrowOrder[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
constexpr const char* kArrowNames[] = {"left", "right", "up", "down"};
constexpr const char* kArrowStateNames[] = {"normal", "pressed", "hot", "disabled"};

SkinImage ArrowStrip(const SkinParams& p) {
    const Palette& c = p.Colours;
    const int side = p.Size.ScrollThickness;
    std::vector<std::string> names;
    for (const char* a : kArrowNames) {
        for (const char* s : kArrowStateNames)
            names.push_back(std::string(a) + " " + s);
    }
    while (static_cast<int>(names.size()) < kArrowCount)
        names.push_back("spare");
    return MakeStrip("scrollbar.bmp", side, side, names, false, [&](Bitmap& b, int f) {
        b.fill(c.ScrollTrack);
        const int group = (f - 1) / kArrowStates;
        if (group >= 4) return;
        const int state = (f - 1) % kArrowStates; // 0 normal, 1 pressed, 2 hot, 3 disabled
        const Rect plate{kPlateInset, kPlateInset, side - kPlateInset, side - kPlateInset};
        Pixel ink = c.ScrollArrow;
        if (state == 1) {
            DrawRoundedBox(
                b, {plate, kPlateRadius, kAllCorners, {}, c.ScrollThumbPressed, c.ScrollThumbPressed});
            ink = c.Field;
        } else if (state == 2) {
            DrawRoundedBox(b, {plate, kPlateRadius, kAllCorners, {}, c.ScrollThumb, c.ScrollThumb});
            ink = c.Text;
        } else if (state == 3) {
            ink = c.DisabledBorder;
        }
        DrawChevron(b, b.bounds(), kArrowOrder[group], kArrowSpan, kArrowStroke, ink);
    });
}

SkinImage TrackStrip(const SkinParams& p, const std::string& file) {
    const Palette& c = p.Colours;
    return MakeStrip(
        file, kTrackSide, kTrackSide, {"normal", "hot", "pressed", "disabled"}, false,
        [&](Bitmap& b, int f) { b.fill(f == 4 ? Mix(c.ScrollTrack, c.Face, 1, 2) : c.ScrollTrack); });
}

SkinImage ThumbStrip(const SkinParams& p, const std::string& file, bool horizontal) {
    const Palette& c = p.Colours;
    const int across = p.Size.ScrollThickness;
    const int w = horizontal ? kThumbLength : across;
    const int h = horizontal ? across : kThumbLength;
    const int side = (across - kThumbWidth) / 2;
    const Rect bar = horizontal ? Rect{kThumbInset, side, w - kThumbInset, side + kThumbWidth}
                                : Rect{side, kThumbInset, side + kThumbWidth, h - kThumbInset};
    const Brush onTrack{true, c.ScrollTrack};
    std::vector<std::string> frames = {"normal", "pressed (dragging)", "hot"};
    frames.resize(static_cast<std::size_t>(p.Style.ScrollThumbFrames));
    return MakeStrip(file, w, h, std::move(frames), false, [&](Bitmap& b, int f) {
        const Pixel fills[] = {c.ScrollThumb, c.ScrollThumbPressed, c.ScrollThumbHot};
        DrawRoundedBox(b, {bar, kThumbWidth / 2, kAllCorners, {}, fills[f - 1], fills[f - 1]}, onTrack);
    });
}

} // namespace

void AddScrollElements(Skin& skin, const SkinParams& p) {
    AddElement(skin, "Scrollbar", ArrowStrip(p), {}, true, false);
    Section& h = AddElement(skin, "HorzScrollThumb", ThumbStrip(p, "hthumb.bmp", true),
                            {kThumbMargin, 0, kThumbMargin, 0}, true, false);
    h.Set("FrameCount", p.Style.ScrollThumbFrames);
    AddElement(skin, "HorzScroll", TrackStrip(p, "htrack.bmp"), {}, false, false);
    Section& v = AddElement(skin, "VertScrollThumb", ThumbStrip(p, "vthumb.bmp", false),
                            {0, kThumbMargin, 0, kThumbMargin}, true, false);
    v.Set("FrameCount", p.Style.ScrollThumbFrames);
    AddElement(skin, "VertScroll", TrackStrip(p, "vtrack.bmp"), {}, false, false);
}

} // namespace skingen
