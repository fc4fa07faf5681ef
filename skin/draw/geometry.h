// Points and rectangles in pixels, with the Windows conventions: y grows downwards, Right and Bottom are
// exclusive, so a rectangle's width is Right - Left.
#pragma once

namespace skin {

struct Point {
    int X = 0;
    int Y = 0;

    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const noexcept { return Right - Left; }
    constexpr int Height() const noexcept { return Bottom - Top; }
    // True when the rectangle covers no pixel (also when it is inverted).
    constexpr bool IsEmpty() const noexcept { return Right <= Left || Bottom <= Top; }
    // True when Right < Left or Bottom < Top: the painters draw nothing for such a rectangle.
    constexpr bool IsInverted() const noexcept { return Right < Left || Bottom < Top; }
    constexpr bool Contains(Point p) const noexcept {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    constexpr Rect Offset(int dx, int dy) const noexcept {
        return {Left + dx, Top + dy, Right + dx, Bottom + dy};
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect MakeRect(int left, int top, int width, int height) noexcept {
    return {left, top, left + width, top + height};
}

// The common part of two rectangles; an empty rectangle when they do not overlap.
constexpr Rect Intersect(const Rect& a, const Rect& b) noexcept {
    const Rect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
                 a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? Rect{} : r;
}

} // namespace skin
