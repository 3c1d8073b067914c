#pragma once
// The check both picture fuzzers make: decoding gives a consistent picture or
// raises PictureError; any other exception, a crash, a sanitizer report or a
// pixel with its top byte set is a fault. The same bytes are then read as a
// file, header first, as the render pass reads pictures: what that gives must
// agree with the header and with the decoding from memory.
//
// Pictures whose header declares more than kFuzzMaxPixels are only checked up
// to their header: a few dozen bytes of run-length data can declare tens of
// millions of pixels, and decoding them twice under the sanitizers takes
// seconds without reaching any code a small picture does not.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>

#include "codecs/picture.h"

inline constexpr std::int64_t kFuzzMaxPixels = std::int64_t{1} << 20;

template <typename Decode>
int CheckPictureDecoder(Decode decode, bool jpeg, const std::uint8_t* data, std::size_t size) {
  using vorbel::codecs::Picture;
  const int fd = ::memfd_create("picture", MFD_CLOEXEC);
  if (fd < 0) return 0;
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (size != 0 && ::write(fd, data, size) != static_cast<ssize_t>(size)) {
    ::close(fd);
    return 0;
  }
  try {
    vorbel::codecs::PictureFile header(path, jpeg);
    const vorbel::codecs::PictureSize declared = header.ReadHeader();
    if (declared.Pixels() > kFuzzMaxPixels) {
      ::close(fd);
      return 0;
    }
  } catch (const vorbel::codecs::PictureError&) {
  }

  std::optional<Picture> fromMemory;
  try {
    fromMemory = decode(std::span<const std::uint8_t>(data, size));
    const Picture& pic = *fromMemory;
    if (pic.width <= 0 || pic.height <= 0 ||
        pic.pixels.size() != static_cast<std::size_t>(pic.width) * static_cast<std::size_t>(pic.height))
      std::abort();
    // A decoder writing raw bytes must leave no top byte behind.
    for (const vorbel::base::Pixel p : pic.pixels)
      if (p.Rgb() >> 24) std::abort();
    (void)pic.TransparentColour();
  } catch (const vorbel::codecs::PictureError&) {
  }

  {
    try {
      vorbel::codecs::PictureFile file(path, jpeg);
      const vorbel::codecs::PictureSize declared = file.ReadHeader();
      const Picture pic = file.Decode();
      // The picture has the size its header declared, and where the bytes
      // decode from memory too, the same pixels. (A file may be read only as
      // far as its picture can need, so it may decode where trailing junk
      // makes the whole bytes fail.)
      if (pic.width != declared.width || pic.height != declared.height) std::abort();
      if (fromMemory && (fromMemory->pixels != pic.pixels || fromMemory->width != pic.width)) std::abort();
    } catch (const vorbel::codecs::PictureError&) {
    }
  }
  ::close(fd);
  return 0;
}
