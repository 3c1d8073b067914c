// Bitmap drawing of the canvas: plain, transparent, stretched and combined copies.

#include <algorithm>
#include <optional>

#include "gdi/canvas.h"
#include "gdi/raster.h"

namespace vorbel::gdi {

namespace {

// Stretched copies whose destination is wider or taller than this are not
// drawn (their sampling tables alone would be larger than any surface).
constexpr int kMaxStretchSide = 4 * kMaxBitmapSide;

inline Pixel Combine(Pixel d, Pixel s, RasterOp op) {
  switch (op) {
    case RasterOp::Xor:
      return d ^ s;
    case RasterOp::And:
      return d & s;
    case RasterOp::Copy:
      break;
  }
  return s;
}

// Copies srcRect of src onto dstRect of dst, combining with op and leaving out
// source pixels equal to *key when a key is given. Equal sizes copy 1:1 (both
// rectangles clipped alike); different sizes sample by StretchMap.
void Blit(Bitmap& dst, Rect d, const Bitmap& src, Rect s, RasterOp op, std::optional<Pixel> key) {
  d = raster::ClampRect(d.left, d.top, d.right, d.bottom).Normalized();
  s = raster::ClampRect(s.left, s.top, s.right, s.bottom).Normalized();
  if (d.IsEmpty() || s.IsEmpty() || dst.Empty() || src.Empty()) return;
  if (key) key = src.MapPixel(*key);
  const bool mono = dst.IsMono();

  if (d.Width() == s.Width() && d.Height() == s.Height()) {
    // Clip the source to its bitmap and move the destination along, then clip
    // the destination to the target and move the source along.
    const Rect sc = s.Intersected(src.Bounds());
    if (sc.IsEmpty()) return;
    d = {d.left + (sc.left - s.left), d.top + (sc.top - s.top), d.right - (s.right - sc.right),
         d.bottom - (s.bottom - sc.bottom)};
    const Rect dc = d.Intersected(dst.Bounds());
    if (dc.IsEmpty()) return;
    const int sx0 = sc.left + (dc.left - d.left);
    const int sy0 = sc.top + (dc.top - d.top);
    const int n = dc.Width();
    for (int y = dc.top; y < dc.bottom; ++y) {
      Pixel* out = dst.Row(y) + dc.left;
      const Pixel* in = src.Row(sy0 + (y - dc.top)) + sx0;
      if (op == RasterOp::Copy && !key && !mono) {
        std::copy(in, in + n, out);
        dst.MarkPainted(y, dc.left, dc.right);
        continue;
      }
      std::uint8_t* painted = dst.AlphaRow(y);
      for (int i = 0; i < n; ++i) {
        if (key && in[i] == *key) continue;
        out[i] = dst.MapPixel(Combine(out[i], in[i], op));
        if (painted) painted[dc.left + i] = 255;
      }
    }
    return;
  }

  if (d.Width() > kMaxStretchSide || d.Height() > kMaxStretchSide) return;
  const Rect dc = d.Intersected(dst.Bounds());
  if (dc.IsEmpty()) return;
  const std::vector<int> mapX = raster::StretchMap(s.Width(), d.Width(), true);
  const std::vector<int> mapY = raster::StretchMap(s.Height(), d.Height(), false);
  for (int y = dc.top; y < dc.bottom; ++y) {
    const int sy = s.top + mapY[static_cast<std::size_t>(y - d.top)];
    if (sy < 0 || sy >= src.Height()) continue;
    const Pixel* in = src.Row(sy);
    Pixel* out = dst.Row(y);
    std::uint8_t* painted = dst.AlphaRow(y);
    for (int x = dc.left; x < dc.right; ++x) {
      const int sx = s.left + mapX[static_cast<std::size_t>(x - d.left)];
      if (sx < 0 || sx >= src.Width()) continue;
      const Pixel p = in[sx];
      if (key && p == *key) continue;
      out[x] = dst.MapPixel(Combine(out[x], p, op));
      if (painted) painted[x] = 255;
    }
  }
}

// The rectangle of src placed with its top-left corner at (x, y).
Rect At(int x, int y, const Bitmap& src) {
  return raster::ClampRect(x, y, std::int64_t{x} + src.Width(), std::int64_t{y} + src.Height());
}

}  // namespace

void Canvas::Draw(int x, int y, const Bitmap& src) {
  Blit(*target_, At(x, y, src), src, src.Bounds(), RasterOp::Copy,
       std::nullopt);
}

void Canvas::DrawTransparent(int x, int y, const Bitmap& src, Pixel key) {
  Blit(*target_, At(x, y, src), src, src.Bounds(), RasterOp::Copy, key);
}

void Canvas::StretchDraw(const Rect& dst, const Bitmap& src) {
  Blit(*target_, dst, src, src.Bounds(), RasterOp::Copy, std::nullopt);
}

void Canvas::StretchDrawTransparent(const Rect& dst, const Bitmap& src, Pixel key) {
  Blit(*target_, dst, src, src.Bounds(), RasterOp::Copy, key);
}

void Canvas::CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect, RasterOp op) {
  Blit(*target_, dst, src, srcRect, op, std::nullopt);
}

}  // namespace vorbel::gdi
