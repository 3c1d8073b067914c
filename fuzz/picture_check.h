#pragma once
// The check both picture fuzzers make: decoding gives a consistent picture or
// raises PictureError; any other exception, a crash, a sanitizer report or a
// pixel with its top byte set is a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "codecs/picture.h"

template <typename Decode>
int CheckPictureDecoder(Decode decode, const std::uint8_t* data, std::size_t size) {
  try {
    const vorbel::codecs::Picture pic = decode(std::span<const std::uint8_t>(data, size));
    if (pic.width <= 0 || pic.height <= 0 ||
        pic.pixels.size() != static_cast<std::size_t>(pic.width) * static_cast<std::size_t>(pic.height))
      std::abort();
    // A decoder writing raw bytes must leave no top byte behind.
    for (const vorbel::base::Pixel p : pic.pixels)
      if (p.Rgb() >> 24) std::abort();
    (void)pic.TransparentColour();
  } catch (const vorbel::codecs::PictureError&) {
  }
  return 0;
}
