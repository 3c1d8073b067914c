#include "render/shapes3d.h"

#include <algorithm>
#include <cstdint>

namespace vorbel::render {
namespace {

// Shapes are drawn at offsets 0, +2 and +1. Coordinates and corner sizes come
// from property strings and may be anything; keeping them within +-2^30 makes
// the offsets safe without changing what is visible (the surface is at most
// 32767 pixels wide, so a shape that far out covers or misses all of it alike).
int Offset(int value, int by) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 30;
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{value} + by, -kLimit, kLimit));
}

template <typename DrawShape>
void DrawThreeTimes(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, DrawShape draw) {
  canvas.SetBrushStyle(gdi::BrushStyle::Solid);
  canvas.SetBrushColor(highlight);
  canvas.SetPenColor(highlight);
  draw(0);
  canvas.SetBrushColor(shadow);
  canvas.SetPenColor(shadow);
  draw(2);
  canvas.SetBrushColor(face);
  canvas.SetPenColor(face);
  draw(1);
}

}  // namespace

void Draw3DEllipse(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                   int x1, int y1, int x2, int y2) {
  DrawThreeTimes(canvas, face, highlight, shadow, [&](int d) {
    canvas.Ellipse(Offset(x1, d), Offset(y1, d), Offset(x2, d), Offset(y2, d));
  });
}

void Draw3DRectangle(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                     int x1, int y1, int x2, int y2) {
  DrawThreeTimes(canvas, face, highlight, shadow, [&](int d) {
    canvas.Rectangle(Offset(x1, d), Offset(y1, d), Offset(x2, d), Offset(y2, d));
  });
}

void Draw3DRoundRect(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                     int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  DrawThreeTimes(canvas, face, highlight, shadow, [&](int d) {
    canvas.RoundRect(Offset(x1, d), Offset(y1, d), Offset(x2, d), Offset(y2, d),
                     Offset(cornerWidth, d), Offset(cornerHeight, d));
  });
}

}  // namespace vorbel::render
