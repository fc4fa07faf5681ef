#include "tools/skingen/shapes.h"

#include "skin/draw/blit.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

constexpr int kSamples = 4;                        // per axis
constexpr int kFullCoverage = kSamples * kSamples; // 16
constexpr int kHalfCoverage = kFullCoverage / 2;

std::uint8_t MixChannel(int a, int b, int num, int den) {
    const int v = a * den + (b - a) * num;
    // Round half away from zero on the scaled value, in integers so every build gives the same bytes.
    const int rounded = v >= 0 ? (v + den / 2) / den : -((-v + den / 2) / den);
    return static_cast<std::uint8_t>(std::clamp(rounded, 0, 255));
}

// Sample offsets inside a pixel: (i + 0.5) / 4.
constexpr double SampleOffset(int i) {
    return (i + 0.5) / kSamples;
}

template <class Inside> int Coverage(int x, int y, Inside inside) {
    int n = 0;
    for (int j = 0; j < kSamples; ++j) {
        for (int i = 0; i < kSamples; ++i) {
            if (inside(x + SampleOffset(i), y + SampleOffset(j))) ++n;
        }
    }
    return n;
}

bool InRoundedRect(double px, double py, double l, double t, double r, double b, double radius,
                   unsigned corners) {
    if (px < l || px >= r || py < t || py >= b) return false;
    auto outsideArc = [&](double cx, double cy) {
        const double dx = px - cx;
        const double dy = py - cy;
        return dx * dx + dy * dy > radius * radius;
    };
    if (radius <= 0) return true;
    if ((corners & kTopLeft) && px < l + radius && py < t + radius && outsideArc(l + radius, t + radius))
        return false;
    if ((corners & kTopRight) && px > r - radius && py < t + radius && outsideArc(r - radius, t + radius))
        return false;
    if ((corners & kBottomLeft) && px < l + radius && py > b - radius && outsideArc(l + radius, b - radius))
        return false;
    if ((corners & kBottomRight) && px > r - radius && py > b - radius &&
        outsideArc(r - radius, b - radius)) {
        return false;
    }
    return true;
}

double SegmentDistanceSquared(double px, double py, double ax, double ay, double bx, double by) {
    const double vx = bx - ax;
    const double vy = by - ay;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - (ax + t * vx);
    const double dy = py - (ay + t * vy);
    return dx * dx + dy * dy;
}

} // namespace

Pixel Mix(Pixel a, Pixel b, int num, int den) {
    return skin::MakePixel(MixChannel(skin::RedOf(a), skin::RedOf(b), num, den),
                           MixChannel(skin::GreenOf(a), skin::GreenOf(b), num, den),
                           MixChannel(skin::BlueOf(a), skin::BlueOf(b), num, den));
}

Pixel GradientAt(Pixel top, Pixel bottom, int row, int rows) {
    if (rows <= 1) return top;
    return Mix(top, bottom, std::clamp(row, 0, rows - 1), rows - 1);
}

void Fill(Bitmap& bitmap, const Rect& rect, Pixel colour) {
    skin::FillRect(bitmap, rect, colour);
}

void VerticalGradient(Bitmap& bitmap, const Rect& rect, Pixel top, Pixel bottom) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        HorizontalLine(bitmap, rect.Left, rect.Right, y,
                       GradientAt(top, bottom, y - rect.Top, rect.Height()));
    }
}

void Plot(Bitmap& bitmap, int x, int y, Pixel colour) {
    if (bitmap.contains(x, y)) bitmap.set_pixel(x, y, colour);
}

void HorizontalLine(Bitmap& bitmap, int x0, int x1, int y, Pixel colour) {
    for (int x = x0; x < x1; ++x)
        Plot(bitmap, x, y, colour);
}

void VerticalLine(Bitmap& bitmap, int x, int y0, int y1, Pixel colour) {
    for (int y = y0; y < y1; ++y)
        Plot(bitmap, x, y, colour);
}

void Outline(Bitmap& bitmap, const Rect& rect, Pixel colour) {
    if (rect.IsEmpty()) return;
    HorizontalLine(bitmap, rect.Left, rect.Right, rect.Top, colour);
    HorizontalLine(bitmap, rect.Left, rect.Right, rect.Bottom - 1, colour);
    VerticalLine(bitmap, rect.Left, rect.Top, rect.Bottom, colour);
    VerticalLine(bitmap, rect.Right - 1, rect.Top, rect.Bottom, colour);
}

