#pragma once
// Scaling a button down (or up) to a thumbnail: a picture with an alpha
// channel whose work-area pixels are transparent.

#include <cstdint>
#include <vector>

#include "base/color.h"
#include "codecs/pixel_view.h"

namespace vorbel::codecs {

// 8-bit RGBA pixels with straight (not premultiplied) alpha, rows top first,
// 4 bytes a pixel in the order red, green, blue, alpha.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

struct ThumbnailSize {
  int width = 0;
  int height = 0;
};

// The size of the thumbnail of a w x h picture (both at least 1) in a box of
// `box` x `box` pixels (at least 1):
//  - a picture larger than the box is reduced to fit it, its longer side
//    becoming `box` and the other side rounded to the nearest pixel (at least
//    1);
//  - a picture that fits is enlarged by the largest whole factor, at most 4,
//    that keeps it inside the box, so every pixel becomes a square block of
//    pixels (a factor of 1 keeps its size).
ThumbnailSize ThumbnailSizeFor(int w, int h, int box);

// The picture as a thumbnail in a `box` x `box` box (see ThumbnailSizeFor).
// A view with alpha keeps its transparency; in one without, pixels of
// exactly the work-area colour are transparent. Enlarging repeats
// pixels (nearest neighbour); reducing averages the area each thumbnail pixel
// covers, weighted by the exact overlap and by opacity (premultiplied alpha),
// so an edge against the work area becomes partly transparent and no
// work-area colour bleeds into the button. Integer arithmetic throughout: the
// same picture always gives the same bytes. Fully transparent pixels are
// (0, 0, 0, 0). Needs memory for the thumbnail and a few rows of it only.
// Throws std::invalid_argument for an empty or malformed view or box < 1.
RgbaImage ScaleForThumbnail(const PixelView& img, base::Pixel workArea, int box);

}  // namespace vorbel::codecs
