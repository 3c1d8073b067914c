#include "gdi/system_colors.h"

#include <array>

namespace vorbel::gdi {

namespace {

constexpr Pixel Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Pixel::FromRgb(r, g, b); }

// The classic standard colour scheme, by system colour index.
constexpr std::array<Pixel, kSystemColorCount> kSystemColors = {
    Rgb(192, 192, 192),  //  0 scroll bar
    Rgb(0, 128, 128),    //  1 desktop
    Rgb(0, 0, 128),      //  2 active caption
    Rgb(128, 128, 128),  //  3 inactive caption
    Rgb(192, 192, 192),  //  4 menu
    Rgb(255, 255, 255),  //  5 window
    Rgb(0, 0, 0),        //  6 window frame
    Rgb(0, 0, 0),        //  7 menu text
    Rgb(0, 0, 0),        //  8 window text
    Rgb(255, 255, 255),  //  9 caption text
    Rgb(192, 192, 192),  // 10 active border
    Rgb(192, 192, 192),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(0, 0, 128),      // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(192, 192, 192),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(192, 192, 192),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(0, 0, 0),        // 21 3D dark shadow
    Rgb(223, 223, 223),  // 22 3D light
    Rgb(0, 0, 0),        // 23 tool-tip text
    Rgb(255, 255, 225),  // 24 tool-tip background
};

}  // namespace

Pixel SystemColorPixel(int index) {
  if (index < 0 || index >= kSystemColorCount) return kBlack;
  return kSystemColors[static_cast<std::size_t>(index)];
}

Pixel ResolveColor(base::Color c) {
  if (c.IsSystem()) return SystemColorPixel(c.SystemIndex());
  return Pixel::FromRgb(c.Red(), c.Green(), c.Blue());
}

}  // namespace vorbel::gdi
