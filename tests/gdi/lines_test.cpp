// One-pixel and wide lines: which pixels, which ends, clipping.

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <utility>

#include "gdi/canvas.h"
#include "gdi/raster.h"
#include "pixel_grid.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

using test::Count;
using test::Grid;
using PixelSet = std::set<std::pair<int, int>>;

PixelSet Walk(int x1, int y1, int x2, int y2, bool last) {
  PixelSet s;
  raster::WalkLine(x1, y1, x2, y2, last, Rect{-1000, -1000, 1000, 1000},
                   [&s](int x, int y) { s.insert({x, y}); });
  return s;
}

TEST(Line, PaintsTheFirstPointAndNotTheLastInEveryDirection) {
  // Horizontal, vertical, diagonal, shallow and steep, both ways.
  const int ends[][2] = {{9, 0}, {-9, 0}, {0, 7}, {0, -7}, {6, 6}, {-6, 6}, {6, -6}, {-6, -6},
                         {9, 2}, {-9, -2}, {2, 9}, {-2, -9}, {7, -3}, {-3, 7}};
  for (const auto& e : ends) {
    Bitmap b(30, 30);
    Canvas c(b);
    c.SetPenColor(base::Color::FromRgb(255, 255, 255));
    c.MoveTo(15, 15);
    c.LineTo(15 + e[0], 15 + e[1]);
    SCOPED_TRACE(testing::Message() << "to " << e[0] << "," << e[1] << Grid(b));
    EXPECT_EQ(kWhite, b.GetPixel(15, 15));
    EXPECT_EQ(kBlack, b.GetPixel(15 + e[0], 15 + e[1]));
    EXPECT_EQ(std::max(std::abs(e[0]), std::abs(e[1])), Count(b, kWhite));
    EXPECT_EQ(15 + e[0], c.PenX());
    EXPECT_EQ(15 + e[1], c.PenY());
  }
}

TEST(Line, ExactDiagonalsAndTheMidwayRule) {
  EXPECT_EQ((PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}), Walk(0, 0, 4, 4, false));
  EXPECT_EQ((PixelSet{{3, 0}, {2, 1}, {1, 2}}), Walk(3, 0, 0, 3, false));
  // (0,0)-(4,1) passes midway between rows at x = 2: it keeps the row there.
  EXPECT_EQ((PixelSet{{0, 0}, {1, 0}, {2, 0}, {3, 1}}), Walk(0, 0, 4, 1, false));
  // Steep, midway at y = 2: one pixel per row, the column kept there too.
  EXPECT_EQ((PixelSet{{0, 0}, {0, 1}, {0, 2}, {1, 3}}), Walk(0, 0, 1, 4, false));
}

TEST(Line, ReversedLinesPaintTheSamePixelsBetweenTheEnds) {
  // The midway rule depends on the direction exactly so that a line and its
  // reverse agree.
  for (int dx = -9; dx <= 9; ++dx) {
    for (int dy = -9; dy <= 9; ++dy) {
      PixelSet forward = Walk(0, 0, dx, dy, true);
      PixelSet backward = Walk(dx, dy, 0, 0, true);
      EXPECT_EQ(forward, backward) << "0,0 to " << dx << "," << dy;
    }
  }
}

TEST(Line, ClippingKeepsThePixelsOfTheUnclippedLine) {
  const int lines[][4] = {{-50, -7, 80, 40}, {70, -30, -20, 35}, {3, -100, 17, 200}, {-1000, 12, 1000, 13}};
  for (const auto& l : lines) {
    Bitmap b(40, 30);
    Canvas c(b);
    c.SetPenColor(base::Color::FromRgb(255, 255, 255));
    c.MoveTo(l[0], l[1]);
    c.LineTo(l[2], l[3]);
    PixelSet expected;
    for (const auto& p : Walk(l[0], l[1], l[2], l[3], false)) {
      if (b.Inside(p.first, p.second)) expected.insert(p);
    }
    PixelSet actual;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        if (b.GetPixel(x, y) == kWhite) actual.insert({x, y});
      }
    }
    EXPECT_EQ(expected, actual) << l[0] << "," << l[1] << " to " << l[2] << "," << l[3];
  }
}

