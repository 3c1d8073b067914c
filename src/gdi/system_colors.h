#pragma once
// Resolution of stored colours to pixels, through the table of system
// colours: the one place where a base::Color becomes a Pixel.

#include "base/color.h"
#include "gdi/bitmap.h"

namespace vorbel::gdi {

// The number of system colours the table knows (indexes 0..24).
constexpr int kSystemColorCount = 25;

// The classic standard-scheme pixel of system colour `index`; black for an
// index beyond the table.
Pixel SystemColorPixel(int index);

// The pixel a colour draws with. A system colour (top bit set) is looked up
// by its low byte, black when the index lies beyond the table; any other
// value draws with its low 24 bits, so 0x1FFFFFFF ("clNone") draws white.
Pixel ResolveColor(base::Color c);

}  // namespace vorbel::gdi
