#pragma once
// Runs the drawing scenarios recorded by the reference renderer on our canvas,
// and reads the recorded pixel maps, so both can be compared pixel for pixel.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gdi/bitmap.h"
#include "gdi/canvas.h"

namespace vorbel::gdi::test {

// A recorded image: one character per pixel with a legend of colours. The
// file may be compressed with gzip (the large maps of the pen sweep are).
struct PixelMap {
  Bitmap image;
  std::string error;  // empty when the map was read
};
PixelMap LoadPixelMap(const std::string& path);

// A shape or line drawn on the main surface: its scenario line and the
// pixels it can reach (its box widened by the pen).
struct DrawnShape {
  int line = 0;
  Rect reach;
};

// The outcome of running a scenario: the main surface, the lines whose
// drawing call reported failure (as "failed line N: FUNCTION"), and where
// each shape was drawn.
struct ScenarioResult {
  Bitmap main;
  std::vector<std::string> failures;
  std::vector<DrawnShape> shapes;
  std::string error;  // a line the interpreter could not run
};

// Interprets the scenario language (size, fill, pen, brush, rect, ellipse,
// roundrect, moveto, lineto, pixel, floodfill, bitmap, select, blt, stretch,
// textcolor, bkcolor, bkmode, stretchmode, save); text and font commands are
// skipped. Every surface has its own canvas state, as a device context has.
ScenarioResult RunScenario(const std::string& path);

// "identical", or the number of differing pixels and the first few of them.
std::string DescribeDifference(const Bitmap& expected, const Bitmap& actual, int maxListed = 8);

// The scenario lines whose shapes reach the pixels where run.main differs
// from expected, with the number of such pixels each: "line 12 (4 pixels)"
// and so on, the first few only; empty when nothing differs.
std::string DifferingLines(const ScenarioResult& run, const Bitmap& expected, int maxListed = 8);

}  // namespace vorbel::gdi::test
