#pragma once
// How readable a caption is on its button: the contrast of its colour
// against the pixels behind its glyphs, as the web's accessibility
// guidelines measure it (the relative luminance of sRGB colours, and the
// ratio (lighter + 0.05) / (darker + 0.05), from 1:1 to 21:1).

#include <optional>
#include <vector>

#include "gdi/bitmap.h"

namespace vorbel::render {

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(gdi::Pixel p);
// The contrast ratio of two colours, 1 to 21, in either order.
double ContrastRatio(gdi::Pixel a, gdi::Pixel b);

// The least contrast a caption should have: 4.5:1, and 3:1 for large text,
// captions whose letters are kLargeCaptionPixels high or more.
inline constexpr double kMinContrast = 4.5;
inline constexpr double kMinContrastLarge = 3.0;
inline constexpr int kLargeCaptionPixels = 24;

// A caption as drawn on its button: its colour and the pixels behind its
// glyphs, each made opaque over the matte.
struct CaptionSample {
  gdi::Pixel colour;
  std::vector<gdi::Pixel> backdrop;

  bool Empty() const { return backdrop.empty(); }
  // The contrast of the colour against the backdrop's mean luminance; 0 for
  // an empty sample.
  double Contrast() const;
};

// Compares a picture of the button with its caption (`with`) and one without
// (`without`), drawn alike: the caption's glyphs are the pixels that differ
// and have the caption's colour `colour` (its shadow and outline are left
// out); without a colour (a gradient caption), or when no pixel has it,
// every pixel that differs counts, and the colour is their most frequent
// one. A button whose caption draws nothing gives an empty sample.
CaptionSample SampleCaption(const gdi::Bitmap& with, const gdi::Bitmap& without, std::optional<gdi::Pixel> colour,
                            gdi::Pixel matte);

}  // namespace vorbel::render
