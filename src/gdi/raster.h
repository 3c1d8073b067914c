#pragma once
// Pixel-level building blocks of the canvas: spans, one-pixel lines, pen
// strokes, the outline of ellipses and rounded rectangles, and the sampling
// map of stretched copies. Toolkit-free; everything clips to the bitmap.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gdi/bitmap.h"

namespace vorbel::gdi::raster {

// Coordinates of shapes and copies are clamped to this range first, so that
// widths and heights never overflow; anything that far out is off the surface.
constexpr int kCoordLimit = 1 << 29;
inline int ClampCoord(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -kCoordLimit, kCoordLimit));
}
inline Rect ClampRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  return Rect{ClampCoord(l), ClampCoord(t), ClampCoord(r), ClampCoord(b)};
}

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Paints x1..x2 (inclusive, either order) of row y with p; clipped.
void FillSpan(Bitmap& b, int y, int x1, int x2, Pixel p);
// Paints the pixels of r (right and bottom exclusive) with p; clipped.
void FillRect(Bitmap& b, const Rect& r, Pixel p);

// Calls f(x, y) for every pixel of the one-pixel line from (x1, y1) to
// (x2, y2): the first point always, the last point only when `lastPoint`.
// Pixels are chosen by Bresenham's rule with the tie-breaking of the classic
// Windows line: where the line passes exactly midway between two pixels, the
// minor coordinate steps early in octants 3, 5, 6 and 8 (counted clockwise
// from the +x axis with y downwards) and late in the others. The walk is
// limited to the major-axis range of `clip`, so a line reaching far outside
// the surface costs only what is visible; f must still check the minor axis.
template <class F>
void WalkLine(int x1, int y1, int x2, int y2, bool lastPoint, const Rect& clip, F&& f) {
  const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x2) - x1);
  const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y2) - y1);
  if (dx == 0 && dy == 0) {
    if (lastPoint) f(x1, y1);
    return;
  }
  const int xadd = x2 > x1 ? 1 : -1;
  const int yadd = y2 > y1 ? 1 : -1;
  const std::int64_t sx = static_cast<std::int64_t>(x2) - x1;
  const std::int64_t sy = static_cast<std::int64_t>(y2) - y1;
  // Octant (1..8, clockwise from +x with y down) decides the tie-breaking bias.
  int octant;
  if (sy > 0) {
    octant = sx > 0 ? (sx > sy ? 1 : 2) : (-sx > sy ? 4 : 3);
  } else {
    octant = sx < 0 ? (-sx > -sy ? 5 : 6) : (sx > -sy ? 8 : 7);
  }
  const std::int64_t bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
  const bool xMajor = dx > dy;  // octants 1, 4, 5, 8
  const std::int64_t major = xMajor ? dx : dy;
  const std::int64_t minor = xMajor ? dy : dx;
  const int majorStart = xMajor ? x1 : y1;
  const int majorAdd = xMajor ? xadd : yadd;
  const int clipLo = xMajor ? clip.left : clip.top;
  const int clipHi = (xMajor ? clip.right : clip.bottom) - 1;
  // Steps along the major axis that land inside the clip range.
  std::int64_t mFrom = 0;
  std::int64_t mTo = lastPoint ? major : major - 1;
  if (majorAdd > 0) {
    mFrom = std::max<std::int64_t>(mFrom, static_cast<std::int64_t>(clipLo) - majorStart);
    mTo = std::min<std::int64_t>(mTo, static_cast<std::int64_t>(clipHi) - majorStart);
  } else {
    mFrom = std::max<std::int64_t>(mFrom, static_cast<std::int64_t>(majorStart) - clipHi);
    mTo = std::min<std::int64_t>(mTo, static_cast<std::int64_t>(majorStart) - clipLo);
  }
  if (mFrom > mTo) return;
  // Minor steps taken before major step m, and the error term there (the
  // product needs more than 64 bits for lines spanning the whole int range).
  __extension__ using Wide = __int128;
  std::int64_t n = static_cast<std::int64_t>((2 * static_cast<Wide>(mFrom) * minor + bias + major - 1) /
                                             (2 * static_cast<Wide>(major)));
  std::int64_t err = static_cast<std::int64_t>(2 * minor - major + 2 * static_cast<Wide>(mFrom) * minor -
                                               2 * static_cast<Wide>(n) * major);
  const int minorStart = xMajor ? y1 : x1;
  const int minorAdd = xMajor ? yadd : xadd;
  for (std::int64_t m = mFrom; m <= mTo; ++m) {
    const int a = static_cast<int>(majorStart + m * majorAdd);
    const int c = static_cast<int>(minorStart + n * minorAdd);
    if (xMajor) {
      f(a, c);
    } else {
      f(c, a);
    }
    if (err + bias > 0) {
      ++n;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
  }
}

