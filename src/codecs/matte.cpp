#include "codecs/matte.h"

namespace vorbel::codecs {

PixelView FlatPicture::View() const {
  PixelView view{pixels.data(), width, height, width};
  if (!alpha.empty()) view.alpha = alpha.data();
  return view;
}

FlatPicture Flatten(const PixelView& img, base::Pixel matte, std::uint8_t opaqueFrom) {
  FlatPicture out;
  if (img.width <= 0 || img.height <= 0) return out;
  out.width = img.width;
  out.height = img.height;
  const std::size_t count = static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height);
  out.pixels.resize(count);
  const bool keeps = opaqueFrom > 0;
  if (keeps) out.alpha.assign(count, 255);
  base::Pixel* dst = out.pixels.data();
  std::uint8_t* dstAlpha = keeps ? out.alpha.data() : nullptr;
  for (int y = 0; y < img.height; ++y) {
    const base::Pixel* row = img.Row(y);
    const std::uint8_t* alpha = img.AlphaRow(y);
    for (int x = 0; x < img.width; ++x, ++dst) {
      const std::uint8_t a = alpha != nullptr ? alpha[x] : 255;
      if (keeps && a < opaqueFrom) {
        *dst = matte;
        dstAlpha[x + static_cast<std::size_t>(y) * static_cast<std::size_t>(img.width)] = 0;
        continue;
      }
      *dst = OverMatte(row[x], a, matte);
    }
  }
  return out;
}

}  // namespace vorbel::codecs
