#pragma once
// A pixel surface: W x H 32-bit pixels in top-down rows, full-colour or
// two-colour, optionally with an alpha plane.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "base/color.h"
#include "base/error.h"
#include "base/large_buffer.h"

namespace vorbel::gdi {

// One pixel of a surface: the device pixel, 0x00RRGGBB.
using Pixel = base::Pixel;

// The pixels and the alpha plane of a surface.
using PixelBuffer = std::vector<Pixel, base::LargeBufferAllocator<Pixel>>;
using AlphaBuffer = std::vector<std::uint8_t, base::LargeBufferAllocator<std::uint8_t>>;

constexpr Pixel kBlack{0x000000};
constexpr Pixel kWhite{0xFFFFFF};

// Sets first..last-1 to p, as std::fill does, sixteen pixels a store where it
// can: the fills of shapes and of whole surfaces are most of a pass's time.
inline void FillPixels(Pixel* first, Pixel* last, Pixel p) {
  constexpr std::ptrdiff_t kBlock = 16;
  if (last - first >= kBlock) {
    Pixel block[kBlock];
    std::fill(block, block + kBlock, p);
    for (; last - first >= kBlock; first += kBlock) std::memcpy(first, block, sizeof block);
  }
  for (; first < last; ++first) *first = p;
}

// Surfaces beyond these limits are refused as too large to draw.
constexpr int kMaxBitmapSide = 32767;
constexpr std::int64_t kMaxBitmapPixels = 100'000'000;

// True when a W x H surface is beyond the limits. A width or height of 0 or
// less is not too large: such a surface is simply empty.
bool SizeTooLarge(int w, int h);

// Thrown when a surface beyond the limits is asked for.
class BitmapTooLarge : public base::Error {
 public:
  BitmapTooLarge(int w, int h);
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

// A rectangle that covers left..right-1 and top..bottom-1: right and bottom are
// exclusive. A rectangle with right <= left or bottom <= top covers nothing.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  // The same area with its corners ordered (left <= right, top <= bottom).
  constexpr Rect Normalized() const {
    return {left < right ? left : right, top < bottom ? top : bottom, left < right ? right : left,
            top < bottom ? bottom : top};
  }
  // The common part of two rectangles; empty (all zero) when they do not meet.
  constexpr Rect Intersected(const Rect& o) const {
    Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
           bottom < o.bottom ? bottom : o.bottom};
    return r.IsEmpty() ? Rect{} : r;
  }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

class Bitmap {
 public:
  // An empty surface: no pixels.
  Bitmap() = default;
  // A W x H surface of black pixels; no pixels when W or H is 0 or less.
  // Throws BitmapTooLarge when SizeTooLarge(w, h).
  Bitmap(int w, int h, bool mono = false);
  // Adopts W x H pixels in top-down rows without copying them. Throws
  // BitmapTooLarge beyond the limits and std::invalid_argument when the vector
  // does not hold exactly w*h pixels (an empty vector for an empty size).
  Bitmap(int w, int h, std::vector<Pixel>&& pixels);

  int Width() const { return w_; }
  int Height() const { return h_; }
  Size GetSize() const { return {w_, h_}; }
  Rect Bounds() const { return {0, 0, w_, h_}; }
  bool Empty() const { return pixels_.empty(); }
  // A two-colour surface holds only kBlack and kWhite: every write maps the
  // colour (white stays white, everything else becomes black).
  bool IsMono() const { return mono_; }
  void SetMono(bool mono);  // turning a surface two-colour maps its pixels

  // Changes the size; the pixels are undefined afterwards unless the size is
  // unchanged (then they are kept). W or H of 0 or less leaves no pixels.
  // Throws BitmapTooLarge beyond the limits (the surface is then unchanged).
  void Resize(int w, int h);
  // Sets every pixel (mapped to black or white on a two-colour surface).
  void Fill(Pixel p);