void InnerBand(Bitmap& bitmap, const Rect& rect, int width, Pixel colour) {
    for (int i = 1; i <= width; ++i)
        Outline(bitmap, {rect.Left + i, rect.Top + i, rect.Right - i, rect.Bottom - i}, colour);
}

void PixelLine(Bitmap& bitmap, Point a, Point b, Pixel colour) {
    const int dx = std::abs(b.X - a.X);
    const int dy = -std::abs(b.Y - a.Y);
    const int sx = a.X < b.X ? 1 : -1;
    const int sy = a.Y < b.Y ? 1 : -1;
    int err = dx + dy;
    Point p = a;
    for (;;) {
        Plot(bitmap, p.X, p.Y, colour);
        if (p == b) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.X += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.Y += sy;
        }
    }
}

void Replace(Bitmap& bitmap, const Rect& rect, Pixel from, Pixel to) {
    const Rect r = skin::Intersect(rect, bitmap.bounds());
    for (int y = r.Top; y < r.Bottom; ++y) {
        Pixel* row = bitmap.scanline(y);
        for (int x = r.Left; x < r.Right; ++x) {
            if (row[x] == from) row[x] = to;
        }
    }
}

void PaintShape(Bitmap& bitmap, const Rect& area, const CoverageFn& coverage, const ColourFn& colour,
                const Brush& brush) {
    const Rect r = skin::Intersect(area, bitmap.bounds());
    for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) {
            const int c = coverage(x, y);
            if (c == 0) continue;
            const Pixel ink = colour(x, y);
            const Pixel dst = bitmap.pixel(x, y);
            if (c == kFullCoverage) {
                bitmap.set_pixel(x, y, ink);
            } else if (!brush.Smooth || (dst == kKey && !brush.Backdrop)) {
                if (c >= kHalfCoverage) bitmap.set_pixel(x, y, ink);
            } else {
                const Pixel base = dst == kKey ? *brush.Backdrop : dst;
                bitmap.set_pixel(x, y, Mix(base, ink, c, kFullCoverage));
            }
        }
    }
}

CoverageFn RoundedRectCoverage(const Rect& bounds, int radius, unsigned corners) {
    return [=](int x, int y) {
        return Coverage(x, y, [&](double px, double py) {
            return InRoundedRect(px, py, bounds.Left, bounds.Top, bounds.Right, bounds.Bottom, radius,
                                 corners);
        });
    };
}

CoverageFn CircleCoverage(double centreX, double centreY, double radius) {
    return [=](int x, int y) {
        return Coverage(x, y, [&](double px, double py) {
            const double dx = px - centreX;
            const double dy = py - centreY;
            return dx * dx + dy * dy <= radius * radius;
        });
    };
}

CoverageFn StrokeCoverage(std::vector<std::pair<double, double>> points, double width) {
    const double reach2 = width * width / 4;
    return [points = std::move(points), reach2](int x, int y) {
        return Coverage(x, y, [&](double px, double py) {
            for (std::size_t i = 0; i + 1 < points.size(); ++i) {
                if (SegmentDistanceSquared(px, py, points[i].first, points[i].second, points[i + 1].first,
                                           points[i + 1].second) <= reach2) {
                    return true;
                }
            }
            return points.size() == 1 && SegmentDistanceSquared(px, py, points[0].first, points[0].second,
                                                                points[0].first, points[0].second) <= reach2;
        });
    };
}

CoverageFn PolygonCoverage(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](int x, int y) {
        return Coverage(x, y, [&](double px, double py) {
            bool inside = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
            }
            return inside;
        });
    };
}

void DrawPolygon(Bitmap& bitmap, std::vector<std::pair<double, double>> points, Pixel colour,
                 const Brush& brush) {
    double l = points.front().first, r = l, t = points.front().second, b = t;
    for (const auto& [x, y] : points) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
    }
    const Rect area{static_cast<int>(std::floor(l)), static_cast<int>(std::floor(t)),
                    static_cast<int>(std::ceil(r)), static_cast<int>(std::ceil(b))};
    PaintShape(
        bitmap, area, PolygonCoverage(std::move(points)), [colour](int, int) { return colour; }, brush);
}

