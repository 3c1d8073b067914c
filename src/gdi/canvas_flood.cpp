// Flood fill of the canvas.

#include <algorithm>
#include <vector>

#include "gdi/canvas.h"
#include "gdi/system_colors.h"

namespace vorbel::gdi {

namespace {

// A run of filled pixels x1..x2 on row y whose neighbours on row y + dy are
// still to be scanned.
struct Seed {
  int y, x1, x2, dy;
};

// A painted run: x1..x2 of row y.
struct Run {
  int y, x1, x2;
};

// Scan-line seed fill: paints with `paint` the pixels four-connected to
// (x, y) for which `fillable` holds; `paint` itself must not be fillable.
// Each run is painted once and each pixel tested a bounded number of times,
// so the cost is linear in the filled area; the explicit stack grows with the
// number of pending runs, never with recursion depth. Records the painted
// runs in *runs when given.
template <class Fillable>
void SeedFill(Bitmap& b, int x, int y, Pixel paint, Fillable fillable, std::vector<Run>* runs) {
  const int w = b.Width();
  const int h = b.Height();
  // Paint from x (fillable) outwards while the pixels are fillable, testing
  // and painting in the same pass; return the last painted x.
  const auto growRight = [&](Pixel* row, int from) {
    int c = from;
    while (c < w && fillable(row[c])) row[c++] = paint;
    return c - 1;
  };
  const auto growLeft = [&](Pixel* row, int from) {
    int a = from - 1;
    while (a >= 0 && fillable(row[a])) row[a--] = paint;
    return a + 1;
  };
  const auto noteRun = [&](int yy, int a, int c) {
    if (runs) runs->push_back({yy, a, c});
  };

  std::vector<Seed> stack;
  // The first run: grow the start pixel to the left and right.
  {
    Pixel* row = b.Row(y);
    const int a = growLeft(row, x);
    const int c = growRight(row, x);
    noteRun(y, a, c);
    stack.push_back({y, a, c, 1});
    stack.push_back({y, a, c, -1});
  }
  while (!stack.empty()) {
    const Seed s = stack.back();
    stack.pop_back();
    const int ny = s.y + s.dy;
    if (ny < 0 || ny >= h) continue;
    Pixel* row = b.Row(ny);
    int cx = s.x1;
    while (cx <= s.x2) {
      if (!fillable(row[cx])) {
        ++cx;
        continue;
      }
      // A run on the new row that touches the parent run: grow it both ways.
      const int a = growLeft(row, cx);
      const int c = growRight(row, cx);
      noteRun(ny, a, c);
      stack.push_back({ny, a, c, s.dy});
      // Parts that reach beyond the parent run may open areas back the way we came.
      if (a < s.x1 - 1) stack.push_back({ny, a, s.x1 - 2, -s.dy});
      if (c > s.x2 + 1) stack.push_back({ny, s.x2 + 2, c, -s.dy});
      cx = c + 2;
    }
  }
}

}  // namespace

void Canvas::FloodFill(int x, int y, base::Color border) {
  Bitmap& b = *target_;
  if (brush_style_ == BrushStyle::Clear || !b.Inside(x, y)) return;
  const Pixel stop = b.MapPixel(ResolveColor(border));
  if (b.GetPixel(x, y) == stop) return;
  const Pixel paint = b.MapPixel(ResolveColor(brush_color_));

  // The runs are recorded only when they are to be given the brush colour
  // or marked painted afterwards.
  std::vector<Run> runs;
  if (paint == stop) {
    // Painted pixels become border pixels themselves and stop the fill.
    std::vector<Run>* record = b.KeepsAlpha() ? &runs : nullptr;
    SeedFill(b, x, y, paint, [stop](Pixel p) { return p != stop; }, record);
    for (const Run& r : runs) b.MarkPainted(r.y, r.x1, r.x2 + 1);
    return;
  }
  // Otherwise the fill first paints with the border colour, so that what it
  // has painted stops it like the border does, and then gives the painted
  // runs the brush colour.
  SeedFill(b, x, y, stop, [stop](Pixel p) { return p != stop; }, &runs);
  for (const Run& r : runs) {
    Pixel* row = b.Row(r.y);
    FillPixels(row + r.x1, row + r.x2 + 1, paint);
    b.MarkPainted(r.y, r.x1, r.x2 + 1);
  }
}

}  // namespace vorbel::gdi
