#include "render/text_gradient.h"

#include <algorithm>
#include <cstdint>

#include "base/mul_div.h"
#include "gdi/system_colors.h"

namespace vorbel::render {

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
    std::fill(first + x1, first + x2, target.MapPixel(palette[static_cast<std::size_t>(i)]));
  }
  for (int y = 1; y < h; ++y) std::copy(first, first + w, target.Row(y));
}

void DrawGradientText(gdi::Canvas& canvas, int x, int y, std::string_view text, const gdi::Bitmap& picture) {
  gdi::Canvas probe(canvas.Target());
  probe.SetFontName(canvas.FontName());
  probe.SetFontSize(canvas.FontSize());
  const gdi::Size extent = probe.TextExtent(text);
  if (extent.cx <= 0 || extent.cy <= 0) return;
  // Only the part of the text's box that lies on the canvas can change, so the
  // work is done on that part alone: the mask is drawn and the picture stretched
  // as for the whole box, shifted by the part's offset. The pixels are the same;
  // a long caption in a large font costs no more than what shows.
  const gdi::Rect whole{x, y, x + extent.cx, y + extent.cy};
  const gdi::Rect part = whole.Intersected(canvas.Target().Bounds());
  if (part.IsEmpty()) return;
  const int dx = x - part.left;  // where the whole box starts in the part's coordinates
  const int dy = y - part.top;
  const gdi::Rect stretched{dx, dy, dx + extent.cx, dy + extent.cy};

  // The mask: black glyphs on white, in a copy of the canvas's font.
  gdi::Bitmap mask(part.Width(), part.Height(), /*mono=*/true);
  mask.Fill(gdi::kWhite);
  gdi::Canvas maskCanvas(mask);
  maskCanvas.SetFontName(canvas.FontName());
  maskCanvas.SetFontSize(canvas.FontSize());
  maskCanvas.SetFontColor(base::Color::FromRgb(0, 0, 0));
  maskCanvas.SetBkMode(gdi::BkMode::Opaque);
  maskCanvas.SetBkColor(base::Color::FromRgb(255, 255, 255));
  maskCanvas.TextOut(dx, dy, text);

  gdi::Bitmap box(part.Width(), part.Height());
  const gdi::Rect r = box.Bounds();
  gdi::Canvas boxCanvas(box);
  boxCanvas.CopyRect(r, canvas.Target(), part, gdi::RasterOp::Copy);
  boxCanvas.CopyRect(stretched, picture, picture.Bounds(), gdi::RasterOp::Xor);
  boxCanvas.CopyRect(r, mask, mask.Bounds(), gdi::RasterOp::And);
  boxCanvas.CopyRect(stretched, picture, picture.Bounds(), gdi::RasterOp::Xor);
  canvas.Draw(part.left, part.top, box);
}

}  // namespace vorbel::render