// The pen's footprint and the strokes drawn with it. Width 0 and 1 draw
// one-pixel lines that leave out their last point. A wider pen paints, around
// every pixel of the one-pixel line (end points included), a disc w pixels
// across centred on it: across a horizontal or vertical line it covers
// c - w/2 .. c + (w-1)/2, and its ends and joins come out round.
//
// Widths above kMaxPenWidth draw as kMaxPenWidth: every stroke the drawers make
// lies within a few pixels of a surface of at most kMaxBitmapSide pixels a
// side, and a disc that wide centred anywhere there covers the whole surface,
// so nothing visible changes while absurd widths stay cheap.
constexpr int kMaxPenWidth = 1 << 18;

class Pen {
 public:
  Pen(Bitmap& target, Pixel p, int width);

  // One segment. One-pixel pens leave out the last point.
  void Line(Point a, Point b);
  // A closed outline through the points: every point and every segment
  // between them (and from the last back to the first) is painted.
  void Polygon(const Point* points, std::size_t count);
  void Polygon(const std::vector<Point>& points) { Polygon(points.data(), points.size()); }
  int Width() const { return width_; }

  // Rows of a disc `width` pixels across, from its top row down: the offsets
  // of each row's first and last pixel from the centre column (first > last
  // for a row the disc does not reach).
  struct Footprint {
    int width = 0;
    std::vector<int> left, right;
  };

 private:
  void Run(int y, int xa, int xb);  // a run of the one-pixel line, widened
  void Flush();
  void PaintRows();  // paints what the runs of one wide segment covered

  Bitmap& target_;
  Pixel pixel_;
  int width_;
  Rect walk_clip_;
  const Footprint* foot_ = nullptr;
  // Per surface row, the columns a wide segment covers. The union of the discs
  // along one straight segment meets every row in one interval, so a segment
  // paints each row once however wide the pen.
  std::vector<int> row_left_, row_right_;
  int row_first_ = 0, row_last_ = -1;
  bool have_run_ = false;
  int run_y_ = 0, run_a_ = 0, run_b_ = 0;
};

// The outline of the rounded rectangle `box` (right and bottom exclusive)
// with corners cut by quarters of a cornerW x cornerH ellipse, as a closed
// polygon whose one-pixel segments form an eight-connected ring inside the
// box. With cornerW and cornerH equal to the box size it is the ellipse.
// Corner sizes of 2 or less give the rectangle's four corners.
std::vector<Point> RoundRectOutline(const Rect& box, int cornerW, int cornerH);

// For every row of a symmetric closed outline, the pixels strictly inside it:
// first..last (inclusive; empty when first > last). `box` is the outline's
// box; row i of the result is row box.top + i.
struct Span {
  int first = 0;
  int last = -1;
};
std::vector<Span> InteriorSpans(const Rect& box, const std::vector<Point>& outline);

// The source index for each destination index of a stretched copy of
// `srcLen` pixels to `dstLen` pixels, by a Bresenham walk without blending.
// Enlarging repeats pixels; shrinking drops them, keeping the last pixel of
// each dropped run along rows (`keepLast`) or the first along columns.
std::vector<int> StretchMap(int srcLen, int dstLen, bool keepLast);

}  // namespace vorbel::gdi::raster
