#pragma once
// A read-only view of pixels that an image writer encodes.

#include <cstddef>
#include <cstdint>

#include "base/color.h"

namespace vorbel::codecs {

// `height` rows of `width` pixels, row y starting at pixels + y * stride. The
// writers never keep the pointer.
struct PixelView {
  const base::Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, at least width

  const base::Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace vorbel::codecs
