#pragma once
// Helpers for pixel tests of the render pass: tiny documents, pixel predicates
// that name the failing pixel, and a grid print of the surface.

#include <gtest/gtest.h>

#include <string>

#include "document/button_document.h"
#include "document/layer_row.h"
#include "gdi/bitmap.h"
#include "gdi/system_colors.h"
#include "render/button_renderer.h"

namespace vorbel::render {

inline constexpr gdi::Pixel kTeal{0x008080};
inline constexpr gdi::Pixel kRed{0xFF0000};
inline constexpr gdi::Pixel kWhite{0xFFFFFF};
inline constexpr gdi::Pixel kGrey{0x808080};
inline constexpr gdi::Pixel kBlack{0x000000};
inline constexpr gdi::Pixel kMagenta{0xFF00FF};

// Gives a fresh document (teal work area, no rows) the size W x H.
inline void SetSize(document::ButtonDocument& doc, int w, int h) {
  doc.SetWidth(w);
  doc.SetHeight(h);
}

inline void Add(document::ButtonDocument& doc, std::string type, std::string props, std::string left = {},
                std::string top = {}, int imageIndex = 0) {
  doc.AppendRow(
      document::LayerRow::Make(std::move(type), std::move(props), std::move(left), std::move(top), imageIndex));
}

// One character per pixel, for failure messages.
inline std::string Grid(const gdi::Bitmap& b) {
  std::string out;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      switch (b.GetPixel(x, y).Rgb()) {
        case kTeal.Rgb(): out += '.'; break;
        case kRed.Rgb(): out += 'r'; break;
        case kWhite.Rgb(): out += 'w'; break;
        case kGrey.Rgb(): out += 's'; break;
        case kBlack.Rgb(): out += 'k'; break;
        case 0xC0C0C0: out += 'l'; break;
        default: out += '?'; break;
      }
    }
    out += '\n';
  }
  return out;
}

// Checks every pixel against expect(x, y); reports the first few that differ.
template <typename Expect>
::testing::AssertionResult PixelsAre(const gdi::Bitmap& b, Expect expect) {
  int bad = 0;
  std::string report;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const gdi::Pixel want = expect(x, y);
      const gdi::Pixel got = b.GetPixel(x, y);
      if (want != got) {
        if (++bad <= 8) {
          char line[96];
          std::snprintf(line, sizeof line, "  (%d, %d): got %06X, want %06X\n", x, y, got.Rgb(), want.Rgb());
          report += line;
        }
      }
    }
  }
  if (bad == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << bad << " pixels differ:\n" << report << Grid(b);
}

}  // namespace vorbel::render
