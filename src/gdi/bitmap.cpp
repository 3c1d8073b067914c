#include "gdi/bitmap.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace vorbel::gdi {

bool SizeTooLarge(int w, int h) {
  if (w <= 0 || h <= 0) return false;
  if (w > kMaxBitmapSide || h > kMaxBitmapSide) return true;
  return static_cast<std::int64_t>(w) * h > kMaxBitmapPixels;
}

BitmapTooLarge::BitmapTooLarge(int w, int h)
    : base::Error("a picture of " + std::to_string(w) + " x " + std::to_string(h) + " pixels is too large to draw") {}

namespace {

std::size_t PixelCount(int w, int h) {
  if (w <= 0 || h <= 0) return 0;
  return static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
}

// A new pixel buffer of n black pixels.
PixelBuffer NewPixels(std::size_t n) {
  PixelBuffer pixels;
  pixels.reserve(n);
  pixels.resize(n);  // black, as a Pixel starts
  return pixels;
}

}  // namespace

Bitmap::Bitmap(int w, int h, bool mono) : mono_(mono) { Resize(w, h); }

Bitmap::Bitmap(int w, int h, std::vector<Pixel>&& pixels) {
  if (SizeTooLarge(w, h)) throw BitmapTooLarge(w, h);
  if (pixels.size() != PixelCount(w, h)) {
    throw std::invalid_argument("pixel count does not match the picture size");
  }
  if (!pixels.empty()) {
    w_ = w;
    h_ = h;
    pixels_.assign(pixels.begin(), pixels.end());
    std::vector<Pixel>().swap(pixels);
  }
}

void Bitmap::Resize(int w, int h) {
  if (SizeTooLarge(w, h)) throw BitmapTooLarge(w, h);
  const std::size_t n = PixelCount(w, h);
  if (n == 0) {
    w_ = h_ = 0;
    PixelBuffer().swap(pixels_);
    AlphaBuffer().swap(alpha_);
    return;
  }
  if (w == w_ && h == h_) return;
  if (keeps_alpha_) {
    if (n < alpha_.capacity() / 2) {
      AlphaBuffer(n, 0).swap(alpha_);
    } else {
      alpha_.resize(n, 0);
    }
  }
  if (n < pixels_.capacity() / 2 || n > pixels_.capacity()) {
    // A much smaller surface gives the memory of a large one back (a button
    // of 9000 x 9000 holds 324 MB); a larger one needs new memory anyway.
    NewPixels(n).swap(pixels_);
  } else {
    // Growing keeps the old pixels of the buffer in place only as a side
    // effect; the contents are undefined after a size change, so no copying
    // is done.
    pixels_.resize(n, kBlack);
  }
  w_ = w;
  h_ = h;
}

void Bitmap::SetMono(bool mono) {
  mono_ = mono;
  if (mono_) {
    for (Pixel& p : pixels_) p = MapPixel(p);
  }
}

void Bitmap::Fill(Pixel p) {
  FillPixels(pixels_.data(), pixels_.data() + pixels_.size(), MapPixel(p));
  std::fill(alpha_.begin(), alpha_.end(), std::uint8_t{255});
}

void Bitmap::KeepAlpha(bool keep) {
  if (keep == keeps_alpha_) return;
  keeps_alpha_ = keep;
  if (keep) {
    alpha_.assign(pixels_.size(), 0);
  } else {
    AlphaBuffer().swap(alpha_);
  }
}

Bitmap Bitmap::Copy(const Rect& r) const {
  const Rect c = r.Normalized().Intersected(Bounds());
  Bitmap out(c.Width(), c.Height(), mono_);
  out.KeepAlpha(keeps_alpha_);
  for (int y = 0; y < out.h_; ++y) {
    const Pixel* from = Row(c.top + y) + c.left;
    std::copy(from, from + out.w_, out.Row(y));
    if (keeps_alpha_) {
      const std::uint8_t* alpha = AlphaRow(c.top + y) + c.left;
      std::copy(alpha, alpha + out.w_, out.AlphaRow(y));
    }
  }
  return out;
}

}  // namespace vorbel::gdi
