#pragma once
// A read-only view of pixels that an image writer encodes.

#include <cstddef>
#include <cstdint>

#include "base/color.h"

namespace vorbel::codecs {

// `height` rows of `width` pixels, row y starting at pixels + y * stride. The
// writers never keep the pointers.
//
// A view may carry the pixels' alpha, straight (not premultiplied): one byte a
// pixel, 0 transparent to 255 opaque, row y at alpha + y * stride. Without it
// the writers take the transparency rule they are given (the work-area
// colour).
//
// A view with alpha may also be read over a matte, for formats that keep a
// pixel whole or leave it out: a pixel whose alpha is below `opaque_from` is
// transparent and reads as the matte, every other one reads as its colour
// over the matte (OverMatte in matte.h), opaque. That is the picture
// Flatten(view, matte, opaque_from) makes, read without the copy; writers
// that do not read it so are given flattened pictures instead.
struct PixelView {
  const base::Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, at least width
  const std::uint8_t* alpha = nullptr;
  std::uint8_t opaque_from = 0;  // 0: not read over a matte
  base::Pixel matte{};

  const base::Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  // Row y of the alpha, nullptr when the view has none.
  const std::uint8_t* AlphaRow(int y) const {
    return alpha == nullptr ? nullptr : alpha + static_cast<std::ptrdiff_t>(y) * stride;
  }
};

}  // namespace vorbel::codecs
