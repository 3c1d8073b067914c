#pragma once
// Captions filled with a horizontal colour gradient.

#include <array>
#include <string_view>

#include "base/color.h"
#include "gdi/bitmap.h"
#include "gdi/canvas.h"

namespace vorbel::render {

// The gradient colours of the text drawer. They live as long as the program
// (the main window owns them), so a pass that fails between setting the start
// and the end colour leaves the start colour set.
struct TextGradient {
  base::Color from;
  base::Color to;
  int steps = 255;
  std::array<gdi::Pixel, 256> palette{};

  // Entry i = start + MulDiv(i, end - start, steps - 1) per red, green and
  // blue byte, taken mod 256, with both ends resolved as displayed (system
  // colours looked up). With 255 steps entry 0 is the start colour, entry 254
  // the end colour and entry 255 one step beyond the end.
  void BuildPalette();

  // Paints steps + 1 vertical stripes over (0, 0, width, height) of canvas's
  // target: stripe i covers x = MulDiv(i, width, steps) up to
  // MulDiv(i + 1, width, steps) in palette entry i. The last stripe starts at
  // `width` and covers nothing. The canvas's state is not touched.
  void Paint(gdi::Canvas& canvas, int width, int height) const;
};

// Draws `text` at (x, y) on canvas in its current font, its baseline turned by
// `escapement` tenths of a degree counter-clockwise about (x, y) as TextOut
// turns it, with every glyph pixel inside the caption's cell box taking the
// colour of `picture` stretched over that box: the picture's left column at
// the start of the caption, its right column at the end, so the gradient runs
// along the caption. Pixels between the glyphs, and glyph pixels outside the
// cell box, keep what was under them. The stretch is worked out for the pixels
// on the canvas only, so a caption of any width costs what shows.
void DrawGradientText(gdi::Canvas& canvas, int x, int y, std::string_view text, const gdi::Bitmap& picture,
                      int escapement = 0);

}  // namespace vorbel::render
