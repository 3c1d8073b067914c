#pragma once
// Buttons for screens of higher pixel density: the document of a button drawn
// again at 2 or 3 device pixels per pixel, not enlarged.
//
// A document at scale k has every number its layers keep multiplied by k: the
// button's width and height, the Left and Top offsets of text and image
// layers, a background's corner size (Seed), a bevel's pen (Pen), a text
// layer's font size (FontSize) and shadow offset (ShadowOffset). A value that
// does not convert stays as it is, so it fails at scale k as it fails at
// scale 1. ButtonRenderer::RenderButton(doc, k) then multiplies the measures
// the drawers take on their own.

#include <cstdint>
#include <string>
#include <string_view>

#include "document/button_document.h"
#include "document/layer_row.h"

namespace vorbel::render {

// v * scale, kept within the range of a 32-bit integer.
std::int32_t ScaledNumber(std::int64_t v, int scale);

// The row with its numbers multiplied by `scale` (see above), by the keys of
// every kind its Type names. A font size of 0 (the default size, 12 points)
// becomes 12 * scale; pens of width 0 or 1 (both one pixel) become `scale`.
document::LayerRow ScaleRow(const document::LayerRow& row, int scale);

// Gives `to` the button of `from` at `scale`: the size multiplied, the same
// work-area colour, border, transparency, smooth edges, matte and layout
// folder, every row through ScaleRow.
// The selection of `to` is cleared.
void ScaleDocument(const document::ButtonDocument& from, int scale, document::ButtonDocument& to);

// The name of a picture's file for `scale`: "@<scale>x" put before the
// extension ("pics/glass.bmp" gives "pics/glass@2x.bmp", "glass" gives
// "glass@2x"); an empty path stays empty.
std::string ScaledPictureName(std::string_view path, int scale);

}  // namespace vorbel::render
