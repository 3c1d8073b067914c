#pragma once
// Smooth edges from a surface drawn larger: every block of factor x factor
// pixels of the large surface becomes one pixel whose alpha is the share of
// the block that is painted and whose colour is the mean of its painted
// pixels.

#include <cstdint>

#include "gdi/bitmap.h"

namespace vorbel::gdi {

// The block factor of smooth edges: 4 x 4 pixels give 17 levels of alpha.
inline constexpr int kSmoothFactor = 4;

// Reduces `fine`, which keeps its alpha plane, to a surface `factor` times
// smaller on each side (the parts of the last blocks beyond a whole multiple
// are left out) into `out`, which keeps an alpha plane afterwards. Each pixel
// of `out` takes:
//  - alpha: the sum of the block's alpha divided by factor * factor, rounded
//    to the nearest level;
//  - colour: the mean of the block's colours weighted by their alpha, each
//    component rounded to the nearest; a block with nothing painted takes
//    `unpainted`.
// A block that is all painted in one colour gives that colour, fully opaque,
// so areas of flat colour stay exactly as they are. `factor` of 1 or less
// copies `fine`.
void ReduceBlocks(const Bitmap& fine, int factor, Pixel unpainted, Bitmap& out);

}  // namespace vorbel::gdi
