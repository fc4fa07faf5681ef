#include "tools/skingen/contact_sheet.h"

#include "framework/rtl/text.h"
#include "skin/draw/blit.h"
#include "skin/draw/skin_image.h"
#include "tools/skingen/pixel_font.h"
#include "tools/skingen/preview.h"
#include "tools/skingen/shapes.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int kSheetWidth = 1120;
constexpr int kMaxSheetHeight = 8000;
constexpr int kMargin = 16;
constexpr int kScale = 2;
constexpr int kFrameGap = 8;
constexpr int kBlockGap = 18;
constexpr int kBlockPadding = 8;
constexpr int kMinBlockWidth = 300;
constexpr int kCheckSize = 4;
constexpr Pixel kBackground = skin::MakePixel(236, 237, 240);
constexpr Pixel kPanel = skin::MakePixel(250, 250, 251);
constexpr Pixel kPanelLine = skin::MakePixel(212, 214, 219);
constexpr Pixel kInk = skin::MakePixel(30, 32, 36);
constexpr Pixel kSubInk = skin::MakePixel(96, 100, 108);
constexpr Pixel kFrameLine = skin::MakePixel(170, 174, 182);
constexpr Pixel kCheckA = skin::MakePixel(250, 214, 250);
constexpr Pixel kCheckB = skin::MakePixel(236, 190, 236);

// "[Section] Key" of every key that names the file.
std::string ReferencesOf(const Skin& skin, const std::string& file) {
    std::string out;
    for (const Section& s : skin.Sections()) {
        for (const auto& [key, value] : s.Keys) {
            if (rtl::LowerCaseAscii(value) != rtl::LowerCaseAscii(file)) continue;
            if (!out.empty()) out += ", ";
            out += "[" + s.Name + "] " + key;
        }
    }
    return out.empty() ? "(not referenced)" : out;
}

// Draws frame f of the image at (x, y), scaled, key pixels as a checkerboard, with an outline around it.
void DrawScaledFrame(Bitmap& sheet, int x, int y, const SkinImage& image, int f) {
    const Rect src = skin::SkinFrameRect(
        image.Pixels, {.frame = f, .frameCount = image.Frames, .vertical = image.Vertical});
    for (int sy = 0; sy < src.Height(); ++sy) {
        for (int sx = 0; sx < src.Width(); ++sx) {
            const Pixel p = image.Pixels.pixel(src.Left + sx, src.Top + sy);
            for (int dy = 0; dy < kScale; ++dy) {
                for (int dx = 0; dx < kScale; ++dx) {
                    const int px = x + sx * kScale + dx;
                    const int py = y + sy * kScale + dy;
                    Pixel out = p;
                    if ((p & skin::kPixelRgbMask) == kKey)
                        out = ((px / kCheckSize + py / kCheckSize) % 2) ? kCheckA : kCheckB;
                    Plot(sheet, px, py, out);
                }
            }
        }
    }
    Outline(sheet, {x - 1, y - 1, x + src.Width() * kScale + 1, y + src.Height() * kScale + 1}, kFrameLine);
}

