#include "gdi/raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <utility>

namespace vorbel::gdi::raster {

void FillSpan(Bitmap& b, int y, int x1, int x2, Pixel p) {
  if (y < 0 || y >= b.Height()) return;
  if (x1 > x2) std::swap(x1, x2);
  x1 = std::max(x1, 0);
  x2 = std::min(x2, b.Width() - 1);
  if (x1 > x2) return;
  Pixel* row = b.Row(y);
  FillPixels(row + x1, row + x2 + 1, p);
  b.MarkPainted(y, x1, x2 + 1);
}

void FillRect(Bitmap& b, const Rect& r, Pixel p) {
  const Rect c = r.Intersected(b.Bounds());
  for (int y = c.top; y < c.bottom; ++y) {
    Pixel* row = b.Row(y);
    FillPixels(row + c.left, row + c.right, p);
    b.MarkPainted(y, c.left, c.right);
  }
}

namespace {

// True when b lies at most one step away from a in each direction.
bool Neighbours(Point a, Point b) {
  return std::llabs(std::int64_t{b.x} - a.x) <= 1 && std::llabs(std::int64_t{b.y} - a.y) <= 1;
}

// Alois Zingl's midpoint walk along one quarter of the ellipse that fills a
// w x h box (w, h >= 2), on doubled coordinates so that boxes of even size
// come out symmetric. Each step moves one column towards the middle, one row
// towards the end, or both.
class QuarterWalk {
 public:
  QuarterWalk(std::int64_t w, std::int64_t h)
      : a_step_(8 * (w - 1) * (w - 1)),
        b_step_(8 * (h - 1) * (h - 1)),
        dx_(4 * (h - 1) * (h - 1) * (2 - w)),
        dy_(4 * (w - 1) * (w - 1) * (1 + (h - 1) % 2)),
        err_(dx_ + dy_ + (w - 1) * (w - 1) * ((h - 1) % 2)) {}

  struct Step {
    bool column = false;
    bool row = false;
  };
  Step Next() {
    const std::int64_t e2 = 2 * err_;
    const Step s{e2 >= dx_, e2 <= dy_};
    if (s.column) {
      dx_ += b_step_;
      err_ += dx_;
    }
    if (s.row) {
      dy_ += a_step_;
      err_ += dy_;
    }
    return s;
  }

 private:
  std::int64_t a_step_, b_step_, dx_, dy_, err_;
};

// The points of one quarter of the ellipse that fills a w x h box (w, h >= 3),
// in box coordinates: x runs from w-1 down to w/2 while y runs from h/2 up,
// each point eight-connected to the one before. The walk ends when it runs out
// of columns, which for a narrow ellipse is before y reaches h-1.
std::vector<Point> EllipseQuadrant(int w, int h) {
  QuarterWalk walk(w, h);
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(w) / 2 + static_cast<std::size_t>(h) / 2 + 2);
  for (Point pt{w - 1, h / 2}; pt.x >= w / 2;) {
    points.push_back(pt);
    const QuarterWalk::Step s = walk.Next();
    if (s.column) --pt.x;
    if (s.row) ++pt.y;
  }
  return points;
}

}  // namespace

std::vector<Span> RoundRectRegion(const Rect& box, int cornerW, int cornerH) {
  const int h = std::max(box.Height(), 0);
  std::vector<Span> rows(static_cast<std::size_t>(h), Span{box.left, box.right - 1});
  const int cw = static_cast<int>(std::min<std::int64_t>(box.Width(), std::llabs(cornerW)));
  const int ch = static_cast<int>(std::min<std::int64_t>(h, std::llabs(cornerH)));
  if (cw < 2 || ch < 2) return rows;
  // How far the lower half of the corner ellipse is indented, row by row from
  // its middle row down; rows the walk never reaches stay empty (-1).
  std::vector<int> indent(static_cast<std::size_t>(ch), -1);
  QuarterWalk walk(cw, ch);
  int x = 0;
  int y = ch / 2;
  indent[static_cast<std::size_t>(y)] = 0;
  while (x <= cw / 2) {
    const QuarterWalk::Step s = walk.Next();
    if (s.column) ++x;
    if (s.row && ++y < ch) indent[static_cast<std::size_t>(y)] = x;
  }
  const auto span = [&](int i) {
    const int in = indent[static_cast<std::size_t>(i)];
    return in < 0 ? Span{} : Span{box.left + in, box.right - 1 - in};
  };
  // The upper corners mirror the lower ones; the rows between the corners
  // keep the full width.
  for (int i = 0; i < ch / 2; ++i) rows[static_cast<std::size_t>(i)] = span(ch - 1 - i);
  for (int i = ch / 2 + 1; i < ch; ++i) rows[static_cast<std::size_t>(h - ch + i)] = span(i);
  return rows;
}

