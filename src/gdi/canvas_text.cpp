// Text output and measurement of the canvas, drawn with the font layer.

#include <algorithm>
#include <climits>
#include <cmath>

#include "gdi/canvas.h"
#include "gdi/font.h"
#include "gdi/system_colors.h"

namespace vorbel::gdi {

namespace {

int ClampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2));
}

// Fills with `pixel` the pixels whose centres lie inside the character-cell
// box of a caption drawn at (x, y): `width` by `height` upright, turned like
// the text. Exact for the quarter turns.
void FillCellBox(Bitmap& target, int x, int y, std::int64_t width, int height, int escapement, Pixel pixel) {
  if (width <= 0 || height <= 0) return;
  const Rect bounds = target.Bounds();
  if (escapement == 0) {
    const Rect box{ClampToInt(x), ClampToInt(y), ClampToInt(x + width), ClampToInt(std::int64_t{y} + height)};
    const Rect r = box.Intersected(bounds);
    for (int row = r.top; row < r.bottom; ++row) {
      FillPixels(target.Row(row) + r.left, target.Row(row) + r.right, pixel);
      target.MarkPainted(row, r.left, r.right);
    }
    return;
  }
  const auto dir = TextDirection::FromEscapement(escapement);
  const double w = static_cast<double>(width);
  const double h = height;
  double px[4];
  double py[4];
  dir.Map(0, 0, px[0], py[0]);
  dir.Map(w, 0, px[1], py[1]);
  dir.Map(w, h, px[2], py[2]);
  dir.Map(0, h, px[3], py[3]);
  double minY = py[0];
  double maxY = py[0];
  for (int i = 1; i < 4; ++i) {
    minY = std::min(minY, py[i]);
    maxY = std::max(maxY, py[i]);
  }
  // Rows whose centre y + 0.5 lies in [minY, maxY), relative to (x, y).
  const double top = std::max<double>(std::ceil(minY - 0.5) + y, bounds.top);
  const double bottom = std::min<double>(std::ceil(maxY - 0.5) + y, bounds.bottom);
  for (int row = static_cast<int>(top); row < static_cast<int>(bottom); ++row) {
    const double cy = row + 0.5 - y;
    double left = HUGE_VAL;
    double right = -HUGE_VAL;
    for (int i = 0; i < 4; ++i) {
      const int j = (i + 1) % 4;
      const double y0 = py[i];
      const double y1 = py[j];
      if ((y0 <= cy && cy < y1) || (y1 <= cy && cy < y0)) {
        const double cx = px[i] + (cy - y0) * (px[j] - px[i]) / (y1 - y0);
        left = std::min(left, cx);
        right = std::max(right, cx);
      }
    }
    if (left > right) continue;
    // Columns whose centre x + 0.5 lies in [left, right).
    const double from = std::max<double>(std::ceil(left - 0.5) + x, bounds.left);
    const double to = std::min<double>(std::ceil(right - 0.5) + x, bounds.right);
    if (from >= to) continue;
    Pixel* p = target.Row(row);
    FillPixels(p + static_cast<int>(from), p + static_cast<int>(to), pixel);
    target.MarkPainted(row, static_cast<int>(from), static_cast<int>(to));
  }
}

}  // namespace

void Canvas::TextOut(int x, int y, std::string_view utf8, int escapement) {
  // The font comes first, so that an impossible size fails whatever the text.
  const auto font = GetFont(FontName(), FontSize(), TextLayoutScale());
  Bitmap& target = Target();
  if (utf8.empty() || target.Empty()) return;
  escapement = NormalizeEscapement(escapement);

  // The surface as seen from the reference point.
  const Rect visible{ClampToInt(-std::int64_t{x}), ClampToInt(-std::int64_t{y}),
                     ClampToInt(std::int64_t{target.Width()} - x), ClampToInt(std::int64_t{target.Height()} - y)};
  const auto image = font->RenderText(utf8, escapement, visible);

  if (GetBkMode() == BkMode::Opaque) {
    FillCellBox(target, x, y, image->advance, image->cell_height, escapement, target.MapPixel(ResolveColor(BkColor())));
  }

  const Pixel ink = target.MapPixel(ResolveColor(FontColor()));
  const std::int64_t width = target.Width();
  const std::int64_t height = target.Height();
  for (const auto& s : image->spans) {
    const std::int64_t row = std::int64_t{y} + s.y;
    if (row < 0) continue;
    if (row >= height) break;  // spans are sorted by row
    const std::int64_t from = std::max<std::int64_t>(std::int64_t{x} + s.x0, 0);
    const std::int64_t to = std::min<std::int64_t>(std::int64_t{x} + s.x1, width);
    if (from >= to) continue;
    Pixel* p = target.Row(static_cast<int>(row));
    FillPixels(p + from, p + to, ink);
    target.MarkPainted(static_cast<int>(row), static_cast<int>(from), static_cast<int>(to));
  }
}

Size Canvas::TextExtent(std::string_view utf8) const {
  return GetFont(FontName(), FontSize(), TextLayoutScale())->TextExtent(utf8);
}

}  // namespace vorbel::gdi
