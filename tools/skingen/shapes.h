// Drawing helpers of the generator: colour mixing, gradients, crisp 1-pixel lines, and shapes whose edges
// are either crisp or smoothed from a 4 x 4 sample grid per pixel.
//
// Smoothing needs to know what lies behind an edge. Over ordinary pixels a partly covered pixel is mixed
// with the pixel already there. Over key-coloured pixels (magenta, which the engine never draws) the
// shape is mixed with the Brush's Backdrop instead, the colour the image will be drawn on; without a
// Backdrop such pixels take the shape only when at least half covered, so no edge is ever mixed with the
// key colour itself.
#pragma once

#include "skin/draw/bitmap.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace skingen {

using skin::Bitmap;
using skin::Pixel;
using skin::Point;
using skin::Rect;

inline constexpr Pixel kKey = skin::kSkinKeyPixel;

// a + (b - a) * num / den per channel, rounded to nearest.
Pixel Mix(Pixel a, Pixel b, int num, int den);
// The colour of row `row` of a vertical gradient of `rows` rows, from top (row 0) to bottom (last row).
Pixel GradientAt(Pixel top, Pixel bottom, int row, int rows);

void Fill(Bitmap& bitmap, const Rect& rect, Pixel colour);
void VerticalGradient(Bitmap& bitmap, const Rect& rect, Pixel top, Pixel bottom);
// Sets one pixel when it lies inside the bitmap.
void Plot(Bitmap& bitmap, int x, int y, Pixel colour);
// [x0, x1) on row y, and [y0, y1) in column x; clipped.
void HorizontalLine(Bitmap& bitmap, int x0, int x1, int y, Pixel colour);
void VerticalLine(Bitmap& bitmap, int x, int y0, int y1, Pixel colour);
// The 1-pixel outline of rect.
void Outline(Bitmap& bitmap, const Rect& rect, Pixel colour);
// A band `width` pixels thick just inside rect's 1-pixel outline (nothing for a width of 0).
void InnerBand(Bitmap& bitmap, const Rect& rect, int width, Pixel colour);
// A crisp line from a to b, both ends included (Bresenham).
void PixelLine(Bitmap& bitmap, Point a, Point b, Pixel colour);
// Replaces every pixel of rect that equals `from` by `to`.
void Replace(Bitmap& bitmap, const Rect& rect, Pixel from, Pixel to);

enum Corner : unsigned {
    kTopLeft = 1,
    kTopRight = 2,
    kBottomLeft = 4,
    kBottomRight = 8,
    kTopCorners = kTopLeft | kTopRight,
    kAllCorners = 15,
};

struct Brush {
    bool Smooth = true;
    std::optional<Pixel> Backdrop;
};

// Coverage of a pixel by a shape in sixteenths (0 to 16), and the shape's colour at a pixel.
using CoverageFn = std::function<int(int x, int y)>;
using ColourFn = std::function<Pixel(int x, int y)>;

// Paints a shape over the pixels of area by its coverage (the rules in the file comment).
void PaintShape(Bitmap& bitmap, const Rect& area, const CoverageFn& coverage, const ColourFn& colour,
                const Brush& brush);

// Coverage functions of the basic shapes, in pixel coordinates (pixel (x, y) spans x..x+1, y..y+1).
CoverageFn RoundedRectCoverage(const Rect& bounds, int radius, unsigned corners);
CoverageFn CircleCoverage(double centreX, double centreY, double radius);
// Points within width / 2 of the polyline through points.
CoverageFn StrokeCoverage(std::vector<std::pair<double, double>> points, double width);
// The inside of a simple polygon (even-odd rule).
CoverageFn PolygonCoverage(std::vector<std::pair<double, double>> points);

struct RoundedBox {
    Rect Bounds;
    int Radius = 0;
    unsigned Corners = kAllCorners;
    std::optional<Pixel> Border; // a 1-pixel outline along the shape's edge
    Pixel FillTop = 0;           // the inside: a vertical gradient over Bounds
    Pixel FillBottom = 0;
};

void DrawRoundedBox(Bitmap& bitmap, const RoundedBox& box, const Brush& brush = {});

// A disc, optionally with a 1-pixel ring in another colour.
void DrawDisc(Bitmap& bitmap, double centreX, double centreY, double radius, Pixel fill,
              std::optional<Pixel> ring, const Brush& brush = {});

// A stroked polyline of the given width in one colour.
void DrawStroke(Bitmap& bitmap, std::vector<std::pair<double, double>> points, double width, Pixel colour,
                const Brush& brush = {});

// A filled polygon in one colour.
void DrawPolygon(Bitmap& bitmap, std::vector<std::pair<double, double>> points, Pixel colour,
                 const Brush& brush = {});

// Cuts the given corners of rect round with the key colour, crisp (the window region follows it), and
// draws the 1-pixel outline along the arc so it meets the straight outline of the edges.
void CutCorners(Bitmap& bitmap, const Rect& rect, int radius, unsigned corners, Pixel outline);

} // namespace skingen
