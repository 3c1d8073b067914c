#include "files/image_writers.h"

#include <stdexcept>

namespace vorbel {

void CheckExportable(const PixelView& img) {
  if (img.width <= 0 || img.height <= 0)
    throw FileWriteError("The button is empty: width and height must be at least 1 pixel");
  if (img.pixels == nullptr || img.stride < img.width)
    throw std::invalid_argument("PixelView without pixels or with a stride shorter than its width");
}

// Encoding comes first: nothing is created on disk for an image that cannot be
// encoded.
void WriteBmpFile(const std::string& path, const PixelView& img) { WriteFileAtomically(path, EncodeBmp(img)); }

void WriteJpegFile(const std::string& path, const PixelView& img) { WriteFileAtomically(path, EncodeJpeg(img)); }

void WriteGifFile(const std::string& path, const PixelView& img, std::uint32_t workAreaRgb) {
  WriteFileAtomically(path, EncodeGif(img, workAreaRgb));
}

void WritePngFile(const std::string& path, const PixelView& img, std::uint32_t workAreaRgb) {
  WriteFileAtomically(path, EncodePng(img, workAreaRgb));
}

}  // namespace vorbel
