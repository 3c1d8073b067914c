#include "gdi/raster.h"

#include <algorithm>
#include <climits>

namespace vorbel::gdi::raster {

void FillSpan(Bitmap& b, int y, int x1, int x2, Pixel p) {
  if (y < 0 || y >= b.Height()) return;
  if (x1 > x2) std::swap(x1, x2);
  x1 = std::max(x1, 0);
  x2 = std::min(x2, b.Width() - 1);
  if (x1 > x2) return;
  Pixel* row = b.Row(y);
  std::fill(row + x1, row + x2 + 1, p);
}

void FillRect(Bitmap& b, const Rect& r, Pixel p) {
  const Rect c = r.Intersected(b.Bounds());
  for (int y = c.top; y < c.bottom; ++y) {
    Pixel* row = b.Row(y);
    std::fill(row + c.left, row + c.right, p);
  }
}

namespace {

// True when b lies at most one step away from a in each direction.
bool Neighbours(Point a, Point b) {
  return std::llabs(std::int64_t{b.x} - a.x) <= 1 && std::llabs(std::int64_t{b.y} - a.y) <= 1;
}

// The points of one quarter of the ellipse that fills a w x h box (w, h >= 3),
// in box coordinates: x runs from w-1 down to w/2 while y runs from h/2 up,
// each point eight-connected to the one before. Integer midpoint walk on
// doubled coordinates, so boxes of even size (centre between pixels) come out
// exactly symmetric.
std::vector<Point> EllipseQuadrant(int w, int h) {
  const std::int64_t a = w - 1;
  const std::int64_t b = h - 1;
  const std::int64_t aStep = 8 * a * a;
  const std::int64_t bStep = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + (b % 2));
  std::int64_t err = dx + dy + a * a * (b % 2);
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(w + h));
  Point pt{w - 1, h / 2};
  while (pt.x >= w / 2 && pt.y < h) {
    points.push_back(pt);
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      --pt.x;
      dx += bStep;
      err += dx;
    }
    if (e2 <= dy) {
      ++pt.y;
      dy += aStep;
      err += dy;
    }
  }
  // A narrow ellipse runs out of columns before it reaches the end of the
  // box: finish its tip straight along the middle column, so that the outline
  // touches all four sides of the box.
  if (!points.empty()) {
    for (int y = points.back().y + 1; y < h; ++y) points.push_back({w / 2, y});
  }
  return points;
}

}  // namespace

std::vector<Point> RoundRectOutline(const Rect& box, int cornerW, int cornerH) {
  const int cw = static_cast<int>(std::min<std::int64_t>(box.Width(), std::llabs(cornerW)));
  const int ch = static_cast<int>(std::min<std::int64_t>(box.Height(), std::llabs(cornerH)));
  const int l = box.left, t = box.top, r = box.right, b = box.bottom;
  if (cw <= 2 || ch <= 2) return {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};

  const std::vector<Point> q = EllipseQuadrant(cw, ch);
  const std::size_t n = q.size();
  std::vector<Point> out;
  out.reserve(4 * n);
  // Top-right corner, from its middle up to the top edge.
  for (const Point& p : q) out.push_back({r - cw + p.x, t + ch - 1 - p.y});
  // Top-left, mirrored left to right and walked back.
  for (std::size_t i = 0; i < n; ++i) {
    const Point& p = out[n - 1 - i];
    out.push_back({l + r - 1 - p.x, p.y});
  }
  // Bottom-left, mirrored top to bottom.
  for (std::size_t i = 0; i < n; ++i) {
    const Point& p = out[2 * n - 1 - i];
    out.push_back({p.x, t + b - 1 - p.y});
  }
  // Bottom-right.
  for (std::size_t i = 0; i < n; ++i) {
    const Point& p = out[3 * n - 1 - i];
    out.push_back({l + r - 1 - p.x, p.y});
  }
  return out;
}

std::vector<Span> InteriorSpans(const Rect& box, const std::vector<Point>& outline) {
  const int h = box.Height();
  std::vector<int> maxLeft(static_cast<std::size_t>(std::max(h, 0)), INT_MIN);
  const int mirror = box.left + box.right - 1;  // x and mirror - x are symmetric
  const auto note = [&](int x, int y) {
    const int row = y - box.top;
    if (row < 0 || row >= h || 2 * x > mirror) return;
    int& m = maxLeft[static_cast<std::size_t>(row)];
    m = std::max(m, x);
  };
  const std::size_t n = outline.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = outline[i];
    const Point& b = outline[(i + 1) % n];
    if (Neighbours(a, b)) {
      note(a.x, a.y);  // neighbours: b is noted as the next segment's start
    } else {
      WalkLine(a.x, a.y, b.x, b.y, true, box, note);
    }
  }
  std::vector<Span> spans(maxLeft.size());
  for (std::size_t i = 0; i < spans.size(); ++i) {
    if (maxLeft[i] == INT_MIN) continue;
    spans[i] = {maxLeft[i] + 1, mirror - maxLeft[i] - 1};
  }
  return spans;
}

