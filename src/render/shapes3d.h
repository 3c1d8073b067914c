#pragma once
// Shapes shaded in 3D: a highlight copy, a shadow copy two pixels down and to
// the right, and the face copy between them.

#include "base/color.h"
#include "gdi/canvas.h"

namespace vorbel::render {

// Each routine sets the brush solid and draws its shape three times, brush and
// pen in one colour each time and with the canvas's current pen width:
//   highlight: (x1, y1, x2, y2) as given;
//   shadow:    every number + 2 (for the rounded rectangle the corner sizes too);
//   face:      every number + 1.
// With a one-pixel pen the result is a face-coloured shape with a one-pixel
// highlight rim along its top and left and a shadow rim along its bottom and
// right. The canvas is left with the face colour as brush and pen.
void Draw3DEllipse(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                   int x1, int y1, int x2, int y2);
void Draw3DRectangle(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                     int x1, int y1, int x2, int y2);
void Draw3DRoundRect(gdi::Canvas& canvas, base::Color face, base::Color highlight, base::Color shadow,
                     int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);

}  // namespace vorbel::render
