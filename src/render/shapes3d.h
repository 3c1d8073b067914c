#pragma once
// Shapes shaded in 3D: a highlight copy, a shadow copy two pixels down and to
// the right, and the face copy between them.

#include "base/color.h"
#include "gdi/bitmap.h"
#include "gdi/canvas.h"

namespace vorbel::render {

// The box a shape outlined with a pen of `penWidth` is given at `scale`:
// `box` holds the numbers of scale 1 multiplied by the scale, and the pen is
// that of scale 1 multiplied. A pen is centred on the outline through the
// pixels at the box's edges. A pen of an even width at scale 1 lies between
// pixels, and the multiplied box is kept. One of an odd width (the usual
// one-pixel pen) lies on a pixel: the box shrinks so that the pen covers the
// k x k blocks of the pixels it covered at scale 1, and rims stay as wide on
// the top and left as on the bottom and right. At scale 1 the box stays.
gdi::Rect ScaledShapeBox(const gdi::Rect& box, int penWidth, int scale);

// Rectangle(box) of the canvas at `scale`, `box` holding the numbers of scale
// 1 multiplied: a pen that was one pixel wide at scale 1 draws a ring of
// blocks `scale` pixels wide with square corners, as the thin pen draws them;
// a wider one is the canvas's own outline on ScaledShapeBox.
void ScaledRectangle(gdi::Canvas& canvas, const gdi::Rect& box, int scale);

// Each routine sets the brush solid and draws its shape three times, brush and
// pen in one colour each time and with the canvas's current pen width:
//   highlight: (x1, y1, x2, y2) as given;
//   shadow:    every number + 2 (for the rounded rectangle the corner sizes too);
//   face:      every number + 1.
// With a one-pixel pen the result is a face-coloured shape with a one-pixel
// highlight rim along its top and left and a shadow rim along its bottom and
// right. The canvas is left with the face colour as brush and pen.
//
// At a `scale` above 1 the numbers given are those of scale 1 multiplied by
// the scale; the offsets 2 and 1 are multiplied too, and each copy's box is
// taken through ScaledShapeBox, so that the rims are as many pixels wide as
// the scale.
void Draw3DEllipse(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                   int x2, int y2, int scale = 1);
void Draw3DRectangle(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                     int x2, int y2, int scale = 1);
void Draw3DRoundRect(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow, int x1, int y1,
                     int x2, int y2, int cornerWidth, int cornerHeight, int scale = 1);

}  // namespace vorbel::render