// Splits "1 a, 2 b, ..." entries into lines no wider than width.
std::vector<std::string> WrapLegend(const SkinImage& image, int width) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < image.FrameNames.size(); ++i) {
        const std::string entry = std::to_string(i + 1) + " " + image.FrameNames[i];
        const std::string candidate = line.empty() ? entry : line + ",  " + entry;
        if (!line.empty() && TextWidth(candidate) > width) {
            lines.push_back(line);
            line = entry;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

struct Block {
    const SkinImage* Image;
    std::string Title;
    std::string Detail;
    int FrameWidth, FrameHeight;
    int Width, Height;
    std::vector<std::string> Legend;
};

Block MeasureBlock(const Skin& skin, const SkinImage& image) {
    Block b{&image, "", "", 0, 0, 0, 0, {}};
    const Rect fr =
        skin::SkinFrameRect(image.Pixels, {.frameCount = image.Frames, .vertical = image.Vertical});
    b.FrameWidth = fr.Width();
    b.FrameHeight = fr.Height();
    b.Title = image.File + "  " + ReferencesOf(skin, image.File);
    b.Detail = std::to_string(image.Pixels.width()) + " x " + std::to_string(image.Pixels.height()) + ", " +
               std::to_string(image.Frames) + (image.Frames == 1 ? " frame" : " frames") +
               (image.Frames == 1 ? ""
                : image.Vertical  ? " stacked"
                                  : " side by side") +
               ", " + std::to_string(b.FrameWidth) + " x " + std::to_string(b.FrameHeight) + " each";
    const int framesWidth = image.Frames * (b.FrameWidth * kScale + kFrameGap) - kFrameGap;
    const int inner =
        std::min(std::max({framesWidth, TextWidth(b.Title), TextWidth(b.Detail), kMinBlockWidth}),
                 kSheetWidth - 2 * kMargin - 2 * kBlockPadding);
    b.Legend = WrapLegend(image, inner);
    b.Width = inner + 2 * kBlockPadding;
    b.Height = 2 * kBlockPadding + 2 * kLineHeight + 4 + kLineHeight + b.FrameHeight * kScale + 6 +
               static_cast<int>(b.Legend.size()) * kLineHeight;
    return b;
}

void DrawBlock(Bitmap& sheet, int x, int y, const Block& b) {
    Fill(sheet, {x, y, x + b.Width, y + b.Height}, kPanel);
    Outline(sheet, {x, y, x + b.Width, y + b.Height}, kPanelLine);
    int ty = y + kBlockPadding;
    const int tx = x + kBlockPadding;
    DrawText(sheet, tx, ty, b.Title, kInk);
    ty += kLineHeight;
    DrawText(sheet, tx, ty, b.Detail, kSubInk);
    ty += kLineHeight + 4;
    int fx = tx;
    for (int f = 1; f <= b.Image->Frames; ++f) {
        DrawText(sheet, fx, ty, std::to_string(f), kSubInk);
        DrawScaledFrame(sheet, fx, ty + kLineHeight, *b.Image, f);
        fx += b.FrameWidth * kScale + kFrameGap;
    }
    ty += kLineHeight + b.FrameHeight * kScale + 6;
    for (const std::string& line : b.Legend) {
        DrawText(sheet, tx, ty, line, kInk);
        ty += kLineHeight;
    }
}

void Place(Bitmap& sheet, const Bitmap& picture, int x, int y) {
    skin::CopyRect(sheet, {x, y}, picture, picture.bounds());
}

} // namespace

Bitmap DrawContactSheet(const Skin& skin, const std::string& title) {
    Bitmap sheet(kSheetWidth, kMaxSheetHeight, kBackground);
    DrawText(sheet, kMargin, kMargin, title, kInk, 2);
    int y = kMargin + 2 * kLineHeight + 6;

    const Bitmap main = DrawMainWindowPreview(skin, kBackground);
    const Bitmap dialog = DrawDialogPreview(skin, kBackground);
    const Bitmap menu = DrawMenuPreview(skin);
    DrawText(sheet, kMargin, y, "Main window, active (minimize hot, Edit menu hot)", kSubInk);
    const int rightX = kMargin + main.width() + 2 * kMargin;
    DrawText(sheet, rightX, y, "Message box, inactive", kSubInk);
    y += kLineHeight + 2;
    Place(sheet, main, kMargin, y);
    Place(sheet, dialog, rightX, y);
    const int menuY = y + dialog.height() + kLineHeight + 12;
    DrawText(sheet, rightX, menuY - kLineHeight - 2, "System menu (Minimize selected, Restore disabled)",
             kSubInk);
    Place(sheet, menu, rightX, menuY);
    y += std::max(main.height(), menuY - y + menu.height()) + kBlockGap;

    DrawText(sheet, kMargin, y,
             "Every image, frame by frame at twice the size; pale checks = key colour (not drawn)", kSubInk);
    y += kLineHeight + 6;
    int x = kMargin;
    int rowHeight = 0;
    for (const SkinImage& image : skin.Images()) {
        const Block b = MeasureBlock(skin, image);
        if (x > kMargin && x + b.Width > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + kBlockGap / 2;
            rowHeight = 0;
        }
        DrawBlock(sheet, x, y, b);
        x += b.Width + kBlockGap / 2;
        rowHeight = std::max(rowHeight, b.Height);
    }
    const int height = std::min(y + rowHeight + kMargin, kMaxSheetHeight);
    Bitmap out(kSheetWidth, height);
    skin::CopyRect(out, {0, 0}, sheet, {0, 0, kSheetWidth, height});
    return out;
}

} // namespace skingen
