#include "codecs/image_writers.h"

#include <stdexcept>

#include "base/translation.h"

namespace vorbel::codecs {

void CheckExportable(const PixelView& img) {
  if (img.width <= 0 || img.height <= 0)
    throw base::FileWriteError(base::Translate("The button is empty: width and height must be at least 1 pixel"));
  if (img.pixels == nullptr || img.stride < img.width)
    throw std::invalid_argument("PixelView without pixels or with a stride shorter than its width");
}

RgbaImage ToRgba(const PixelView& img, base::Pixel workArea) {
  CheckExportable(img);
  RgbaImage out{img.width, img.height, {}};
  out.rgba.resize(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 4);
  std::uint8_t* dst = out.rgba.data();
  for (int y = 0; y < img.height; ++y) {
    const base::Pixel* src = img.Row(y);
    const std::uint8_t* alpha = img.AlphaRow(y);
    for (int x = 0; x < img.width; ++x, dst += 4) {
      const base::Pixel p = src[x];
      dst[0] = p.Red();
      dst[1] = p.Green();
      dst[2] = p.Blue();
      dst[3] = alpha != nullptr ? alpha[x] : (p == workArea ? 0 : 255);
    }
  }
  return out;
}

// Encoding comes first: nothing is created on disk for an image that cannot be
// encoded.
void WriteBmpFile(const std::string& path, const PixelView& img) { base::WriteFileAtomically(path, EncodeBmp(img)); }

void WriteJpegFile(const std::string& path, const PixelView& img) { base::WriteFileAtomically(path, EncodeJpeg(img)); }

void WriteGifFile(const std::string& path, const PixelView& img, base::Pixel workArea) {
  base::WriteFileAtomically(path, EncodeGif(img, workArea));
}

void WritePngFile(const std::string& path, const PixelView& img, base::Pixel workArea) {
  base::WriteFileAtomically(path, EncodePng(img, workArea));
}

}  // namespace vorbel::codecs