void DrawRoundedBox(Bitmap& bitmap, const RoundedBox& box, const Brush& brush) {
    const Rect& b = box.Bounds;
    const CoverageFn outer = RoundedRectCoverage(b, box.Radius, box.Corners);
    const Rect innerRect{b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1};
    const CoverageFn inner = RoundedRectCoverage(innerRect, std::max(box.Radius - 1, 0), box.Corners);
    const int rows = b.Height();
    const ColourFn colour = [&](int x, int y) {
        const Pixel fill = GradientAt(box.FillTop, box.FillBottom, y - b.Top, rows);
        if (!box.Border) return fill;
        const int co = outer(x, y);
        const int ci = inner(x, y);
        if (co == 0) return fill;
        // Inside the outer edge: the part not inside the inner shape is border.
        return Mix(*box.Border, fill, ci, co);
    };
    PaintShape(bitmap, b, outer, colour, brush);
}

void DrawDisc(Bitmap& bitmap, double centreX, double centreY, double radius, Pixel fill,
              std::optional<Pixel> ring, const Brush& brush) {
    const CoverageFn outer = CircleCoverage(centreX, centreY, radius);
    const CoverageFn inner = CircleCoverage(centreX, centreY, radius - 1);
    const Rect area{
        static_cast<int>(std::floor(centreX - radius)), static_cast<int>(std::floor(centreY - radius)),
        static_cast<int>(std::ceil(centreX + radius)), static_cast<int>(std::ceil(centreY + radius))};
    const ColourFn colour = [&](int x, int y) {
        if (!ring) return fill;
        const int co = outer(x, y);
        return co == 0 ? fill : Mix(*ring, fill, inner(x, y), co);
    };
    PaintShape(bitmap, area, outer, colour, brush);
}

void DrawStroke(Bitmap& bitmap, std::vector<std::pair<double, double>> points, double width, Pixel colour,
                const Brush& brush) {
    double l = points.front().first, r = l, t = points.front().second, b = t;
    for (const auto& [x, y] : points) {
        l = std::min(l, x);
        r = std::max(r, x);
        t = std::min(t, y);
        b = std::max(b, y);
    }
    const double reach = width / 2 + 1;
    const Rect area{static_cast<int>(std::floor(l - reach)), static_cast<int>(std::floor(t - reach)),
                    static_cast<int>(std::ceil(r + reach)), static_cast<int>(std::ceil(b + reach))};
    PaintShape(
        bitmap, area, StrokeCoverage(std::move(points), width), [colour](int, int) { return colour; }, brush);
}

void CutCorners(Bitmap& bitmap, const Rect& rect, int radius, unsigned corners, Pixel outline) {
    if (radius <= 0) return;
    const CoverageFn inside = RoundedRectCoverage(rect, radius, corners);
    auto isOutside = [&](int x, int y) { return !rect.Contains({x, y}) || inside(x, y) < kHalfCoverage; };
    struct Square {
        unsigned Flag;
        Rect Area;
    };
    const Square squares[] = {
        {kTopLeft, {rect.Left, rect.Top, rect.Left + radius, rect.Top + radius}},
        {kTopRight, {rect.Right - radius, rect.Top, rect.Right, rect.Top + radius}},
        {kBottomLeft, {rect.Left, rect.Bottom - radius, rect.Left + radius, rect.Bottom}},
        {kBottomRight, {rect.Right - radius, rect.Bottom - radius, rect.Right, rect.Bottom}},
    };
    for (const Square& s : squares) {
        if (!(corners & s.Flag)) continue;
        // First decide every pixel, then paint, so the outline test sees the shape and not earlier paint.
        std::vector<std::pair<Point, Pixel>> paint;
        for (int y = s.Area.Top; y < s.Area.Bottom; ++y) {
            for (int x = s.Area.Left; x < s.Area.Right; ++x) {
                if (isOutside(x, y)) {
                    paint.push_back({{x, y}, kKey});
                } else if (isOutside(x - 1, y) || isOutside(x + 1, y) || isOutside(x, y - 1) ||
                           isOutside(x, y + 1)) {
                    paint.push_back({{x, y}, outline});
                }
            }
        }
        for (const auto& [p, c] : paint)
            Plot(bitmap, p.X, p.Y, c);
    }
}

} // namespace skingen
