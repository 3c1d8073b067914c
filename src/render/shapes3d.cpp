#include "render/shapes3d.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "gdi/raster.h"
#include "gdi/system_colors.h"

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

// Leaves the brush fills of the canvas out of `region` while it lives.
class CoveredLater {
 public:
  CoveredLater(gdi::Canvas& canvas, gdi::FillRegion region) : canvas_(canvas) {
    canvas_.SetFillCoveredLater(std::move(region));
  }
  ~CoveredLater() { canvas_.SetFillCoveredLater({}); }
  CoveredLater(const CoveredLater&) = delete;
  CoveredLater& operator=(const CoveredLater&) = delete;

 private:
  gdi::Canvas& canvas_;
};

// Draws the three copies; `draw` gets the offset of each, already multiplied
// by the scale. `faceFill` is what the face copy's brush fills: the face is
// drawn last and opaque, so the two copies under it are filled only where
// they show around it (on a full-HD button that saves two fills of the whole
// surface).
template <typename DrawShape>
void DrawThreeTimes(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int scale,
                    gdi::FillRegion faceFill, DrawShape draw) {
  canvas.SetBrushStyle(gdi::BrushStyle::Solid);
  {
    const CoveredLater covered(canvas, std::move(faceFill));
    canvas.SetBrushColor(highlight);
    canvas.SetPenColor(highlight);
    draw(0);
    canvas.SetBrushColor(shadow);
    canvas.SetPenColor(shadow);
    draw(2 * scale);
  }
  canvas.SetBrushColor(face);
  canvas.SetPenColor(face);
  draw(scale);
}

// The box of one copy: (x1, y1, x2, y2) moved by d, then fitted to the pen.
gdi::Rect CopyBox(const gdi::Canvas& canvas, int x1, int y1, int x2, int y2, int d, int scale) {
  return ScaledShapeBox({Offset(x1, d), Offset(y1, d), Offset(x2, d), Offset(y2, d)}, canvas.PenWidth(), scale);
}

}  // namespace

gdi::Rect ScaledShapeBox(const gdi::Rect& box, int penWidth, int scale) {
  if (scale <= 1) return box;
  // The pen of scale 1 (widths below 1 draw as 1). A pen of width w covers
  // c - w/2 .. c + (w-1)/2 across its line at c: an even pen is centred on
  // the corner between two pixels, and the box of scale 1 multiplied puts it
  // on the same corner at scale k. An odd pen is centred on a pixel: it moves
  // in until it covers the k x k blocks of the pixels it covered at scale 1.
  const std::int64_t wide = std::max(penWidth, scale);
  const std::int64_t narrow = std::max<std::int64_t>(wide / scale, 1);
  if (narrow % 2 == 0) return box;
  const int before = static_cast<int>(wide / 2 - scale * (narrow / 2));
  const int after = scale - 1 - before;
  return {Offset(box.left, before), Offset(box.top, before), Offset(box.right, -after), Offset(box.bottom, -after)};
}

void ScaledRectangle(gdi::Canvas& canvas, const gdi::Rect& box, int scale) {
  const int pen = std::max(canvas.PenWidth(), 1);
  if (scale <= 1 || pen > scale) {
    const gdi::Rect fitted = ScaledShapeBox(box, pen, scale);
    canvas.Rectangle(fitted.left, fitted.top, fitted.right, fitted.bottom);
    return;
  }
  // The one-pixel outline of scale 1 is a ring of blocks: k pixels wide,
  // square at the corners as the thin pen draws them. The inside is filled
  // first, as Rectangle fills it.
  const gdi::Rect outer = box.Normalized();
  if (outer.IsEmpty()) return;
  gdi::Bitmap& target = canvas.Target();
  if (canvas.GetBrushStyle() == gdi::BrushStyle::Solid) {
    gdi::raster::FillRect(target,
                          {Offset(outer.left, scale), Offset(outer.top, scale), Offset(outer.right, -scale),
                           Offset(outer.bottom, -scale)},
                          target.MapPixel(gdi::ResolveColor(canvas.BrushColor())));
  }
  const gdi::Pixel ink = target.MapPixel(gdi::ResolveColor(canvas.PenColor()));
  const int innerTop = std::min(Offset(outer.top, scale), outer.bottom);
  const int innerBottom = std::max(Offset(outer.bottom, -scale), innerTop);
  gdi::raster::FillRect(target, {outer.left, outer.top, outer.right, innerTop}, ink);
  gdi::raster::FillRect(target, {outer.left, innerBottom, outer.right, outer.bottom}, ink);
  gdi::raster::FillRect(target, {outer.left, innerTop, std::min(Offset(outer.left, scale), outer.right), innerBottom},
                        ink);
  gdi::raster::FillRect(target, {std::max(Offset(outer.right, -scale), outer.left), innerTop, outer.right, innerBottom},
                        ink);
}

void Draw3DEllipse(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                   int x2, int y2, int scale) {
  const gdi::Rect faceBox = CopyBox(canvas, x1, y1, x2, y2, scale, scale);
  DrawThreeTimes(canvas, face, highlight, shadow, scale,
                 canvas.EllipseFill(faceBox.left, faceBox.top, faceBox.right, faceBox.bottom), [&](int d) {
                   const gdi::Rect box = CopyBox(canvas, x1, y1, x2, y2, d, scale);
                   canvas.Ellipse(box.left, box.top, box.right, box.bottom);
                 });
}

void Draw3DRectangle(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                     int x2, int y2, int scale) {
  DrawThreeTimes(canvas, face, highlight, shadow, scale, {}, [&](int d) {
    ScaledRectangle(canvas, {Offset(x1, d), Offset(y1, d), Offset(x2, d), Offset(y2, d)}, scale);
  });
}

void Draw3DRoundRect(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                     int x2, int y2, int cornerWidth, int cornerHeight, int scale) {
  const gdi::Rect faceBox = CopyBox(canvas, x1, y1, x2, y2, scale, scale);
  DrawThreeTimes(canvas, face, highlight, shadow, scale,
                 canvas.RoundRectFill(faceBox.left, faceBox.top, faceBox.right, faceBox.bottom,
                                      Offset(cornerWidth, scale), Offset(cornerHeight, scale)),
                 [&](int d) {
                   const gdi::Rect box = CopyBox(canvas, x1, y1, x2, y2, d, scale);
                   canvas.RoundRect(box.left, box.top, box.right, box.bottom, Offset(cornerWidth, d),
                                    Offset(cornerHeight, d));
                 });
}

}  // namespace vorbel::render
