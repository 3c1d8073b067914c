#pragma once
// The glyph pixels of one caption, ready to be copied onto a surface.

#include <cmath>
#include <cstdint>
#include <vector>

#include "gdi/bitmap.h"

namespace vorbel::gdi {

// Pixels x0..x1-1 of row y (x1 exclusive), relative to the reference point of
// the text: the top-left corner of its first character cell.
struct GlyphSpan {
  int y = 0;
  int x0 = 0;
  int x1 = 0;
  friend constexpr bool operator==(const GlyphSpan&, const GlyphSpan&) = default;
};

// A caption laid out and rasterised: every glyph pixel as spans, sorted by row.
// Spans of neighbouring glyphs may overlap; painting them is idempotent.
struct TextImage {
  std::vector<GlyphSpan> spans;
  // The bounding box of the spans, relative to the reference point (empty when
  // there are no glyph pixels).
  Rect ink_bounds;
  // The sum of the advances: the width of the unrotated cell box.
  std::int64_t advance = 0;
  // The height of the cell box: ascent plus descent.
  int cell_height = 0;
  // The escapement in tenths of a degree, normalised to 0..3599.
  int escapement = 0;
};

// An escapement in tenths of a degree reduced to 0..3599.
constexpr int NormalizeEscapement(int tenths) {
  const int e = tenths % 3600;
  return e < 0 ? e + 3600 : e;
}

// The direction of the baseline for an escapement: exact for the quarter turns.
// Text with an escapement is turned about the centre of the reference pixel, so
// that the pixel (x + i, y + j) of the upright cell goes where the turn by a
// quarter counter-clockwise sends it, (x + j, y - i), and nowhere in between.
struct TextDirection {
  double cos = 1.0;
  double sin = 0.0;

  static TextDirection FromEscapement(int tenths) {
    switch (NormalizeEscapement(tenths)) {
      case 0: return {1.0, 0.0};
      case 900: return {0.0, 1.0};
      case 1800: return {-1.0, 0.0};
      case 2700: return {0.0, -1.0};
      default: {
        const double a = NormalizeEscapement(tenths) * (3.14159265358979323846 / 1800.0);
        return {std::cos(a), std::sin(a)};
      }
    }
  }

  // Where the point (u, v) of the upright cell (u along the baseline, v down,
  // both relative to the reference corner) lands, relative to the same corner.
  // Turned counter-clockwise on the screen, whose y axis points down.
  void Map(double u, double v, double& x, double& y) const {
    const double du = u - 0.5;
    const double dv = v - 0.5;
    x = 0.5 + du * cos + dv * sin;
    y = 0.5 - du * sin + dv * cos;
  }
};

}  // namespace vorbel::gdi
