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
