#include "codecs/image_writers.h"

namespace vorbel::codecs {

namespace {

void StoreLe16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void StoreLe32(std::uint8_t* p, std::uint32_t v) {
  StoreLe16(p, v);
  StoreLe16(p + 2, v >> 16);
}

constexpr std::size_t kHeadersSize = 14 + 40;
// 96 dots per inch, the usual screen resolution, in pixels per metre.
constexpr std::uint32_t kPixelsPerMetre = 3780;

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const PixelView& img) {
  CheckExportable(img);
  const std::uint64_t stride = (static_cast<std::uint64_t>(img.width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageBytes = stride * static_cast<std::uint64_t>(img.height);
  if (imageBytes + kHeadersSize > 0xFFFFFFFFu) throw base::FileWriteError("The image is too large for a BMP file");

  std::vector<std::uint8_t> out(kHeadersSize + static_cast<std::size_t>(imageBytes));
  std::uint8_t* h = out.data();
  h[0] = 'B';
  h[1] = 'M';
  StoreLe32(h + 2, static_cast<std::uint32_t>(out.size()));
  StoreLe32(h + 10, kHeadersSize);
  StoreLe32(h + 14, 40);
  StoreLe32(h + 18, static_cast<std::uint32_t>(img.width));
  StoreLe32(h + 22, static_cast<std::uint32_t>(img.height));  // positive: bottom-up
  StoreLe16(h + 26, 1);                                        // planes
  StoreLe16(h + 28, 24);                                       // bits per pixel
  StoreLe32(h + 30, 0);                                        // uncompressed
  StoreLe32(h + 34, static_cast<std::uint32_t>(imageBytes));
  StoreLe32(h + 38, kPixelsPerMetre);
  StoreLe32(h + 42, kPixelsPerMetre);
  // Colours used and important stay 0; padding bytes stay 0.

  for (int y = 0; y < img.height; ++y) {
    const base::Pixel* src = img.Row(y);
    std::uint8_t* dst = out.data() + kHeadersSize + static_cast<std::size_t>(stride) * static_cast<std::size_t>(img.height - 1 - y);
    for (int x = 0; x < img.width; ++x, dst += 3) {
      const base::Pixel p = src[x];
      dst[0] = p.Blue();
      dst[1] = p.Green();
      dst[2] = p.Red();
    }
  }
  return out;
}

}  // namespace vorbel::codecs
