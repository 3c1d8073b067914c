#include "render/text_gradient.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "base/mul_div.h"
#include "gdi/font.h"
#include "gdi/raster.h"
#include "gdi/system_colors.h"
#include "gdi/text_image.h"

namespace vorbel::render {
namespace {

int ClampToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN / 2, INT_MAX / 2)); }

}  // namespace

void TextGradient::BuildPalette() {
  const gdi::Pixel start = gdi::ResolveColor(from);
  const gdi::Pixel end = gdi::ResolveColor(to);
  const int divisor = steps - 1;
  auto channel = [&](int first, int last, int i) {
    return static_cast<std::uint8_t>((first + base::MulDiv(i, last - first, divisor)) & 0xFF);
  };
  for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
    palette[static_cast<std::size_t>(i)] =
        gdi::Pixel::FromRgb(channel(start.Red(), end.Red(), i), channel(start.Green(), end.Green(), i),
                            channel(start.Blue(), end.Blue(), i));
  }
}

void TextGradient::Paint(gdi::Canvas& canvas, int width, int height) const {
  gdi::Bitmap& target = canvas.Target();
  const int w = std::min(width, target.Width());
  const int h = std::min(height, target.Height());
  if (w <= 0 || h <= 0) return;
  // Build the first row stripe by stripe, then repeat it: every row is the same.
  gdi::Pixel* first = target.Row(0);
  const int last = std::min(steps, static_cast<int>(palette.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    const int x1 = std::max(base::MulDiv(i, width, steps), 0);
    const int x2 = std::min(base::MulDiv(i + 1, width, steps), w);
    if (x2 <= x1) continue;
    gdi::FillPixels(first + x1, first + x2, target.MapPixel(palette[static_cast<std::size_t>(i)]));
  }
  for (int y = 1; y < h; ++y) std::copy(first, first + w, target.Row(y));
}

void DrawGradientText(gdi::Canvas& canvas, int x, int y, std::string_view text, const gdi::Bitmap& picture,
                      int escapement) {
  gdi::Bitmap& target = canvas.Target();
  const auto font = gdi::GetFont(canvas.FontName(), canvas.FontSize(), canvas.TextLayoutScale());
  const gdi::Size extent = font->TextExtent(text);
  if (extent.cx <= 0 || extent.cy <= 0 || picture.Empty() || target.Empty()) return;

  // The surface as seen from the reference point, as TextOut sees it.
  const std::int64_t left = -std::int64_t{x};
  const std::int64_t top = -std::int64_t{y};
  const gdi::Rect visible{ClampToInt(left), ClampToInt(top), ClampToInt(left + target.Width()),
                          ClampToInt(top + target.Height())};
  const auto image = font->RenderText(text, escapement, visible);
  const gdi::TextDirection dir = gdi::TextDirection::FromEscapement(escapement);
  const bool upright = gdi::NormalizeEscapement(escapement) == 0;

  for (const gdi::GlyphSpan& span : image->spans) {
    const std::int64_t row = std::int64_t{y} + span.y;
    if (row < 0 || row >= target.Height()) continue;
    const std::int64_t from = std::max<std::int64_t>(std::int64_t{x} + span.x0, 0);
    const std::int64_t to = std::min<std::int64_t>(std::int64_t{x} + span.x1, target.Width());
    gdi::Pixel* out = target.Row(static_cast<int>(row));
    std::uint8_t* painted = target.AlphaRow(static_cast<int>(row));
    const double b = static_cast<double>(span.y);
    for (std::int64_t px = from; px < to; ++px) {
      // Where the pixel lies in the upright cell: column u along the
      // baseline, line v across it (TextDirection::Map undone).
      std::int64_t u = px - x;
      std::int64_t v = span.y;
      if (!upright) {
        const double a = static_cast<double>(px - x);
        u = static_cast<std::int64_t>(std::floor(0.5 + a * dir.cos - b * dir.sin));
        v = static_cast<std::int64_t>(std::floor(0.5 + a * dir.sin + b * dir.cos));
      }
      if (u < 0 || u >= extent.cx || v < 0 || v >= extent.cy) continue;
      const int sx = gdi::raster::StretchIndex(picture.Width(), extent.cx, true, u);
      const int sy = gdi::raster::StretchIndex(picture.Height(), extent.cy, false, v);
      out[px] = target.MapPixel(picture.GetPixel(sx, sy));
      if (painted) painted[px] = 255;
    }
  }
}

}  // namespace vorbel::render
