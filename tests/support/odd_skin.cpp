#include "tests/support/odd_skin.h"

#include "skin/data/skin_keys.h"
#include "skin/draw/bitmap_transforms.h"
#include "skin/draw/bmp_writer.h"
#include "skin/draw/region.h"
#include "skin/draw/skin_image.h"
#include "tests/support/test_random.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <vector>

namespace skin::test {
namespace {

constexpr Pixel kMagenta = 0xFF00FF;

template <class T, std::size_t N> const T& Pick(TestRandom& random, const T (&choices)[N]) {
    return choices[random.Below(static_cast<std::uint32_t>(N))];
}

bool Contains(std::string_view text, std::string_view part) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find(part) != std::string::npos;
}

// Values for integer keys, by what the key means.
std::string IntegerValue(TestRandom& random, std::string_view key) {
    static constexpr std::string_view kFrames[] = {"0", "1", "1",  "2",  "3",
                                                   "4", "7", "64", "-3", "2000000000"};
    static constexpr std::string_view kFlags[] = {"0", "1", "2", "-1", "5", "", "0x10"};
    static constexpr std::string_view kMargins[] = {
        "0", "0", "1", "2", "4", "9", "40", "300", "-7", "100000", "2147483647", "-2147483648", "$7FFFFFFF"};
    static constexpr std::string_view kFont[] = {"0", "200", "14", "-12", "1"};
    static constexpr std::string_view kCoord[] = {"0", "4", "-20", "36", "500", "-2147483648", "2147483647"};
    static constexpr std::string_view kAny[] = {"0", "1", "3", "6", "11", "40", "100", "-1", "xyz", "12px"};
    if (Contains(key, "frame")) return std::string(Pick(random, kFrames));
    if (Contains(key, "trans") || Contains(key, "tile") || Contains(key, "stretch") ||
        Contains(key, "style") || Contains(key, "align") || Contains(key, "textbackground")) {
        return std::string(Pick(random, kFlags));
    }
    if (Contains(key, "font")) return std::string(Pick(random, kFont));
    if (Contains(key, "coord")) return std::string(Pick(random, kCoord));
    if (Contains(key, "width") || Contains(key, "height") || Contains(key, "menu") ||
        Contains(key, "txtback") || Contains(key, "shift") || Contains(key, "clip")) {
        return std::string(Pick(random, kMargins));
    }
    return std::string(Pick(random, kAny));
}

std::string ColourValue(TestRandom& random) {
    static constexpr std::string_view kColours[] = {"236 233 216", "255 0 255", "",      "red",
                                                    "300 -1 2",    "1 2",       "0,0,0", "(9;9;9)"};
    return std::string(Pick(random, kColours));
}

// An image of an odd size, partly or wholly of the key colour.
Bitmap OddImage(TestRandom& random) {
    static constexpr std::array<std::array<int, 2>, 11> kSizes{
        {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {13, 5}, {50, 3}, {121, 9}, {3, 40}, {64, 30}, {7, 7}, {40, 64}}};
    const auto& size = kSizes[random.Below(static_cast<std::uint32_t>(kSizes.size()))];
    Bitmap image(size[0], size[1]);
    const std::uint32_t keyShare = random.Below(4); // 0: none, 3: all key colour
    for (Pixel& p : image.pixels()) {
        const bool key = keyShare == 3 || (keyShare > 0 && random.Below(4) < keyShare);
        p = key ? kMagenta : (random.Next() & 0xFFFFFF);
    }
    return image;
}

std::vector<std::uint8_t> EncodeImage(TestRandom& random, const Bitmap& image) {
    BmpWriteOptions options;
    options.Encoding = random.Below(3) == 0 ? BmpEncoding::Rgb32 : BmpEncoding::Rgb24;
    options.TopDown = random.Below(2) == 0;
    return WriteBmp(image, options);
}

} // namespace

PackageWriter OddSkin::Package() const {
    PackageWriter writer;
    writer.AddMember("skin.ini", std::vector<std::uint8_t>(Definition.begin(), Definition.end()));
    for (const auto& [name, bytes] : Images)
        writer.AddMember(name, bytes);
    return writer;
}