TEST(Line, HugeCoordinatesDrawOnlyWhatIsVisible) {
  Bitmap b(20, 10);
  Canvas c(b);
  c.SetPenColor(base::Color::FromRgb(255, 255, 255));
  c.MoveTo(-2'000'000'000, 5);
  c.LineTo(2'000'000'000, 5);
  EXPECT_EQ(20, Count(b, kWhite));
  c.MoveTo(-2'000'000'000, -2'000'000'000);
  c.LineTo(2'000'000'000, 2'000'000'000);  // the diagonal through the origin
  EXPECT_EQ(kWhite, b.GetPixel(0, 0));
  EXPECT_EQ(kWhite, b.GetPixel(9, 9));
  EXPECT_EQ(29, Count(b, kWhite));
  c.SetPenWidth(5);
  c.MoveTo(2'000'000'000, -2'000'000'000);
  c.LineTo(-2'000'000'000, 2'000'000'000);
  EXPECT_GT(Count(b, kWhite), 29);
  b.Fill(kBlack);
  c.MoveTo(INT_MAX, INT_MIN);  // the widest slant there is, across the corner
  c.LineTo(INT_MIN, INT_MAX);
  EXPECT_EQ(kWhite, b.GetPixel(0, 0));
  EXPECT_EQ(kBlack, b.GetPixel(19, 9));
}

TEST(Line, WidePensPaintBothEndsWithRoundCaps) {
  Bitmap b(20, 9);
  Canvas c(b);
  c.SetPenColor(base::Color::FromRgb(255, 255, 255));
  c.SetPenWidth(3);
  c.MoveTo(14, 4);
  c.LineTo(4, 4);
  EXPECT_EQ(
      "\n....................\n"
      "....................\n"
      "....................\n"
      "....###########.....\n"
      "...#############....\n"
      "....###########.....\n"
      "....................\n"
      "....................\n"
      "....................\n",
      Grid(b));
  c.MoveTo(18, 7);
  c.LineTo(18, 7);  // no length: the pen's disc, as at either end of a segment
  const std::string grid = Grid(b);
  EXPECT_EQ("..................#.\n.................###\n..................#.\n", grid.substr(grid.size() - 3 * 21));
}

TEST(Line, WideDiagonalIsTheSameBothWays) {
  Bitmap a(30, 30), b(30, 30);
  Canvas ca(a), cb(b);
  for (Canvas* c : {&ca, &cb}) {
    c->SetPenColor(base::Color::FromRgb(255, 255, 255));
    c->SetPenWidth(4);
  }
  ca.MoveTo(3, 5);
  ca.LineTo(25, 19);
  cb.MoveTo(25, 19);
  cb.LineTo(3, 5);
  EXPECT_EQ(a, b) << Grid(a) << Grid(b);
}

TEST(Line, WideSlantedLineIsAParallelogramBetweenRoundEnds) {
  // Recorded from the reference renderer, in both directions: the discs at
  // the ends (x 2..3 in row 0 is the top of the one at 3,2) and between them a
  // parallelogram as wide as the pen across the line.
  const std::string expected =
      "\n..##..............\n"
      ".######...........\n"
      ".########.........\n"
      "..##########......\n"
      "..############....\n"
      ".....##########...\n"
      ".......########...\n"
      "..........####....\n"
      "..................\n"
      "..................\n";
  for (const auto& [from, to] : {std::pair{raster::Point{3, 2}, raster::Point{13, 6}}, {{13, 6}, {3, 2}}}) {
    Bitmap b(18, 10);
    raster::Pen(b, kWhite, 4).Line(from, to);
    EXPECT_EQ(expected, Grid(b));
  }
}

TEST(Line, PensAliveTogetherKeepTheirOwnDiscs) {
  // A narrow pen made while a wide one is still in use must not change the
  // wide pen's disc.
  Bitmap expected(40, 20);
  raster::Pen(expected, 0xFF_px, 9).Line({8, 10}, {30, 10});
  Bitmap wideTarget(40, 20), narrowTarget(40, 20);
  raster::Pen wide(wideTarget, 0xFF_px, 9);
  raster::Pen narrow(narrowTarget, 0xFF_px, 3);
  wide.Line({8, 10}, {30, 10});
  narrow.Line({8, 10}, {30, 10});
  EXPECT_EQ(expected, wideTarget) << Grid(wideTarget);
}

TEST(Line, AbsurdPenWidthsCoverTheSurfaceQuickly) {
  Bitmap b(300, 200);
  Canvas c(b);
  c.SetPenColor(0xFF_color);
  c.SetPenWidth(2147483647);
  c.MoveTo(0, 0);
  c.LineTo(0, 199);  // a vertical line: every row gets one span
  EXPECT_EQ(Count(b, 0xFF0000_px), 300 * 200);
  c.SetPenWidth(-5);  // counts as one pixel
  c.SetPenColor(base::Color{});
  c.MoveTo(0, 10);
  c.LineTo(10, 10);
  EXPECT_EQ(Count(b, kBlack), 10);
}

}  // namespace
}  // namespace vorbel::gdi
