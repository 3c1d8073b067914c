#pragma once
// Pictures that background and image layers draw: decoded from BMP or JPEG
// files into plain 0x00RRGGBB pixels, anew on every render pass.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/color.h"
#include "base/error.h"

namespace vorbel::codecs {

// Pictures with more pixels than this (width * height, in 64 bits) are refused
// before anything is allocated for them.
constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// A decoded picture, ready to draw.
struct Picture {
  int width = 0;
  int height = 0;
  // width * height pixels, top row first (pictures carry no alpha into the
  // drawing).
  std::vector<base::Pixel> pixels;
  // A 1-bit picture. Its transparent colour is white whatever its palette.
  bool two_colour = false;

  // The colour left out when the picture is drawn transparently: white for a
  // two-colour picture, otherwise the colour of the bottom-left pixel. 0 for
  // a picture without pixels.
  base::Pixel TransparentColour() const;

  base::Pixel At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Every failure to read or decode a picture. The message names what was wrong.
class PictureError : public base::Error {
 public:
  using base::Error::Error;
};

// Decode a whole BMP file held in memory. Throws PictureError for anything
// that is not a complete, consistent BMP picture of a supported kind.
Picture DecodeBmp(std::span<const std::uint8_t> bytes);

// Decode a whole JPEG file held in memory to RGB (greyscale and CMYK/YCCK
// pictures included). Throws PictureError for damaged or truncated data.
Picture DecodeJpeg(std::span<const std::uint8_t> bytes);

// True when the decoder for `path` is the JPEG one: the extension of its file
// name (the text from the last "." after the last "/"), upper-cased, contains
// "JP" (".jpg", ".jpeg", ".jpe", also ".ajp"). Everything else, a name without
// an extension included, is read as BMP; a "." in a folder name plays no part.
bool IsJpegPath(const std::string& path);

// Read the whole file at `path` and decode it with the decoder
// IsJpegPath chooses. Throws PictureError, also when the file cannot be read.
Picture LoadPicture(const std::string& path);

}  // namespace vorbel::codecs
