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
struct PixelView {
  const base::Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, at least width
  const std::uint8_t* alpha = nullptr;

  const base::Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  // Row y of the alpha, nullptr when the view has none.
  const std::uint8_t* AlphaRow(int y) const {
    return alpha == nullptr ? nullptr : alpha + static_cast<std::ptrdiff_t>(y) * stride;
  }
};

}  // namespace vorbel::codecs