OddSkin MakeOddSkin(std::uint32_t seed) {
    TestRandom random(seed * 2654435761u + 1);
    OddSkin skin;
    const int imageCount = 1 + static_cast<int>(random.Below(6));
    for (int i = 0; i < imageCount; ++i) {
        skin.Images.emplace_back("img" + std::to_string(i) + ".bmp", EncodeImage(random, OddImage(random)));
    }
    if (random.Below(3) == 0) skin.Images.emplace_back("empty.bmp", std::vector<std::uint8_t>{});
    const auto bitmapValue = [&]() -> std::string {
        switch (random.Below(8)) {
        case 0:
            return "missing.bmp";
        case 1:
            return "IMG0.BMP"; // wrong case of the extension: never loads
        case 2:
            return "c:\\skins\\img0.bmp";
        default:
            return skin.Images[random.Below(static_cast<std::uint32_t>(skin.Images.size()))].first;
        }
    };
    const auto writeSection = [&](std::string_view name, const SkinSection& section) {
        skin.Definition += "[" + std::string(name) + "]\r\n";
        for (const SkinKey& key : section.Keys) {
            if (random.Below(6) == 0) continue; // a missing key
            std::string value;
            switch (key.Kind) {
            case SkinKeyKind::Integer:
                value = IntegerValue(random, key.Name);
                break;
            case SkinKeyKind::Bitmap:
                value = bitmapValue();
                break;
            case SkinKeyKind::ColourText:
                value = ColourValue(random);
                break;
            case SkinKeyKind::Text:
                value = "Odd " + std::to_string(seed);
                break;
            }
            skin.Definition += std::string(key.Name) + "=" + value + "\r\n";
        }
    };
    for (const SkinSection& section : FixedSkinSections()) {
        if (random.Below(5) == 0) continue; // a missing section
        writeSection(section.Name, section);
    }
    const SkinSection& buttonSection = *FindSkinSection("Button");
    const int buttons = static_cast<int>(random.Below(5));
    for (int i = 0; i < buttons; ++i)
        writeSection("Button" + std::to_string(i), buttonSection);
    const int colours = static_cast<int>(random.Below(3));
    for (int i = 0; i < colours; ++i)
        writeSection("Colour" + std::to_string(i), *FindSkinSection("Colour0"));
    return skin;
}

namespace {

struct Painter {
    int width;
    int height;
    std::uint32_t sum = 0;

    void Add(const Bitmap& b) {
        for (const Pixel p : b.pixels())
            sum = sum * 31 + p;
        sum += static_cast<std::uint32_t>(b.width() * 7 + b.height());
    }

    // Every way a painter draws an element's image into rects of a few sizes.
    void Element(const Bitmap& image, const Rect& margins, int frameCount, bool trans, bool tile) {
        // The first frames, the last one and one past it (a frame count of 0 or less counts as 1).
        const int count = std::max(frameCount, 1);
        std::vector<int> frames;
        for (int frame = 1; frame <= std::min(count, 4); ++frame)
            frames.push_back(frame);
        if (count > 4) frames.push_back(count);
        frames.push_back(count == INT_MAX ? count : count + 1);
        const Rect rects[] = {
            {0, 0, width, height}, {0, 0, 1, 1}, {3, 2, 3 + width / 2, 9}, {0, 0, 0, 0}, {5, 5, 2, 2}};
        Bitmap canvas(width, height, 0x123456);
        for (const int frame : frames) {
            for (const bool vertical : {false, true}) {
                for (const Rect& rect : rects) {
                    Add(RenderSkinImage(
                        rect, image, margins,
                        {.frame = frame, .frameCount = frameCount, .tile = tile, .vertical = vertical}));
                    DrawSkinImage(canvas, rect, image, margins,
                                  {.frame = frame,
                                   .frameCount = frameCount,
                                   .transparent = trans,
                                   .tile = !tile,
                                   .vertical = vertical});
                    DrawSkinBar(canvas, rect, image, margins,
                                {.frame = frame,
                                 .frameCount = frameCount,
                                 .transparent = trans,
                                 .vertical = vertical});
                    DrawSkinBorder(canvas, rect, image, margins,
                                   {.frame = frame, .frameCount = frameCount, .vertical = vertical});
                    if (!vertical)
                        DrawSkinFrame(canvas, rect, image,
                                      {.frame = frame, .frameCount = frameCount, .transparent = trans});
                }
            }
        }
        Add(canvas);
    }