std::vector<Point> RoundRectOutline(const Rect& box, int cornerW, int cornerH) {
  const int cw = static_cast<int>(std::min<std::int64_t>(box.Width(), std::llabs(cornerW)));
  const int ch = static_cast<int>(std::min<std::int64_t>(box.Height(), std::llabs(cornerH)));
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  if (cw <= 2 || ch <= 2) return {{r - 1, t}, {l, t}, {l, b - 1}, {r - 1, b - 1}};

  const std::vector<Point> q = EllipseQuadrant(cw, ch);
  // The top-right corner from its middle up, then each half mirrored and
  // walked back. Where a corner spans the whole box with an odd size, its tip
  // lies on the mirror line and is kept once.
  std::vector<Point> out;
  out.reserve(4 * q.size());
  for (const Point& p : q) out.push_back({r - cw + p.x, t + ch - 1 - p.y});
  const auto mirror = [&out](bool dropMiddle, auto reflect) {
    const std::size_t n = out.size();
    out.resize(2 * n - (dropMiddle ? 1 : 0));
    for (std::size_t i = 0; i < n; ++i) out[out.size() - 1 - i] = reflect(out[i]);
  };
  mirror(cw % 2 == 1 && cw == box.Width(), [&](Point p) { return Point{l + r - 1 - p.x, p.y}; });
  mirror(ch % 2 == 1 && ch == box.Height(), [&](Point p) { return Point{p.x, t + b - 1 - p.y}; });
  return out;
}

namespace {

thread_local Pen::Work workDone;

// What a wide stroke covers, row by row over the rows `first`..`last` of the
// surface: per row a sorted list of disjoint, non-touching runs of columns,
// clipped to the surface. The stroke's parts are added in any order and
// overlap freely; each pixel is painted once at the end.
//
// The lists of rows are kept from stroke to stroke of a thread (up to
// kKeptRows of them), so that a pass drawing many short wide lines does not
// allocate for every row of every line.
class StrokeRows {
 public:
  StrokeRows(int surfaceWidth, int first, int last)
      : width_(surfaceWidth), first_(first), count_(static_cast<std::size_t>(last - first + 1)), rows_(TakeKept()) {
    if (rows_.size() < count_) rows_.resize(count_);
  }
  ~StrokeRows() {
    if (rows_.size() > kKeptRows) return;
    for (std::size_t i = 0; i < count_; ++i) rows_[i].clear();
    kept_ = std::move(rows_);
  }
  StrokeRows(const StrokeRows&) = delete;
  StrokeRows& operator=(const StrokeRows&) = delete;

  int First() const { return first_; }
  int Last() const { return first_ + static_cast<int>(count_) - 1; }

  // Adds columns x1..x2 (inclusive) of row y; what lies off the surface is
  // dropped.
  void Add(std::int64_t y, std::int64_t x1, std::int64_t x2) {
    if (y < First() || y > Last()) return;
    const int lo = static_cast<int>(std::max<std::int64_t>(x1, 0));
    const int hi = static_cast<int>(std::min<std::int64_t>(x2, width_ - 1));
    if (lo > hi) return;
    ++workDone.spans;
    std::vector<Span>& row = rows_[static_cast<std::size_t>(y - first_)];
    // The runs that overlap or touch lo..hi merge with it.
    auto from = row.begin();
    while (from != row.end() && from->last + 1 < lo) ++from;
    auto to = from;
    Span merged{lo, hi};
    for (; to != row.end() && to->first <= hi + 1; ++to) {
      merged.first = std::min(merged.first, to->first);
      merged.last = std::max(merged.last, to->last);
    }
    if (from == to) {
      row.insert(from, merged);
    } else {
      *from = merged;
      row.erase(from + 1, to);
    }
  }

