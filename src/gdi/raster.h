#pragma once
// Pixel-level building blocks of the canvas: spans, one-pixel lines, pen
// strokes, the outline and region of ellipses and rounded rectangles, and the
// sampling map of stretched copies. Toolkit-free; everything clips to the
// bitmap.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
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

// The rows of a region shaped like a rounded rectangle: `box` (right and
// bottom exclusive) with its corners cut by quarters of a cornerW x cornerH
// ellipse (each at most the box's size; either below 2 gives the plain box).
// Row i of the result is row box.top + i, with first..last inclusive (empty
// when first > last). With the corner sizes equal to the box it is the
// ellipse that fills the box. This region is what a brush fills inside an
// ellipse or a rounded rectangle, and the disc a wide pen paints at the ends
// and corners of its strokes.
//
// The rows come from the same midpoint walk as the outline below, taken from
// the middle row outwards: a row is as wide as the walk is when it reaches
// that row. A very narrow ellipse whose walk runs out of columns before it
// reaches the top and bottom rows leaves those rows empty.
struct Span {
  int first = 0;
  int last = -1;
};
std::vector<Span> RoundRectRegion(const Rect& box, int cornerW, int cornerH);

// The outline of the rounded rectangle `box` with corners of cornerW x cornerH
// (limited to the box's size) as the closed path a pen follows, starting at
// the middle of the top-right corner and going round anticlockwise on the
// screen (up, left, down, right). The corners are the points of a midpoint
// walk, eight-connected to each other; the straight sides are single
// segments between them. Where the walk of a very narrow corner runs out of
// columns before it reaches the side of the box, the outline stops short of
// that side, as the reference renderer's does. Corner sizes of 2 or less give
// the rectangle's four corners, top-right first.
std::vector<Point> RoundRectOutline(const Rect& box, int cornerW, int cornerH);

// The pen and the strokes drawn with it.
//
// Widths 0 and 1 draw one-pixel lines: a segment paints its first point and
// not its last (WalkLine), so a closed path paints each of its points once and
// a path of one point paints nothing.
//
// A wider pen is a geometric pen with round ends and joins. Its stroke is the
// union of three kinds of parts, the same parts the reference renderer builds
// its region from:
//  - at every point of the path, the pen's disc: RoundRectRegion of a
//    w x w box whose top-left corner is (-(w/2), -(w/2)) from the point, so
//    across a horizontal or vertical line it covers c - w/2 .. c + (w-1)/2;
//    a stroke of no length still paints this disc;
//  - for a horizontal segment, the w rows from y - w/2 between the two ends,
//    the right end left out (the disc there covers it); a vertical segment
//    likewise, column for row;
//  - for any other segment from p to q, the parallelogram p - n, p + d,
//    q + d, q - n. With len = hypot(dx, dy), the pen is wx = w*|dy|/len wide
//    along x and wy = w*|dx|/len along y; its wide half is
//    (round((wx+1)/2), round((wy+1)/2)) and its narrow half
//    (round(wx/2), round(wy/2)), rounded half away from zero. d points to
//    the left of the direction of travel (y down) and n to the right; d is
//    the wide half on a segment going down and the narrow half on one going
//    up. The parallelogram is filled by the polygon rule: a pixel belongs to
//    it when its point lies inside, on a left or top edge included, on a
//    right or bottom edge not.
// The parts' rows are merged first and every covered pixel is painted once,
// so a stroke costs a few passes over the surface at most, whatever the width
// and however many one-pixel segments an ellipse's outline has: discs along
// a horizontal or vertical run of neighbouring points, and segments running on
// in one direction, are gathered as one part, and a disc that already covers
// the whole surface ends the stroke with one fill.
//
// Widths above kMaxPenWidth draw as kMaxPenWidth: every stroke the drawers make
// lies within a few pixels of a surface of at most kMaxBitmapSide pixels a
// side, and a disc that wide centred anywhere there covers the whole surface,
// so nothing visible changes while the disc's rows stay cheap to work out.
constexpr int kMaxPenWidth = 1 << 18;

class Pen {
 public:
  Pen(Bitmap& target, Pixel p, int width);

  // One segment: both ends with the caps of a wide pen; a one-pixel pen
  // leaves out the last point.
  void Line(Point a, Point b);
  // A closed path through the points, joined back from the last to the first.
  void Polygon(const Point* points, std::size_t count);
  void Polygon(const std::vector<Point>& points) { Polygon(points.data(), points.size()); }
  int Width() const { return width_; }

  // The pen's disc as offsets from its centre: row `top + i` spans
  // left[i]..right[i]. Never changed once made: pens of one width share the
  // disc of the few widths used last, as a very wide disc takes a while to
  // work out and the drawers make a new pen for every line.
  struct Footprint {
    int top = 0;
    std::vector<int> left, right;
  };

  // The work wide strokes have done on this thread so far: the row spans
  // their parts added before merging, and the pixels they painted. Meant for
  // tests that check what a stroke costs.
  struct Work {
    std::int64_t spans = 0;
    std::int64_t pixels = 0;
  };
  static Work WorkDone();

 private:
  void Stroke(const Point* points, std::size_t count, bool closed);

  Bitmap& target_;
  Pixel pixel_;
  int width_;
  Rect walk_clip_;
  std::shared_ptr<const Footprint> disc_;
};

// The source index for each destination index of a stretched copy of
// `srcLen` pixels to `dstLen` pixels, by a Bresenham walk without blending.
// Enlarging repeats pixels; shrinking drops them, keeping the last pixel of
// each dropped run along rows (`keepLast`) or the first along columns.
std::vector<int> StretchMap(int srcLen, int dstLen, bool keepLast);

// Entry `index` of StretchMap(srcLen, dstLen, keepLast), worked out on its
// own, without the table: for a stretch far wider than any surface, of which
// only the part on the surface is drawn. 0 when index lies outside
// 0..dstLen-1 or either length is 0 or less.
int StretchIndex(std::int64_t srcLen, std::int64_t dstLen, bool keepLast, std::int64_t index);

}  // namespace vorbel::gdi::raster
