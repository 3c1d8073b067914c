#pragma once
// A read-only view of pixels that an image writer encodes.

#include <cstddef>
#include <cstdint>

namespace vorbel::codecs {

// `height` rows of `width` pixels, each 0x00RRGGBB (the top byte is ignored),
// row y starting at pixels + y * stride. The writers never keep the pointer.
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, at least width

  const std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace vorbel::codecs
