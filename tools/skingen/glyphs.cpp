#include "tools/skingen/glyphs.h"

namespace skingen {

namespace {

// The question mark of the help button on an 8 x 10 grid ('#' = ink).
constexpr const char* kHelpGlyph[] = {
    "..####..", ".##..##.", ".....##.", "....##..", "...##...", "...##...", "........", "...##...",
};

} // namespace

void DrawCaptionGlyph(Bitmap& bitmap, const Rect& rect, CaptionGlyph glyph, int size, Pixel colour) {
    const int x = rect.Left + (rect.Width() - size) / 2;
    const int y = rect.Top + (rect.Height() - size) / 2;
    const int e = size - 1; // last pixel of the grid
    switch (glyph) {
    case CaptionGlyph::Close:
        PixelLine(bitmap, {x, y}, {x + e, y + e}, colour);
        PixelLine(bitmap, {x + e, y}, {x, y + e}, colour);
        break;
    case CaptionGlyph::Maximize:
        Outline(bitmap, {x, y, x + size, y + size}, colour);
        break;
    case CaptionGlyph::Restore: {
        // Front window at the bottom left, the back one peeking out at the top right.
        const int s = size - 2;
        Outline(bitmap, {x, y + 2, x + s, y + 2 + s}, colour);
        HorizontalLine(bitmap, x + 2, x + size, y, colour);
        VerticalLine(bitmap, x + e, y, y + s, colour);
        VerticalLine(bitmap, x + 2, y, y + 2, colour);
        HorizontalLine(bitmap, x + s, x + size, y + s - 1, colour);
        break;
    }
    case CaptionGlyph::Minimize:
        HorizontalLine(bitmap, x, x + size, y + size / 2, colour);
        break;
    case CaptionGlyph::Help: {
        const int hx = rect.Left + (rect.Width() - 8) / 2;
        const int hy = rect.Top + (rect.Height() - 8) / 2;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 8; ++col) {
                if (kHelpGlyph[row][col] == '#') Plot(bitmap, hx + col, hy + row, colour);
            }
        }
        break;
    }
    }
}

void DrawChevron(Bitmap& bitmap, const Rect& rect, Direction direction, double span, double width,
                 Pixel colour, const Brush& brush) {
    const double cx = rect.Left + rect.Width() / 2.0;
    const double cy = rect.Top + rect.Height() / 2.0;
    const double a = span / 2; // half the base
    const double d = span / 4; // half the depth
    std::vector<std::pair<double, double>> points;
    switch (direction) {
    case Direction::Up:
        points = {{cx - a, cy + d}, {cx, cy - d}, {cx + a, cy + d}};
        break;
    case Direction::Down:
        points = {{cx - a, cy - d}, {cx, cy + d}, {cx + a, cy - d}};
        break;
    case Direction::Left:
        points = {{cx + d, cy - a}, {cx - d, cy}, {cx + d, cy + a}};
        break;
    case Direction::Right:
        points = {{cx - d, cy - a}, {cx + d, cy}, {cx - d, cy + a}};
        break;
    }
    DrawStroke(bitmap, std::move(points), width, colour, brush);
}

void DrawTriangle(Bitmap& bitmap, const Rect& rect, Direction direction, int base, Pixel colour) {
    const int depth = base / 2 + 1;
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    const int w = vertical ? base : depth;
    const int h = vertical ? depth : base;
    const int x0 = rect.Left + (rect.Width() - w) / 2;
    const int y0 = rect.Top + (rect.Height() - h) / 2;
    for (int i = 0; i < depth; ++i) {
        // Row (or column) i from the tip holds 2i + 1 pixels.
        const int half = i;
        switch (direction) {
        case Direction::Up:
            HorizontalLine(bitmap, x0 + depth - 1 - half, x0 + depth + half, y0 + i, colour);
            break;
        case Direction::Down:
            HorizontalLine(bitmap, x0 + depth - 1 - half, x0 + depth + half, y0 + depth - 1 - i, colour);
            break;
        case Direction::Left:
            VerticalLine(bitmap, x0 + i, y0 + depth - 1 - half, y0 + depth + half, colour);
            break;
        case Direction::Right:
            VerticalLine(bitmap, x0 + depth - 1 - i, y0 + depth - 1 - half, y0 + depth + half, colour);
            break;
        }
    }
}

void DrawCheckMark(Bitmap& bitmap, const Rect& rect, double width, Pixel colour, const Brush& brush) {
    const double l = rect.Left;
    const double t = rect.Top;
    const double w = rect.Width();
    const double h = rect.Height();
    DrawStroke(bitmap,
               {{l + w * 0.24, t + h * 0.52}, {l + w * 0.42, t + h * 0.70}, {l + w * 0.76, t + h * 0.32}},
               width, colour, brush);
}

} // namespace skingen
