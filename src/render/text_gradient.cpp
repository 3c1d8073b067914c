#include "render/text_gradient.h"

#include <algorithm>
#include <cstdint>

#include "base/mul_div.h"
#include "gdi/system_colors.h"

namespace vorbel::render {

void TextGradient::BuildGradientPalette() {
  const base::TColor from = gdi::ResolvedColor(GradientFromColor);
  const base::TColor to = gdi::ResolvedColor(GradientToColor);
  const int divisor = GradientSteps - 1;
  auto channel = [&](int start, int end, int i) {
    return static_cast<std::uint8_t>((start + base::MulDiv(i, end - start, divisor)) & 0xFF);
  };
  for (int i = 0; i < static_cast<int>(GradientPalette.size()); ++i) {
    GradientPalette[static_cast<std::size_t>(i)] =
        base::MakeColor(channel(base::RedOf(from), base::RedOf(to), i), channel(base::GreenOf(from), base::GreenOf(to), i),
                  channel(base::BlueOf(from), base::BlueOf(to), i));
  }
}

void TextGradient::PaintGradient(gdi::Canvas& canvas, int width, int height) const {
  gdi::Bitmap& target = canvas.Target();
  const int w = std::min(width, target.Width());
  const int h = std::min(height, target.Height());
  if (w <= 0 || h <= 0) return;
  // Build the first row stripe by stripe, then repeat it: every row is the same.
  gdi::Pixel* first = target.Row(0);
  const int last = std::min(GradientSteps, static_cast<int>(GradientPalette.size()) - 1);
  for (int i = 0; i <= last; ++i) {
    const int x1 = std::max(base::MulDiv(i, width, GradientSteps), 0);
    const int x2 = std::min(base::MulDiv(i + 1, width, GradientSteps), w);
    if (x2 <= x1) continue;
    std::fill(first + x1, first + x2, target.MapPixel(gdi::ResolveColor(GradientPalette[static_cast<std::size_t>(i)])));
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
  maskCanvas.SetFontColor(base::MakeColor(0, 0, 0));
  maskCanvas.SetBkMode(gdi::BkMode::Opaque);
  maskCanvas.SetBkColor(base::MakeColor(255, 255, 255));
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
