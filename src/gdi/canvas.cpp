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

void Canvas::RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH) {
  const Rect box = NormalizedBox(x1, y1, x2, y2);
  if (box.IsEmpty()) return;
  const int cw = static_cast<int>(std::min<std::int64_t>(box.Width(), std::llabs(cornerW)));
  const int ch = static_cast<int>(std::min<std::int64_t>(box.Height(), std::llabs(cornerH)));
  if (cw <= 2 || ch <= 2) {  // corners too small to round
    Rectangle(box.left, box.top, box.right, box.bottom);
    return;
  }
  if (box.Width() > kMaxShapeSide || box.Height() > kMaxShapeSide) return;
  const std::vector<raster::Point> outline = raster::RoundRectOutline(box, cw, ch);
  if (brush_style_ == BrushStyle::Solid) {
    // The brush fills the shape's region first; the outline is drawn over
    // its edge. Only the rows that meet the surface matter.
    const Pixel brush = target_->MapPixel(ResolveColor(brush_color_));
    const int first = std::max(box.top, 0);
    const int last = std::min(box.bottom, target_->Height()) - 1;
    if (first <= last) {
      const std::vector<raster::Span> rows = raster::RoundRectRegion(box, cw, ch);
      for (int y = first; y <= last; ++y) {
        const raster::Span& s = rows[static_cast<std::size_t>(y - box.top)];
        if (s.first <= s.last) raster::FillSpan(*target_, y, s.first, s.last, brush);
      }
    }
  }
  raster::Pen pen(*target_, target_->MapPixel(ResolveColor(pen_color_)), pen_width_);
  pen.Polygon(outline);
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
