#include "tools/skingen/strip.h"

#include "skin/draw/blit.h"

namespace skingen {

SkinImage MakeStrip(std::string file, int frameWidth, int frameHeight, std::vector<std::string> frameNames,
                    bool vertical, const FramePainter& paint) {
    const int frames = static_cast<int>(frameNames.size());
    Bitmap strip(vertical ? frameWidth : frameWidth * frames, vertical ? frameHeight * frames : frameHeight,
                 kKey);
    for (int f = 1; f <= frames; ++f) {
        Bitmap frame(frameWidth, frameHeight, kKey);
        paint(frame, f);
        const skin::Point at =
            vertical ? skin::Point{0, (f - 1) * frameHeight} : skin::Point{(f - 1) * frameWidth, 0};
        skin::CopyRect(strip, at, frame, frame.bounds());
    }
    SkinImage image;
    image.File = std::move(file);
    image.Pixels = std::move(strip);
    image.Frames = frames;
    image.Vertical = vertical;
    image.FrameNames = std::move(frameNames);
    return image;
}

Section& AddElement(Skin& skin, const std::string& section, SkinImage image, const Margins& margins,
                    bool trans, bool tile, const std::string& imageKey) {
    Section& s = skin.AddSection(section);
    s.Set(imageKey, image.File);
    s.Set("LeftWidth", margins.Left);
    s.Set("TopHeight", margins.Top);
    s.Set("RightWidth", margins.Right);
    s.Set("BottomHeight", margins.Bottom);
    s.Set("Trans", trans ? 1 : 0);
    s.Set("Tile", tile ? 1 : 0);
    skin.AddImage(std::move(image));
    return s;
}

} // namespace skingen
