#pragma once
// Pictures that background and image layers draw: decoded from BMP or JPEG
// files into plain 0x00RRGGBB pixels.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/color.h"
#include "base/error.h"

namespace vorbel::codecs {

// Pictures wider or taller than kMaxPictureSide, or with more pixels than
// kMaxPicturePixels (width * height, in 64 bits), are refused from their
// header, before anything is allocated for them: no surface could draw them.
constexpr std::int64_t kMaxPictureSide = 32767;
constexpr std::int64_t kMaxPicturePixels = 100'000'000;

// True when a picture of w x h pixels is beyond those limits.
constexpr bool PictureSizeTooLarge(std::int64_t w, std::int64_t h) {
  return w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels;
}

// The size a picture file's header declares.
struct PictureSize {
  int width = 0;
  int height = 0;
  std::int64_t Pixels() const { return std::int64_t{width} * height; }
  friend constexpr bool operator==(const PictureSize&, const PictureSize&) = default;
};

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
// pictures included). Throws PictureError for damaged or truncated data, and,
// before anything is allocated for the pixels, for a Huffman-coded picture
// whose blocks need more data than the file holds after its headers (every
// block takes at least two bits, or one in a progressive file).
Picture DecodeJpeg(std::span<const std::uint8_t> bytes);

// True when the decoder for `path` is the JPEG one: the extension of its file
// name (the text from the last "." after the last "/"), upper-cased, contains
// "JP" (".jpg", ".jpeg", ".jpe", also ".ajp"). Everything else, a name without
// an extension included, is read as BMP; a "." in a folder name plays no part.
bool IsJpegPath(const std::string& path);

// One version of a file: a file that is written to or replaced gets another
// (its size, its modification time or its identity changes).
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modified_ns = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// A picture file read in two steps, so that a caller can weigh a picture by
// its header before paying for it: ReadHeader reads and checks the header
// alone (the first bytes of a BMP file, the segments before the first scan of
// a JPEG file); Decode reads no more of the file than the picture can need.
class PictureFile {
 public:
  // Opens `path`, to be decoded as JPEG or as BMP. Throws PictureError
  // ("Cannot open picture file " + path + ": " + reason) when it cannot be
  // opened, is not a regular file or is larger than any picture file can be.
  PictureFile(const std::string& path, bool jpeg);
  ~PictureFile();
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  const FileStamp& Stamp() const { return stamp_; }
  // The size the header declares, within the limits. Throws PictureError
  // naming the file. Once only; Decode calls it when it has not been called.
  PictureSize ReadHeader();
  // The picture. Throws PictureError naming the file, or std::bad_alloc.
  // Once only.
  Picture Decode();

 private:
  struct Reader;
  std::string path_;
  bool jpeg_;
  int fd_ = -1;
  FileStamp stamp_;
  std::unique_ptr<Reader> reader_;
};

// Reads and decodes the picture at `path` with the decoder IsJpegPath
// chooses. Throws PictureError, also when the file cannot be read.
Picture LoadPicture(const std::string& path);

}  // namespace vorbel::codecs
