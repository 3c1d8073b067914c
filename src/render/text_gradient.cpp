#include "render/text_gradient.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "gdi/system_colors.h"

namespace vorbel {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t num = std::int64_t{a} * b;
  std::int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  // Round half away from zero.
  std::int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  if (q < std::numeric_limits<int>::min() || q > std::numeric_limits<int>::max()) return -1;
  return static_cast<int>(q);
}

void TextGradient::BuildGradientPalette() {
  const TColor from = gdi::ResolvedColor(GradientFromColor);
  const TColor to = gdi::ResolvedColor(GradientToColor);
  const int divisor = GradientSteps - 1;
  auto channel = [&](int start, int end, int i) {
    return static_cast<std::uint8_t>((start + MulDiv(i, end - start, divisor)) & 0xFF);
  };
  for (int i = 0; i < static_cast<int>(GradientPalette.size()); ++i) {
    GradientPalette[static_cast<std::size_t>(i)] =
        MakeColor(channel(RedOf(from), RedOf(to), i), channel(GreenOf(from), GreenOf(to), i),
                  channel(BlueOf(from), BlueOf(to), i));
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
    const int x1 = std::max(MulDiv(i, width, GradientSteps), 0);
    const int x2 = std::min(MulDiv(i + 1, width, GradientSteps), w);
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
  maskCanvas.SetFontColor(MakeColor(0, 0, 0));
  maskCanvas.SetBkMode(gdi::BkMode::Opaque);
  maskCanvas.SetBkColor(MakeColor(255, 255, 255));
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

}  // namespace vorbel