    void Record(const TDataSkinObject& record) {
        const Rect margins{record.LeftWidth, record.TopHeight, record.RightWidth, record.BottomHeight};
        Element(record.Image, margins, record.FrameCount, record.Trans != 0, record.Tile == 1);
    }

    // The window frame as the frame painter composes it, then its shape as region runs, and mirrored
    // for a right-to-left window.
    void Window(const TSkinDefinition& skin) {
        Bitmap window(width, height, kMagenta);
        const auto border = [&](const TDataSkinBorder& b, const Rect& where, bool vertical) {
            const Rect margins{b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight};
            for (const int frame : {1, 2}) {
                DrawSkinImage(window, where, b.Image, margins,
                              {.frame = frame,
                               .frameCount = b.FrameCount,
                               .transparent = b.Trans != 0,
                               .tile = b.Tile != 1,
                               .vertical = vertical});
            }
        };
        const auto thickness = [](int size, int count) { return size / std::max(count, 1); };
        const int top = thickness(skin.BorderTop->Image.height(), skin.BorderTop->FrameCount);
        const int bottom = thickness(skin.BorderBottom->Image.height(), skin.BorderBottom->FrameCount);
        const int left = thickness(skin.BorderLeft->Image.width(), skin.BorderLeft->FrameCount);
        const int right = thickness(skin.BorderRight->Image.width(), skin.BorderRight->FrameCount);
        border(*skin.BorderTop, {0, 0, width, top}, true); // may be taller than the window
        border(*skin.BorderBottom, {0, height - bottom, width, height}, true);
        border(*skin.BorderLeft, {0, top, left, height - bottom}, false);
        border(*skin.BorderRight, {width - right, top, width, height - bottom}, false);
        const TDataSkinTitle& title = *skin.Title;
        // Positions from the skin, worked out in 64 bits as a window's coordinates would be, then kept to
        // the coordinates a window can have.
        const auto at = [](std::int64_t v) {
            return static_cast<int>(std::clamp<std::int64_t>(v, -32768, 32767));
        };
        DrawSkinBar(window, {at(title.LeftWidth), 0, at(std::int64_t{width} - title.RightWidth), top},
                    title.Image, {title.TextBackLeft, 0, title.TextBackRight, 0},
                    {.frameCount = 2, .transparent = true, .vertical = true});
        for (const auto& button : skin.SysButtons) {
            const int w = button->Image.width() / std::max(button->FrameCount, 1);
            const int x = at(button->Align == 1 ? std::int64_t{width} - button->XCoord : button->XCoord);
            const int y = at(button->YCoord);
            const Rect bounds{x, y, x + w, y + button->Image.height()};
            for (const int frame : {1, 4})
                DrawSkinFrame(window, bounds, button->Image,
                              {.frame = frame, .frameCount = button->FrameCount, .transparent = true});
        }
        const RegionRuns runs = CreateRegionFromBitmap(window, 0, 0, 0xFF00FF, 1, 1, 1);
        sum += static_cast<std::uint32_t>(runs.Rects.size());
        Add(window);
        MirrorBitmap(window);
        Add(window);
    }
};

} // namespace

std::uint32_t PaintEveryElement(const TSkinDefinition& skin, int width, int height, int maxSide) {
    Painter painter{std::clamp(width, 0, maxSide), std::clamp(height, 0, maxSide)};
    for (const TSkinDefinition::SlotView& slot : skin.ElementSlots()) {
        if (!slot.Record) continue;
        painter.Record(*slot.Record);
        if (const auto* withSecond = dynamic_cast<const TDataSkinBorder*>(slot.Record)) {
            painter.Element(withSecond->SecondImage, {}, slot.Record->FrameCount, true, false);
        }
    }
    painter.Element(skin.Buttons->CheckButtonImage, {}, skin.Buttons->CheckButtonFrame, true, false);
    painter.Element(skin.Buttons->RadioButtonImage, {}, skin.Buttons->RadioButtonFrame, true, false);
    for (const auto& button : skin.SysButtons)
        painter.Record(*button);
    painter.Window(skin);
    // Images turned as painters turn them for vertical controls.
    Bitmap turned = skin.BorderLeft->Image;
    RotateBitmapLeft(turned);
    painter.Add(turned);
    RotateBitmapRight(turned);
    FlipBitmap(turned);
    painter.Add(turned);
    return painter.sum;
}

} // namespace skin::test