namespace {

// The footprint of the widest pen asked for most recently: bevels and outlines
// draw many segments with one width, and the disc is the same for all.
const Pen::Footprint& FootprintOf(int width) {
  static Pen::Footprint cached;
  if (cached.width == width) return cached;
  Pen::Footprint f;
  f.width = width;
  const int off = width / 2;
  const Rect disc{-off, -off, width - off, width - off};
  f.left.assign(static_cast<std::size_t>(width), INT_MAX);
  f.right.assign(static_cast<std::size_t>(width), INT_MIN);
  const std::vector<Point> ring = RoundRectOutline(disc, width, width);
  const auto note = [&](int x, int y) {
    const auto k = static_cast<std::size_t>(y + off);
    f.left[k] = std::min(f.left[k], x);
    f.right[k] = std::max(f.right[k], x);
  };
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point& a = ring[i];
    const Point& b = ring[(i + 1) % ring.size()];
    WalkLine(a.x, a.y, b.x, b.y, true, disc, note);
  }
  cached = std::move(f);
  return cached;
}

}  // namespace

Pen::Pen(Bitmap& target, Pixel p, int width)
    : target_(target), pixel_(p), width_(std::clamp(width, 1, kMaxPenWidth)) {
  const int margin = width_ + 1;
  walk_clip_ = {-margin, -margin, target.Width() + margin, target.Height() + margin};
  if (width_ == 1) return;
  foot_ = &FootprintOf(width_);
  row_left_.assign(static_cast<std::size_t>(std::max(target.Height(), 0)), INT_MAX);
  row_right_.assign(row_left_.size(), INT_MIN);
}

void Pen::Run(int y, int xa, int xb) {
  if (width_ == 1) {
    FillSpan(target_, y, xa, xb, pixel_);
    return;
  }
  // Only the footprint rows that land on the surface.
  const int off = width_ / 2;
  const int kFirst = std::max(0, off - y);
  const int kEnd = std::min(width_, off - y + target_.Height());
  for (int k = kFirst; k < kEnd; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (foot_->left[i] > foot_->right[i]) continue;
    const int row = y - off + k;
    const auto r = static_cast<std::size_t>(row);
    row_left_[r] = std::min(row_left_[r], xa + foot_->left[i]);
    row_right_[r] = std::max(row_right_[r], xb + foot_->right[i]);
    if (row_first_ > row_last_) {
      row_first_ = row_last_ = row;
    } else {
      row_first_ = std::min(row_first_, row);
      row_last_ = std::max(row_last_, row);
    }
  }
}

void Pen::PaintRows() {
  for (int row = row_first_; row <= row_last_; ++row) {
    const auto r = static_cast<std::size_t>(row);
    if (row_left_[r] <= row_right_[r]) FillSpan(target_, row, row_left_[r], row_right_[r], pixel_);
    row_left_[r] = INT_MAX;
    row_right_[r] = INT_MIN;
  }
  row_first_ = 0;
  row_last_ = -1;
}

void Pen::Flush() {
  if (have_run_) Run(run_y_, run_a_, run_b_);
  have_run_ = false;
}

void Pen::Line(Point a, Point b) {
  if (a == b) return;
  const bool wide = width_ > 1;
  if (!wide && Neighbours(a, b)) {
    target_.SetPixel(a.x, a.y, pixel_);  // a step between neighbours: its first point
    return;
  }
  if (a.y == b.y) {  // horizontal: one run
    int xb = b.x;
    if (!wide) xb += b.x > a.x ? -1 : 1;
    const int lo = std::max(std::min(a.x, xb), walk_clip_.left);
    const int hi = std::min(std::max(a.x, xb), walk_clip_.right);
    if (lo <= hi) Run(a.y, lo, hi);
    if (wide) PaintRows();
    return;
  }
  WalkLine(a.x, a.y, b.x, b.y, wide, walk_clip_, [this](int x, int y) {
    if (width_ == 1) {
      target_.SetPixel(x, y, pixel_);
      return;
    }
    if (have_run_ && y == run_y_ && (x == run_b_ + 1 || x == run_a_ - 1)) {
      run_a_ = std::min(run_a_, x);
      run_b_ = std::max(run_b_, x);
      return;
    }
    Flush();
    have_run_ = true;
    run_y_ = y;
    run_a_ = run_b_ = x;
  });
  Flush();
  if (wide) PaintRows();
}

void Pen::Polygon(const Point* points, std::size_t n) {
  if (n == 0) return;
  bool single = true;
  for (std::size_t i = 1; i < n; ++i) single = single && points[i] == points[0];
  if (single) {  // a ring shrunk to one point still shows that point
    Run(points[0].y, points[0].x, points[0].x);
    if (width_ > 1) PaintRows();
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

}  // namespace vorbel::gdi::raster
