#include "base/color.h"

#include <cstdio>
#include <ostream>

namespace vorbel::base {

std::ostream& operator<<(std::ostream& out, Pixel pixel) {
  char text[24];
  std::snprintf(text, sizeof text, "Pixel(0x%06X)", static_cast<unsigned>(pixel.Rgb()));
  return out << text;
}

std::ostream& operator<<(std::ostream& out, Color color) {
  char text[24];
  std::snprintf(text, sizeof text, "Color(0x%08X)", static_cast<unsigned>(static_cast<std::uint32_t>(color.Value())));
  return out << text;
}

}  // namespace vorbel::base