  void Paint(Bitmap& b, Pixel p) const {
    for (std::size_t i = 0; i < count_; ++i) {
      for (const Span& s : rows_[i]) {
        FillSpan(b, first_ + static_cast<int>(i), s.first, s.last, p);
        workDone.pixels += s.last - s.first + 1;
      }
    }
  }

 private:
  static constexpr std::size_t kKeptRows = 4096;
  static std::vector<std::vector<Span>> TakeKept() {
    std::vector<std::vector<Span>> rows;
    rows.swap(kept_);
    return rows;
  }

  int width_;
  int first_;
  std::size_t count_;
  std::vector<std::vector<Span>> rows_;  // count_ rows in use, each empty at first
  static thread_local std::vector<std::vector<Span>> kept_;
};
thread_local std::vector<std::vector<Span>> StrokeRows::kept_;

struct Vertex {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

// Fills the polygon through the four corners by the polygon rule: a pixel
// belongs to it when its point lies inside, on a left or top edge included,
// on a right or bottom edge not. An edge from its upper end (xt, yt) down to
// yb crosses row y (yt <= y < yb) at the first pixel at or right of the edge,
// xt + ceil(dx * (y - yt) / dy); the crossings of a row, in order, pair up
// into runs from one crossing up to the pixel before the next.
void AddPolygon(StrokeRows& rows, const Vertex (&v)[4]) {
  std::int64_t top = v[0].y, bottom = v[0].y;
  for (const Vertex& p : v) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  top = std::max<std::int64_t>(top, rows.First());
  bottom = std::min<std::int64_t>(bottom, std::int64_t{rows.Last()} + 1);
  for (std::int64_t y = top; y < bottom; ++y) {
    std::int64_t cross[4];
    int n = 0;
    for (int i = 0; i < 4; ++i) {
      Vertex a = v[i], b = v[(i + 1) % 4];
      if (a.y == b.y) continue;
      if (a.y > b.y) std::swap(a, b);
      if (y < a.y || y >= b.y) continue;
      // Lines may span the whole coordinate range: the product needs more
      // than 64 bits.
      __extension__ using Wide = __int128;
      const Wide num = static_cast<Wide>(b.x - a.x) * (y - a.y);
      const std::int64_t dy = b.y - a.y;
      const auto x = static_cast<std::int64_t>(a.x + num / dy + (num % dy > 0 ? 1 : 0));
      // Kept in order as they come: a row meets at most four edges.
      int k = n++;
      for (; k > 0 && cross[k - 1] > x; --k) cross[k] = cross[k - 1];
      cross[k] = x;
    }
    for (int i = 0; i + 1 < n; i += 2) {
      if (cross[i] < cross[i + 1]) rows.Add(y, cross[i], cross[i + 1] - 1);
    }
  }
}

// Half away from zero: the rounding of the pen's half widths across a slanted
// segment.
std::int64_t RoundHalfAway(double v) { return static_cast<std::int64_t>(v > 0 ? v + 0.5 : v - 0.5); }

// The part of a wide stroke along the segment a-b, without the discs at its
// ends.
void AddSegment(StrokeRows& rows, int width, Point a, Point b) {
  const std::int64_t dx = std::int64_t{b.x} - a.x;
  const std::int64_t dy = std::int64_t{b.y} - a.y;
  if (dx == 0 && dy == 0) return;
  if (dy == 0) {
    const std::int64_t y0 = std::int64_t{a.y} - width / 2;
    for (std::int64_t y = std::max<std::int64_t>(y0, rows.First()); y < y0 + width && y <= rows.Last(); ++y) {
      rows.Add(y, std::min(a.x, b.x), std::int64_t{std::max(a.x, b.x)} - 1);
    }
    return;
  }
  if (dx == 0) {
    const std::int64_t x0 = std::int64_t{a.x} - width / 2;
    const std::int64_t yEnd = std::min<std::int64_t>(std::max(a.y, b.y), std::int64_t{rows.Last()} + 1);
    for (std::int64_t y = std::max<std::int64_t>(std::min(a.y, b.y), rows.First()); y < yEnd; ++y) {
      rows.Add(y, x0, x0 + width - 1);
    }
    return;
  }
  const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
  const double across = static_cast<double>(width) * static_cast<double>(std::llabs(dy)) / len;
  const double along = static_cast<double>(width) * static_cast<double>(std::llabs(dx)) / len;
  Vertex narrow{RoundHalfAway(across / 2), RoundHalfAway(along / 2)};
  Vertex wide{RoundHalfAway((across + 1) / 2), RoundHalfAway((along + 1) / 2)};
  if (dx < 0) {
    wide.y = -wide.y;
    narrow.y = -narrow.y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    wide.x = -wide.x;
    narrow.x = -narrow.x;
  }
  const Vertex corners[4] = {{a.x - narrow.x, a.y + narrow.y},
                             {a.x + wide.x, a.y - wide.y},
                             {b.x + wide.x, b.y - wide.y},
                             {b.x - narrow.x, b.y + narrow.y}};
  AddPolygon(rows, corners);
}

// The disc of `foot` centred on each of the points x1..x2 of row y.
void AddDiscRow(StrokeRows& rows, const Pen::Footprint& foot, std::int64_t y, std::int64_t x1, std::int64_t x2) {
  const std::int64_t top = y + foot.top;
  const auto n = static_cast<std::int64_t>(foot.left.size());
  for (std::int64_t k = std::max<std::int64_t>(0, rows.First() - top); k < n && top + k <= rows.Last(); ++k) {
    const auto i = static_cast<std::size_t>(k);
    rows.Add(top + k, x1 + foot.left[i], x2 + foot.right[i]);
  }
}

// The disc centred on each of the points y1..y2 of column x. Every row of the
// disc holds its centre column, so the discs meet each row in one run: that of
// the widest disc row among those that land there, the one nearest the disc's
// middle.
void AddDiscColumn(StrokeRows& rows, const Pen::Footprint& foot, std::int64_t x, std::int64_t y1,
                   std::int64_t y2) {
  const auto n = static_cast<std::int64_t>(foot.left.size());
  const std::int64_t middle = -foot.top;
  const std::int64_t last = std::min<std::int64_t>(y2 + foot.top + n - 1, rows.Last());
  for (std::int64_t y = std::max<std::int64_t>(y1 + foot.top, rows.First()); y <= last; ++y) {
    const std::int64_t lo = std::max<std::int64_t>(0, y - y2 - foot.top);
    const std::int64_t hi = std::min<std::int64_t>(n - 1, y - y1 - foot.top);
    const auto i = static_cast<std::size_t>(std::clamp(middle, lo, hi));
    rows.Add(y, x + foot.left[i], x + foot.right[i]);
  }
}

// The disc of a pen `width` pixels wide, from a small cache of the widths
// used last (shared between threads, so guarded).
std::shared_ptr<const Pen::Footprint> SharedDisc(int width) {
  static std::mutex guard;
  static std::array<std::pair<int, std::shared_ptr<const Pen::Footprint>>, 4> recent;
  static std::size_t next = 0;
  {
    const std::lock_guard<std::mutex> lock(guard);
    for (const auto& [w, disc] : recent)
      if (w == width && disc) return disc;
  }
  auto disc = std::make_shared<Pen::Footprint>();
  const int off = width / 2;
  const std::vector<Span> rows = RoundRectRegion({-off, -off, width - off, width - off}, width, width);
  disc->top = -off;
  disc->left.reserve(rows.size());
  disc->right.reserve(rows.size());
  for (const Span& s : rows) {
    disc->left.push_back(s.first);
    disc->right.push_back(s.last);
  }
  const std::lock_guard<std::mutex> lock(guard);
  recent[next] = {width, disc};
  next = (next + 1) % recent.size();
  return disc;
}

// +1 or -1 for a step of one pixel along an axis, 0 otherwise.
int UnitStep(std::int64_t d) { return d == 1 ? 1 : (d == -1 ? -1 : 0); }

}  // namespace

Pen::Work Pen::WorkDone() { return workDone; }

Pen::Pen(Bitmap& target, Pixel p, int width)
    : target_(target), pixel_(p), width_(std::clamp(width, 1, kMaxPenWidth)) {
  const int margin = width_ + 1;
  walk_clip_ = {-margin, -margin, target.Width() + margin, target.Height() + margin};
  if (width_ > 1) disc_ = SharedDisc(width_);
}

void Pen::Stroke(const Point* pts, std::size_t n, bool closed) {
  // Repeated points at either end add nothing.
  while (n > 2 && pts[0] == pts[1]) {
    ++pts;
    --n;
  }
  while (n > 2 && pts[n - 1] == pts[n - 2]) --n;

  // The rows and columns the stroke can reach, clipped to the surface (a
  // slanted segment's parallelogram can reach one row past its discs).
  std::int64_t minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
  for (std::size_t i = 1; i < n; ++i) {
    minX = std::min<std::int64_t>(minX, pts[i].x);
    maxX = std::max<std::int64_t>(maxX, pts[i].x);
    minY = std::min<std::int64_t>(minY, pts[i].y);
    maxY = std::max<std::int64_t>(maxY, pts[i].y);
  }
  const std::int64_t reach = width_ / 2 + 1;
  const int firstRow = static_cast<int>(std::max<std::int64_t>(minY - reach, 0));
  const int lastRow = static_cast<int>(std::min<std::int64_t>(maxY + reach, target_.Height() - 1));
  if (firstRow > lastRow || maxX + reach < 0 || minX - reach >= target_.Width()) return;

  // A disc that covers the whole surface leaves nothing else to add. A disc's
  // rows narrow away from its middle, so its rows at the top and the bottom of
  // the surface are the ones to check.
  const auto discCoversRow = [&](int y) {
    const std::int64_t k = std::int64_t{y} - pts[0].y - disc_->top;
    if (k < 0 || k >= static_cast<std::int64_t>(disc_->left.size())) return false;
    const auto i = static_cast<std::size_t>(k);
    return std::int64_t{pts[0].x} + disc_->left[i] <= 0 &&
           std::int64_t{pts[0].x} + disc_->right[i] >= target_.Width() - 1;
  };
  if (discCoversRow(0) && discCoversRow(target_.Height() - 1)) {
    FillRect(target_, target_.Bounds(), pixel_);
    workDone.pixels += std::int64_t{target_.Width()} * target_.Height();
    return;
  }

  StrokeRows rows(target_.Width(), firstRow, lastRow);
  // The discs at the points, gathered along horizontal and vertical runs of
  // neighbouring points.
  for (std::size_t i = 0; i < n;) {
    std::size_t j = i + 1;
    int stepX = 0, stepY = 0;
    for (; j < n; ++j) {
      const std::int64_t dx = std::int64_t{pts[j].x} - pts[j - 1].x;
      const std::int64_t dy = std::int64_t{pts[j].y} - pts[j - 1].y;
      if (dx == 0 && dy == 0) continue;
      const int sx = dy == 0 ? UnitStep(dx) : 0;
      const int sy = dx == 0 ? UnitStep(dy) : 0;
      if (sx == 0 && sy == 0) break;
      if (stepX == 0 && stepY == 0) {
        stepX = sx;
        stepY = sy;
      } else if (sx != stepX || sy != stepY) {
        break;
      }
    }
    const Point& a = pts[i];
    const Point& b = pts[j - 1];
    if (stepY != 0) {
      AddDiscColumn(rows, *disc_, a.x, std::min(a.y, b.y), std::max(a.y, b.y));
    } else {
      AddDiscRow(rows, *disc_, a.y, std::min(a.x, b.x), std::max(a.x, b.x));
    }
    i = j;
  }
  // The segments, those running on in one horizontal or vertical direction
  // gathered into one.
  const std::size_t segments = closed ? n : n - 1;
  for (std::size_t i = 0; i < segments;) {
    const Point& a = pts[i];
    Point b = pts[(i + 1) % n];
    std::size_t j = i + 1;
    const bool horizontal = a.y == b.y && a.x != b.x;
    const bool vertical = a.x == b.x && a.y != b.y;
    if (horizontal || vertical) {
      for (; j < segments; ++j) {
        const Point& c = pts[(j + 1) % n];
        const bool sameWay = horizontal ? (c.y == b.y && c.x != b.x && (c.x > b.x) == (b.x > a.x))
                                        : (c.x == b.x && c.y != b.y && (c.y > b.y) == (b.y > a.y));
        if (!sameWay) break;
        b = c;
      }
    }
    AddSegment(rows, width_, a, b);
    i = j;
  }
  rows.Paint(target_, pixel_);
}

void Pen::Line(Point a, Point b) {
  if (width_ > 1) {
    const Point ends[2] = {a, b};
    Stroke(ends, 2, false);
    return;
  }
  if (a == b) return;
  if (Neighbours(a, b)) {
    target_.SetPixel(a.x, a.y, pixel_);  // a step between neighbours: its first point
    return;
  }
  if (a.y == b.y) {  // horizontal: one run without its last point
    const int xb = b.x + (b.x > a.x ? -1 : 1);
    const int lo = std::max(std::min(a.x, xb), walk_clip_.left);
    const int hi = std::min(std::max(a.x, xb), walk_clip_.right);
    if (lo <= hi) FillSpan(target_, a.y, lo, hi, pixel_);
    return;
  }
  WalkLine(a.x, a.y, b.x, b.y, false, walk_clip_, [this](int x, int y) { target_.SetPixel(x, y, pixel_); });
}

void Pen::Polygon(const Point* points, std::size_t n) {
  if (n == 0) return;
  if (width_ > 1) {
    const Point one[2] = {points[0], points[0]};
    Stroke(n == 1 ? one : points, std::max<std::size_t>(n, 2), true);
    return;
  }
  for (std::size_t i = 0; i < n; ++i) Line(points[i], points[(i + 1) % n]);
}

std::vector<int> StretchMap(int srcLen, int dstLen, bool keepLast) {
  std::vector<int> map(static_cast<std::size_t>(std::max(dstLen, 0)), 0);
  if (srcLen <= 0 || dstLen <= 0) return map;
  const std::int64_t s = srcLen;
  const std::int64_t d = dstLen;
  if (d == s) {
    for (int i = 0; i < dstLen; ++i) map[static_cast<std::size_t>(i)] = i;
  } else if (d > s) {  // enlarging: every destination pixel takes the current source pixel
    std::int64_t err = 3 * s - 2 * d;
    int src = 0;
    for (int j = 0; j < dstLen; ++j) {
      map[static_cast<std::size_t>(j)] = src;
      if (err > 0) {
        ++src;
        err += 2 * (s - d);
      } else {
        err += 2 * s;
      }
    }
  } else if (d == 1 && keepLast) {
    // A row shrunk to one pixel takes the last but one source pixel.
    map[0] = srcLen - 2;
  } else {  // shrinking: source pixels are walked and grouped into destination pixels
    std::int64_t err = 3 * d - 2 * s;
    int dst = 0;
    bool first = true;
    for (int i = 0; i < srcLen && dst < dstLen; ++i) {
      if (keepLast || first) map[static_cast<std::size_t>(dst)] = i;
      first = false;
      if (err > 0) {
        ++dst;
        first = true;
        err += 2 * (d - s);
      } else {
        err += 2 * d;
      }
    }
  }
  return map;
}

// The walks of StretchMap in closed form. Enlarging, destination j takes the
// largest source i with 2*d*i < s*(2*j + 1). Shrinking, source i falls into
// destination k = the largest k with 2*s*k < d*(2*i + 1); destination k keeps
// the first source of its run, or the last one along rows.
int StretchIndex(std::int64_t srcLen, std::int64_t dstLen, bool keepLast, std::int64_t index) {
  const std::int64_t s = srcLen;
  const std::int64_t d = dstLen;
  if (s <= 0 || d <= 0 || index < 0 || index >= d) return 0;
  if (d == s) return static_cast<int>(index);
  if (d > s) return static_cast<int>((s * (2 * index + 1) - 1) / (2 * d));
  if (d == 1 && keepLast) return static_cast<int>(s - 2);
  // The first source whose destination is at least k.
  const auto firstOf = [&](std::int64_t k) { return k == 0 ? 0 : (2 * s * k - d) / (2 * d) + 1; };
  return static_cast<int>(keepLast ? std::min(firstOf(index + 1), s) - 1 : firstOf(index));
}

}  // namespace vorbel::gdi::raster
