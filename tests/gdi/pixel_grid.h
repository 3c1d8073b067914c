#pragma once
// Small helpers for pixel tests: print a surface as a grid of characters and
// find pixels of a colour, so that failures name the pixels involved.

#include <map>
#include <string>

#include "gdi/bitmap.h"

namespace vorbel::gdi::test {

// One character per pixel: '.' black, '#' white, then letters for other
// colours in order of appearance; one text line per row.
inline std::string Grid(const Bitmap& b) {
  std::map<Pixel, char> names{{kBlack, '.'}, {kWhite, '#'}};
  char next = 'a';
  std::string out = "\n";
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.GetPixel(x, y);
      auto it = names.find(p);
      if (it == names.end()) it = names.emplace(p, next == 'z' ? 'z' : next++).first;
      out += it->second;
    }
    out += '\n';
  }
  return out;
}

// The number of pixels of colour p.
inline int Count(const Bitmap& b, Pixel p) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == p ? 1 : 0;
  }
  return n;
}

}  // namespace vorbel::gdi::test
