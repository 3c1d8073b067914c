// WebP files through libwebp.

#include <webp/encode.h>

#include <memory>
#include <new>
#include <string>

#include "base/translation.h"
#include "codecs/image_writers.h"

namespace vorbel::codecs {

namespace {

// Pictures up to this many pixels (a large button's sprite sheet) get
// libwebp's strongest lossless effort; larger ones one that takes a fraction
// of its time for files a few per cent larger.
constexpr long kStrongestEffortPixels = 1L << 20;

std::string EncodingError(WebPEncodingError code) {
  switch (code) {
    case VP8_ENC_ERROR_OUT_OF_MEMORY:
    case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY: throw std::bad_alloc();
    case VP8_ENC_ERROR_BAD_DIMENSION: return "the picture is too large";
    case VP8_ENC_ERROR_FILE_TOO_BIG: return "the file would be larger than 4 GB";
    default: return "libwebp error " + std::to_string(static_cast<int>(code));
  }
}

struct PictureDeleter {
  void operator()(WebPPicture* p) const {
    WebPPictureFree(p);
    delete p;
  }
};
struct WriterDeleter {
  void operator()(WebPMemoryWriter* w) const {
    WebPMemoryWriterClear(w);
    delete w;
  }
};

}  // namespace

std::vector<std::uint8_t> EncodeWebp(const PixelView& img, base::Pixel workArea, int quality) {
  CheckExportable(img);
  if (img.width > WEBP_MAX_DIMENSION || img.height > WEBP_MAX_DIMENSION) {
    throw base::FileWriteError(base::TranslateFormat(
        "Unable to encode the WebP image: it is %s x %s pixels, and WebP holds at most %s pixels a side",
        {std::to_string(img.width), std::to_string(img.height), std::to_string(WEBP_MAX_DIMENSION)}));
  }
  const RgbaImage rgba = ToRgba(img, workArea);

  WebPConfig config;
  if (!WebPConfigInit(&config)) throw base::FileWriteError("Unable to encode the WebP image: libwebp does not match");
  const bool lossless = quality < 0;
  if (lossless) {
    const long pixels = static_cast<long>(img.width) * img.height;
    WebPConfigLosslessPreset(&config, pixels <= kStrongestEffortPixels ? 9 : 6);
    // Transparent pixels keep their colour as well: the file gives back
    // exactly the pixels it was made of.
    config.exact = 1;
  } else {
    config.quality = static_cast<float>(quality > 100 ? 100 : quality);
    config.method = 6;
  }

  std::unique_ptr<WebPPicture, PictureDeleter> picture(new WebPPicture{});
  std::unique_ptr<WebPMemoryWriter, WriterDeleter> writer(new WebPMemoryWriter{});
  WebPMemoryWriterInit(writer.get());
  if (!WebPPictureInit(picture.get()))
    throw base::FileWriteError("Unable to encode the WebP image: libwebp does not match");
  picture->use_argb = lossless ? 1 : 0;
  picture->width = img.width;
  picture->height = img.height;
  picture->writer = WebPMemoryWrite;
  picture->custom_ptr = writer.get();
  if (!WebPPictureImportRGBA(picture.get(), rgba.rgba.data(), img.width * 4) || !WebPEncode(&config, picture.get())) {
    throw base::FileWriteError("Unable to encode the WebP image: " + EncodingError(picture->error_code));
  }
  return {writer->mem, writer->mem + writer->size};
}

}  // namespace vorbel::codecs