  // ---- the alpha plane ----
  // A surface may keep one more byte a pixel: its alpha, how much of it is
  // painted, from 0 (nothing) to 255 (all of it). On a surface that keeps
  // the plane every write marks the pixels it touches as painted (255):
  // SetPixel, Fill and every drawing operation of the canvas and the raster
  // routines. Writers through Row() mark what they write with MarkPainted.
  // Without the plane every pixel counts as painted. Turning the plane on
  // starts it with nothing painted; it follows the surface's size.
  void KeepAlpha(bool keep);
  bool KeepsAlpha() const { return keeps_alpha_; }
  // The alpha of (x, y): 255 without the plane, 0 outside the surface.
  std::uint8_t Alpha(int x, int y) const {
    if (!Inside(x, y)) return 0;
    return keeps_alpha_ ? alpha_[Index(x, y)] : 255;
  }
  // Row y of the plane, nullptr without it; y must lie inside the surface.
  std::uint8_t* AlphaRow(int y) { return keeps_alpha_ ? alpha_.data() + Index(0, y) : nullptr; }
  const std::uint8_t* AlphaRow(int y) const { return keeps_alpha_ ? alpha_.data() + Index(0, y) : nullptr; }
  // Marks x1..x2-1 of row y painted; the caller has clipped them to the
  // surface. Nothing without the plane.
  void MarkPainted(int y, int x1, int x2) {
    if (keeps_alpha_ && x1 < x2) std::fill(alpha_.data() + Index(x1, y), alpha_.data() + Index(x2, y), 255);
  }
  // Marks every pixel unpainted (alpha 0).
  void ClearAlpha() { std::fill(alpha_.begin(), alpha_.end(), std::uint8_t{0}); }

  // The pixel at (x, y); black for a point outside the surface.
  Pixel GetPixel(int x, int y) const { return Inside(x, y) ? pixels_[Index(x, y)] : kBlack; }
  // Writes one pixel; a point outside the surface is ignored.
  void SetPixel(int x, int y, Pixel p) {
    if (!Inside(x, y)) return;
    pixels_[Index(x, y)] = MapPixel(p);
    if (keeps_alpha_) alpha_[Index(x, y)] = 255;
  }
  bool Inside(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(w_) && static_cast<unsigned>(y) < static_cast<unsigned>(h_);
  }

  // Row y, W pixels from the left; y must lie inside the surface. Callers that
  // write through these pointers into a two-colour surface must store only
  // kBlack or kWhite.
  Pixel* Row(int y) { return pixels_.data() + Index(0, y); }
  const Pixel* Row(int y) const { return pixels_.data() + Index(0, y); }
  Pixel* Data() { return pixels_.data(); }
  const Pixel* Data() const { return pixels_.data(); }
  const PixelBuffer& Pixels() const { return pixels_; }

  // The part of the surface under r as a new surface of the same kind, its
  // alpha plane included (r is clipped to the surface first; empty when
  // nothing of it lies inside).
  Bitmap Copy(const Rect& r) const;

  // The colour a write of p stores: p itself on a full-colour surface, kWhite
  // or kBlack on a two-colour one.
  Pixel MapPixel(Pixel p) const { return mono_ ? (p == kWhite ? kWhite : kBlack) : p; }

  // The same size, kind and colours; the alpha planes are not compared.
  friend bool operator==(const Bitmap& a, const Bitmap& b) {
    return a.w_ == b.w_ && a.h_ == b.h_ && a.mono_ == b.mono_ && a.pixels_ == b.pixels_;
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(w_) + static_cast<std::size_t>(x);
  }

  int w_ = 0;
  int h_ = 0;
  bool mono_ = false;
  bool keeps_alpha_ = false;
  PixelBuffer pixels_;
  AlphaBuffer alpha_;  // w_ * h_ bytes while keeps_alpha_
};

}  // namespace vorbel::gdi
