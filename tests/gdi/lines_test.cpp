// One-pixel and wide lines: which pixels, which ends, clipping.

#include <gtest/gtest.h>

#include <set>
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
  c.MoveTo(0, 0);
  c.LineTo(0, 0);  // no length: nothing
  EXPECT_EQ(kBlack, b.GetPixel(0, 0));
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

TEST(Line, WidePenSegmentsAreTheUnionOfDiscsAroundTheOnePixelLine) {
  // A wide segment paints each row once, as one span; the result must still be
  // exactly the discs around every pixel of the one-pixel line, ends included.
  for (int w : {2, 3, 6, 9}) {
    for (auto [x2, y2] : {std::pair{30, 4}, {5, 27}, {28, 20}, {-3, 22}, {16, 16}, {39, 7}}) {
      Bitmap wide(40, 32);
      raster::Pen(wide, 0xFF_px, w).Line({16, 6}, {x2, y2});

      Bitmap discs(40, 32);
      raster::WalkLine(16, 6, x2, y2, true, Rect{-100, -100, 140, 132}, [&](int x, int y) {
        const raster::Point centre{x, y};
        raster::Pen(discs, 0xFF_px, w).Polygon(&centre, 1);  // one point: its disc
      });
      EXPECT_EQ(wide, discs) << "width " << w << " to " << x2 << "," << y2 << "\n"
                             << Grid(wide) << Grid(discs);
    }
  }
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
