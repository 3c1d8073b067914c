#pragma once
// The two steps of reading a picture file, inside the codecs: the header
// first, then, if the caller still wants the picture, the rest (PictureFile).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "codecs/picture.h"

namespace vorbel::codecs::detail {

// Every BMP header version, with the colour masks that may follow the
// shortest one, lies within this many bytes of the start of the file.
inline constexpr std::size_t kBmpHeadBytes = 14 + 124 + 16;

// What a BMP file's headers say: the picture's size (checked against the
// limits) and how many bytes from the start of the file decoding may read.
struct BmpLayout {
  PictureSize size;
  std::uint64_t bytes_to_read = 0;
};

// `head` is the start of the file, at least kBmpHeadBytes bytes of it unless
// the file is shorter; fileSize is its whole size. Throws PictureError.
BmpLayout ReadBmpLayout(std::span<const std::uint8_t> head, std::uint64_t fileSize);

struct JpegState;

// A JPEG picture read through libjpeg from memory or from an open file, which
// it reads piece by piece as decoding goes (never whole, never twice).
class JpegReader {
 public:
  explicit JpegReader(std::span<const std::uint8_t> bytes);
  // `fd` stays open and owned by the caller; reading starts at its offset 0.
  JpegReader(int fd, std::uint64_t fileSize);
  ~JpegReader();
  JpegReader(const JpegReader&) = delete;
  JpegReader& operator=(const JpegReader&) = delete;

  // Reads the headers up to the first scan and checks the picture's size
  // against the limits and against the data the file still holds (see
  // DecodeJpeg). Throws PictureError.
  PictureSize ReadHeader();
  // Decodes the pixels (reading the headers first when that has not been
  // done). Throws PictureError or std::bad_alloc. Once only.
  Picture Decode();

 private:
  std::unique_ptr<JpegState> state_;
};

}  // namespace vorbel::codecs::detail
