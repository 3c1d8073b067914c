#pragma once
// Reduction of full-colour pixels to the 216-colour web palette, with the
// work-area colour made transparent: the colour model of exported GIF files.

#include <array>
#include <cstdint>
#include <vector>

#include "base/large_buffer.h"
#include "codecs/pixel_view.h"

namespace vorbel::codecs {

// The level (0 to 5) a colour component c takes in the web palette:
// floor((c + 3) / 51). Not rounding to the nearest level: 30 gives 0, 250
// gives 4 (204).
constexpr int WebLevel(std::uint8_t c) { return (c + 3) / 51; }

// The web-palette index r*36 + g*6 + b of a pixel.
constexpr int WebIndex(base::Pixel pixel) {
  return WebLevel(pixel.Red()) * 36 + WebLevel(pixel.Green()) * 6 + WebLevel(pixel.Blue());
}

// The pixel of web-palette entry `index` (0 to 215).
constexpr base::Pixel WebColour(int index) {
  return base::Pixel::FromRgb(static_cast<std::uint8_t>((index / 36) * 51),
                              static_cast<std::uint8_t>((index / 6 % 6) * 51),
                              static_cast<std::uint8_t>((index % 6) * 51));
}

// A picture as a colour table and one table index per pixel.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t, base::LargeBufferAllocator<std::uint8_t>> indices;  // width * height, top row first
  std::vector<base::Pixel> colours;                                             // not padded
  int transparent_index = -1;                                                   // -1 when no pixel is transparent

  // The smallest b of at least 1 with 2^b not less than the table size.
  int BitsPerPixel() const;
};

// Reduces `img` for a GIF export:
// - a pixel equal to `workArea` (decided on the full colour, before
//   reduction) is transparent; in a view with alpha, a pixel whose alpha is
//   below kGifOpaqueFrom (128) instead (below the view's opaque_from when it
//   is read over a matte, see PixelView);
// - every pixel is reduced to the web palette by WebLevel per component;
// - the table holds the web colours that occur among the reduced pixels,
//   transparent ones counted with their reduced colour, most used first; equal
//   counts keep ascending web-palette order;
// - when a pixel is transparent, black is appended as the transparent entry
//   and every transparent pixel takes its index.
IndexedImage ReduceToWebPalette(const PixelView& img, base::Pixel workArea);

// The same reduction without its last pass over the pixels: `indices` holds
// intermediate codes and the table index of pixel i is map[indices[i]]. Equal
// codes are equal colours, so runs can be found on the codes. For encoders
// that apply the map as they read (the GIF writer).
IndexedImage ReduceToWebPaletteCodes(const PixelView& img, base::Pixel workArea, std::array<std::uint8_t, 256>& map);

}  // namespace vorbel::codecs
