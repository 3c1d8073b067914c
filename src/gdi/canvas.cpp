// Shapes and lines of the canvas.

#include "gdi/canvas.h"

#include <cstdlib>

#include "gdi/raster.h"
#include "gdi/system_colors.h"

namespace vorbel::gdi {

namespace {

// Ellipses and rounded rectangles whose box is wider or taller than this are
// not drawn: their outline walk would cost time for pixels nobody sees.
constexpr int kMaxShapeSide = 4 * kMaxBitmapSide;

Rect NormalizedBox(int x1, int y1, int x2, int y2) { return raster::ClampRect(x1, y1, x2, y2).Normalized(); }

}  // namespace

void Canvas::FillRect(const Rect& r) {
  if (brush_style_ == BrushStyle::Clear) return;
  raster::FillRect(*target_, raster::ClampRect(r.left, r.top, r.right, r.bottom).Normalized(),
                   target_->MapPixel(ResolveColor(brush_color_)));
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
  const Rect box = NormalizedBox(x1, y1, x2, y2);
  if (box.IsEmpty()) return;
  if (brush_style_ == BrushStyle::Solid) {
    raster::FillRect(*target_, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1},
                     target_->MapPixel(ResolveColor(brush_color_)));
  }
  raster::Pen pen(*target_, target_->MapPixel(ResolveColor(pen_color_)), pen_width_);
  pen.Polygon(raster::RoundRectOutline(box, 0, 0));
}

void Canvas::Ellipse(int x1, int y1, int x2, int y2) {
  const Rect box = NormalizedBox(x1, y1, x2, y2);
  RoundRect(box.left, box.top, box.right, box.bottom, box.Width(), box.Height());
}

FillRegion Canvas::EllipseFill(int x1, int y1, int x2, int y2) const {
  const Rect box = NormalizedBox(x1, y1, x2, y2);
  return RoundRectFill(box.left, box.top, box.right, box.bottom, box.Width(), box.Height());
}

namespace {

// The box and corner sizes RoundRect rounds, or false where it draws a plain
// rectangle (corners too small to round) or nothing.
bool RoundedShape(int x1, int y1, int x2, int y2, int cornerW, int cornerH, Rect& box, int& cw, int& ch) {
  box = NormalizedBox(x1, y1, x2, y2);
  if (box.IsEmpty()) return false;
  cw = static_cast<int>(std::min<std::int64_t>(box.Width(), std::llabs(cornerW)));
  ch = static_cast<int>(std::min<std::int64_t>(box.Height(), std::llabs(cornerH)));
  return cw > 2 && ch > 2 && box.Width() <= kMaxShapeSide && box.Height() <= kMaxShapeSide;
}

// Fills the span s of row y but for the part `skip` covers.
void FillSpanAround(Bitmap& target, int y, raster::Span s, raster::Span skip, Pixel p) {
  if (skip.first > skip.last || skip.last < s.first || skip.first > s.last) {
    raster::FillSpan(target, y, s.first, s.last, p);
    return;
  }
  if (s.first < skip.first) raster::FillSpan(target, y, s.first, skip.first - 1, p);
  if (skip.last < s.last) raster::FillSpan(target, y, skip.last + 1, s.last, p);
}

}  // namespace

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
  Rect box;
  int cw = 0;
  int ch = 0;
  if (!RoundedShape(x1, y1, x2, y2, cornerW, cornerH, box, cw, ch)) {
    // Corners too small to round make a rectangle.
    if (!box.IsEmpty() && (cw <= 2 || ch <= 2)) Rectangle(box.left, box.top, box.right, box.bottom);
    return;
  }
  const std::vector<raster::Point> outline = raster::RoundRectOutline(box, cw, ch);
  if (brush_style_ == BrushStyle::Solid) {
    // The brush fills the shape's region first; the outline is drawn over
    // its edge. Only the rows that meet the surface matter.
    const Pixel brush = target_->MapPixel(ResolveColor(brush_color_));
    const int first = std::max(box.top, 0);
    const int last = std::min(box.bottom, target_->Height()) - 1;
    if (first <= last) {
      const std::vector<raster::Span> rows = raster::RoundRectRegion(box, cw, ch);
      const std::vector<raster::Span>& skip = covered_later_.rows;
      for (int y = first; y <= last; ++y) {
        const raster::Span& s = rows[static_cast<std::size_t>(y - box.top)];
        if (s.first > s.last) continue;
        const std::int64_t k = std::int64_t{y} - covered_later_.top;
        if (k >= 0 && k < static_cast<std::int64_t>(skip.size())) {
          FillSpanAround(*target_, y, s, skip[static_cast<std::size_t>(k)], brush);
        } else {
          raster::FillSpan(*target_, y, s.first, s.last, brush);
        }
      }
    }
  }
  raster::Pen pen(*target_, target_->MapPixel(ResolveColor(pen_color_)), pen_width_);
  pen.Polygon(outline);
}

FillRegion Canvas::RoundRectFill(int x1, int y1, int x2, int y2, int cornerW, int cornerH) const {
  Rect box;
  int cw = 0;
  int ch = 0;
  if (!RoundedShape(x1, y1, x2, y2, cornerW, cornerH, box, cw, ch)) return {};
  return {box.top, raster::RoundRectRegion(box, cw, ch)};
}

void Canvas::MoveTo(int x, int y) {
  pen_x_ = x;
  pen_y_ = y;
}

void Canvas::LineTo(int x, int y) {
  raster::Pen pen(*target_, target_->MapPixel(ResolveColor(pen_color_)), pen_width_);
  pen.Line({pen_x_, pen_y_}, {x, y});
  pen_x_ = x;
  pen_y_ = y;
}

}  // namespace vorbel::gdi
