#pragma once
// Resolution of colour values to pixels, through the table of system colours.

#include <array>

#include "base/color.h"
#include "gdi/bitmap.h"

namespace vorbel::gdi {

// The number of system colours the table knows (indexes 0..24).
constexpr int kSystemColorCount = 25;

// The classic standard-scheme value of system colour `index` as 0x00RRGGBB;
// black for an index beyond the table.
Pixel SystemColorPixel(int index);

// The pixel a colour value draws with. A system colour (top bit set) is looked
// up by its low byte, black when the index lies beyond the table; any other
// value draws with its low 24 bits, so 0x1FFFFFFF ("no colour" in the colour
// lists) draws white.
Pixel ResolveColor(base::TColor c);

// The colour value of a pixel: 0x00RRGGBB back to 0x00BBGGRR.
base::TColor PixelToColor(Pixel p);

// A colour value's real colour: system colours resolved, the top byte cleared.
inline base::TColor ResolvedColor(base::TColor c) { return PixelToColor(ResolveColor(c)); }

}  // namespace vorbel::gdi
