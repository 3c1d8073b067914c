#include <gtest/gtest.h>

#include "gdi/canvas.h"
#include "gdi/system_colors.h"
#include "pixel_grid.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

using test::Count;
using test::Grid;

constexpr Pixel kRed{0xFF0000};
const base::Color kBlackColor = base::Color::FromRgb(0, 0, 0);

TEST(FloodFill, SpreadsToStraightNeighboursOnly) {
  Bitmap b(6, 6);
  b.Fill(kWhite);
  for (int i = 0; i < 6; ++i) b.SetPixel(i, 5 - i, kBlack);  // a diagonal one-pixel barrier
  Canvas c(b);
  c.SetBrushColor(base::Color::FromRgb(255, 0, 0));
  c.FloodFill(0, 0, kBlackColor);
  EXPECT_EQ(
      "\naaaaa.\n"
      "aaaa.#\n"
      "aaa.##\n"
      "aa.###\n"
      "a.####\n"
      ".#####\n",
      Grid(b));
}

TEST(FloodFill, RunsOverEveryOtherColourAndStopsAtTheBorder) {
  Bitmap b(7, 5);
  b.Fill(kWhite);
  Canvas c(b);
  c.SetPenColor(kBlackColor);
  c.SetBrushColor(base::Color::FromRgb(0, 0, 255));
  c.Rectangle(0, 0, 7, 5);
  b.SetPixel(3, 2, 0x808080_px);
  c.SetBrushColor(base::Color::FromRgb(255, 0, 0));
  c.FloodFill(2, 2, kBlackColor);
  EXPECT_EQ(15, Count(b, kRed)) << Grid(b);
  EXPECT_EQ(20, Count(b, kBlack));
}

TEST(FloodFill, DoesNothingFromTheBorderColourOutsideOrWithAClearBrush) {
  Bitmap b(4, 4);
  b.Fill(kWhite);
  b.SetPixel(1, 1, kBlack);
  const Bitmap before = b;
  Canvas c(b);
  c.SetBrushColor(base::Color::FromRgb(255, 0, 0));
  c.FloodFill(1, 1, kBlackColor);
  c.FloodFill(-1, 0, kBlackColor);
  c.FloodFill(0, 4, kBlackColor);
  c.SetBrushStyle(BrushStyle::Clear);
  c.FloodFill(0, 0, kBlackColor);
  EXPECT_EQ(before, b);
}

TEST(FloodFill, FillingWithTheRegionsOwnColourEndsAndChangesNothing) {
  Bitmap b(9, 9);
  b.Fill(kWhite);
  const Bitmap before = b;
  Canvas c(b);
  c.SetBrushColor(base::Color::FromRgb(255, 255, 255));
  c.FloodFill(4, 4, kBlackColor);
  EXPECT_EQ(before, b);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) ASSERT_EQ(kWhite, b.GetPixel(x, y));  // no marks left behind
  }
}

TEST(FloodFill, FillsWindingCorridorsCompletely) {
  // A comb of walls open at alternating ends: a single corridor that turns
  // back on itself, which a fill without back-tracking would miss.
  Bitmap b(41, 21);
  b.Fill(kWhite);
  for (int x = 1; x < 41; x += 2) {
    const bool fromTop = (x / 2) % 2 == 0;
    for (int y = 0; y < 20; ++y) b.SetPixel(x, fromTop ? y : y + 1, kBlack);
  }
  const int walls = Count(b, kBlack);
  Canvas c(b);
  c.SetBrushColor(base::Color::FromRgb(255, 0, 0));
  c.FloodFill(0, 0, kBlackColor);
  EXPECT_EQ(41 * 21 - walls, Count(b, kRed)) << Grid(b);
}

TEST(FloodFill, HugeAreaNeedsNoDeepRecursion) {
  Bitmap b(4096, 4096);
  b.Fill(kWhite);
  // Horizontal walls with alternating gaps: a serpentine of 2048 turns.
  for (int y = 1; y < 4096; y += 2) {
    Pixel* row = b.Row(y);
    std::fill(row, row + 4096, kBlack);
    row[(y / 2) % 2 == 0 ? 4095 : 0] = kWhite;
  }
  Canvas c(b);
  c.SetBrushColor(base::Color::FromRgb(255, 0, 0));
  c.FloodFill(0, 0, kBlackColor);
  EXPECT_EQ(2048 * 4096 + 2048, Count(b, kRed));
  EXPECT_EQ(kRed, b.GetPixel(4095, 4094));
  c.SetBrushColor(kBlackColor);  // fill colour equal to the border colour
  c.FloodFill(10, 10, kBlackColor);
  EXPECT_EQ(4096 * 4096, Count(b, kBlack));
}

}  // namespace
}  // namespace vorbel::gdi
