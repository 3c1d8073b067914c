#pragma once
// Pictures with partial transparency made fit for formats that keep less of
// it: GIF keeps a pixel whole or leaves it out, JPEG and BMP keep no
// transparency at all. What they cannot keep is blended onto a matte: the
// colour of the page the picture is meant for.

#include <cstdint>
#include <vector>

#include "codecs/pixel_view.h"

namespace vorbel::codecs {

// The colour p shows with opacity `alpha` (0 to 255) over `matte`: each
// component matte + (p - matte) * alpha / 255, rounded to the nearest.
constexpr base::Pixel OverMatte(base::Pixel p, std::uint8_t alpha, base::Pixel matte) {
  if (alpha == 255) return p;
  const auto mix = [alpha](int c, int m) {
    const int d = (c - m) * alpha;
    return static_cast<std::uint8_t>(m + (d >= 0 ? (d + 127) / 255 : -((-d + 127) / 255)));
  };
  return base::Pixel::FromRgb(mix(p.Red(), matte.Red()), mix(p.Green(), matte.Green()), mix(p.Blue(), matte.Blue()));
}

// The opacity from which a GIF keeps a pixel: at least half covered.
inline constexpr std::uint8_t kGifOpaqueFrom = 128;

// A picture's pixels and, when it keeps transparency, their alpha (0 or 255).
struct FlatPicture {
  int width = 0;
  int height = 0;
  std::vector<base::Pixel> pixels;
  std::vector<std::uint8_t> alpha;  // empty: every pixel opaque

  PixelView View() const;
};

// The picture `img` made fit for a format without partial transparency:
//  - opaqueFrom 0 (JPEG, BMP): every pixel over the matte, and no alpha;
//  - otherwise (GIF): a pixel whose alpha is at least opaqueFrom becomes its
//    colour over the matte, opaque; the others become the matte colour and
//    transparent (alpha 0).
// A view without alpha counts as opaque everywhere.
FlatPicture Flatten(const PixelView& img, base::Pixel matte, std::uint8_t opaqueFrom);

}  // namespace vorbel::codecs
