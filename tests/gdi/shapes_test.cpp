// Rectangles, ellipses and rounded rectangles: covered area, outline, fill.

#include <gtest/gtest.h>

#include "gdi/canvas.h"
#include "gdi/raster.h"
#include "gdi/system_colors.h"
#include "pixel_grid.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

using test::Count;
using test::Grid;

constexpr Pixel kRed{0xFF0000};
constexpr Pixel kTeal{0x008080};
constexpr Pixel kYellow{0xFFFF00};
const base::Color kRedColor = base::Color::FromRgb(255, 0, 0);
const base::Color kWhiteColor = base::Color::FromRgb(255, 255, 255);

TEST(Rectangle, CoversTheLeftAndTopEdgesButNotTheRightAndBottom) {
  Bitmap b(8, 7);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetBrushColor(kRedColor);
  c.Rectangle(5, 4, 1, 1);  // corners in either order
  // Outline at x 1 and 4, y 1 and 3; brush inside; nothing at x 5 or y 4.
  EXPECT_EQ(
      "\n........\n"
      ".####...\n"
      ".#aa#...\n"
      ".####...\n"
      "........\n........\n........\n",
      Grid(b));
}

TEST(Rectangle, ClearBrushDrawsOnlyTheOutline) {
  Bitmap b(5, 4);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetBrushStyle(BrushStyle::Clear);
  c.Rectangle(0, 0, 5, 4);
  EXPECT_EQ("\n#####\n#...#\n#...#\n#####\n", Grid(b));
  c.Rectangle(2, 2, 2, 9);  // no width: nothing
  EXPECT_EQ(14, Count(b, kWhite));
}

TEST(Rectangle, WidePenIsCentredOnTheBoundaryAndClippedAtTheEdges) {
  Bitmap b(8, 6);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetPenWidth(3);
  c.SetBrushColor(kRedColor);
  c.Rectangle(0, 0, 8, 6);  // the outer pen pixel of every side falls outside
  EXPECT_EQ(
      "\n########\n"
      "########\n"
      "##aaaa##\n"
      "##aaaa##\n"
      "########\n"
      "########\n",
      Grid(b));
  c.SetBrushStyle(BrushStyle::Clear);
  b.Fill(kBlack);
  c.Rectangle(2, 2, 6, 5);  // well inside: the outermost corner pixels stay empty
  EXPECT_EQ(
      "\n........\n"
      "..####..\n"
      ".######.\n"
      ".######.\n"
      ".######.\n"
      "..####..\n",
      Grid(b));
}

TEST(Rectangle, BeyondTheSurfaceOnlyTheVisiblePartIsDrawn) {
  Bitmap b(6, 4);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetBrushColor(kRedColor);
  c.Rectangle(-10, -10, 20, 20);  // outline entirely outside
  EXPECT_EQ(24, Count(b, kRed));
  c.Rectangle(-3, 1, 3, 100);
  EXPECT_EQ("\naaaaaa\n###aaa\naa#aaa\naa#aaa\n", Grid(b));
  c.Rectangle(-2'000'000'000, -2'000'000'000, 2'000'000'000, 2'000'000'000);
  EXPECT_EQ(24, Count(b, kRed));
}

TEST(Rectangle, FillRectUsesTheBrushOnly) {
  Bitmap b(4, 3);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetBrushColor(kRedColor);
  c.FillRect({3, 2, 1, 0});
  EXPECT_EQ("\n.aa.\n.aa.\n....\n", Grid(b));
  c.SetBrushStyle(BrushStyle::Clear);
  c.FillRect(b.Bounds());
  EXPECT_EQ(4, Count(b, kRed));
}

// Draws the ring and, separately, the filled shape on a teal surface with a
// margin of 2 around the box, then checks what every closed, symmetric
// outline must satisfy.
void CheckShape(int w, int h, int cw, int ch, bool ellipse) {
  SCOPED_TRACE(testing::Message() << (ellipse ? "Ellipse " : "RoundRect ") << w << "x" << h << " corner "
                                  << cw << "x" << ch);
  const int bw = w + 4, bh = h + 4;
  Bitmap ring(bw, bh);
  ring.Fill(kTeal);
  Canvas c(ring);
  c.SetPenColor(kRedColor);
  c.SetBrushStyle(BrushStyle::Clear);
  const auto draw = [&](Canvas& canvas) {
    if (ellipse) {
      canvas.Ellipse(2, 2, 2 + w, 2 + h);
    } else {
      canvas.RoundRect(2, 2, 2 + w, 2 + h, cw, ch);
    }
  };
  draw(c);
  Bitmap filled(bw, bh);
  filled.Fill(kTeal);
  Canvas f(filled);
  f.SetPenColor(kRedColor);
  f.SetBrushColor(kWhiteColor);
  draw(f);
  if (w == 1 && h == 1) {  // a closed path of one point has no length: nothing is drawn
    EXPECT_EQ(0, Count(ring, kRed));
    EXPECT_EQ(0, Count(filled, kRed) + Count(filled, kWhite));
    return;
  }

  int minX = bw, maxX = -1, minY = bh, maxY = -1;
  for (int y = 0; y < bh; ++y) {
    for (int x = 0; x < bw; ++x) {
      const Pixel p = ring.GetPixel(x, y);
      ASSERT_EQ(p, ring.GetPixel(bw - 1 - x, y)) << "not symmetric left to right at " << x << "," << y << Grid(ring);
      ASSERT_EQ(p, ring.GetPixel(x, bh - 1 - y)) << "not symmetric top to bottom at " << x << "," << y << Grid(ring);
      ASSERT_EQ(p == kRed, filled.GetPixel(x, y) == kRed) << "outline differs with a brush at " << x << "," << y;
      if (p != kRed) continue;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
  }
  // The outline stays inside the box and reaches its left and right sides.
  // It reaches the top and bottom too where the corners are at least as wide
  // as they are tall. The walk of a taller corner can run out of columns
  // first (ellipses of 3 x 8, 6 x 20 and taller); the outline then stops short
  // of the top and bottom, as GDI draws it.
  EXPECT_EQ(2, minX);
  EXPECT_EQ(1 + w, maxX);
  const int cornerW = ellipse ? w : std::min(w, std::abs(cw));
  const int cornerH = ellipse ? h : std::min(h, std::abs(ch));
  if (cornerH <= cornerW || cornerW <= 2 || cornerH <= 2) {
    EXPECT_EQ(2, minY);
    EXPECT_EQ(1 + h, maxY);
  } else {
    EXPECT_LE(2, minY);
    EXPECT_GE(1 + h, maxY);
  }

  // A fill from outside bounded by the outline colour never gets in; what it
  // leaves is exactly what the brush fills.
  c.SetBrushColor(base::Color::FromPixel(kYellow));
  c.FloodFill(0, 0, kRedColor);
  for (int y = 0; y < bh; ++y) {
    for (int x = 0; x < bw; ++x) {
      const bool enclosed = ring.GetPixel(x, y) == kTeal;
      ASSERT_EQ(enclosed, filled.GetPixel(x, y) == kWhite)
          << "at " << x << "," << y << Grid(ring) << Grid(filled);
    }
  }
  // Wider than 2 in both directions, the shape encloses its centre row.
  if (w > 2 && h > 2 && ellipse) {
    EXPECT_EQ(kWhite, filled.GetPixel(2 + w / 2, 2 + h / 2)) << Grid(filled);
  }
}

TEST(Ellipse, SmallSizesAreClosedSymmetricAndInsideTheirBox) {
  for (int w = 1; w <= 40; ++w) {
    for (int h = 1; h <= 40; ++h) CheckShape(w, h, 0, 0, true);
  }
}

TEST(RoundRect, SmallSizesAreClosedSymmetricAndInsideTheirBox) {
  for (int w = 1; w <= 30; ++w) {
    for (int h = 1; h <= 30; h += 3) {
      for (int corner : {1, 3, 4, 7, 10, 20, 99}) CheckShape(w, h, corner, corner + (w % 3), false);
    }
  }
}

TEST(Ellipse, LargeEllipseIsClosed) { CheckShape(900, 301, 0, 0, true); }

TEST(RoundRect, CornersBeyondTheBoxMakeAnEllipseAndTinyCornersARectangle) {
  Bitmap e(30, 20), r(30, 20);
  Canvas ce(e), cr(r);
  ce.Ellipse(1, 1, 29, 19);
  cr.RoundRect(1, 1, 29, 19, 500, -500);
  EXPECT_EQ(e, r);
  Bitmap q(30, 20), s(30, 20);
  Canvas cq(q), cs(s);
  cq.Rectangle(1, 1, 29, 19);
  cs.RoundRect(1, 1, 29, 19, 2, 12);
  EXPECT_EQ(q, s);
}

TEST(Ellipse, WidePenRingCoversTheOnePixelOutlineAndMeetsTheBrush) {
  Bitmap thin(40, 24);
  Canvas t(thin);
  t.SetPenColor(kWhiteColor);
  t.SetBrushStyle(BrushStyle::Clear);
  t.Ellipse(4, 4, 36, 20);
  Bitmap b(40, 24);
  Canvas c(b);
  c.SetPenColor(kWhiteColor);
  c.SetPenWidth(4);
  c.SetBrushColor(kRedColor);
  c.Ellipse(4, 4, 36, 20);
  // The ring lies over the one-pixel outline, and between the ring and the
  // brush no background shows through: every row is covered from the first
  // to the last pixel of the one-pixel outline.
  for (int y = 0; y < 24; ++y) {
    int first = 40, last = -1;
    for (int x = 0; x < 40; ++x) {
      if (thin.GetPixel(x, y) != kWhite) continue;
      ASSERT_EQ(kWhite, b.GetPixel(x, y)) << x << "," << y << Grid(b);
      first = std::min(first, x);
      last = std::max(last, x);
    }
    for (int x = first; x <= last; ++x) ASSERT_NE(kBlack, b.GetPixel(x, y)) << x << "," << y << Grid(b);
  }
  EXPECT_EQ(kWhite, b.GetPixel(2, 12));  // two outside the left side
  EXPECT_EQ(kBlack, b.GetPixel(1, 12));
  EXPECT_EQ(kRed, b.GetPixel(20, 12));
}

// Counts work rather than time. The drawing of a large button whose bevel has
// set a wide pen: the bevel's lines, an ellipse background filled from its
// centre, and a shaded (three ellipses) one. Each stroke paints every pixel
// at most once, and gathers at most about one span per pixel of the surface
// however wide the pen and however many one-pixel segments the outline has.
TEST(WidePen, ShapesOnALargeButtonCostAFewPassesOverTheSurface) {
  constexpr int w = 3000, h = 1000;
  constexpr std::int64_t kSurface = std::int64_t{w} * h;
  constexpr int kStrokes = 6 + 1 + 3;
  Bitmap b(w, h);
  Canvas c(b);
  for (int pen : {3, 100, 2147483647}) {
    SCOPED_TRACE(testing::Message() << "pen " << pen);
    const raster::Pen::Work before = raster::Pen::WorkDone();
    c.SetPenWidth(pen);
    c.SetPenColor(kWhiteColor);
    const int bevel[6][4] = {{0, h - 2, 0, 0},         {1, 0, w - 1, 0},         {1, h - 3, 1, 1},
                             {2, h - 2, w - 2, h - 2}, {2, h - 1, w - 1, h - 1}, {w - 1, h - 2, w - 1, 1}};
    for (const auto& l : bevel) {
      c.MoveTo(l[0], l[1]);
      c.LineTo(l[2], l[3]);
    }
    c.SetPenColor(kRedColor);
    c.Ellipse(0, 0, w, h);
    c.SetBrushColor(kRedColor);
    c.FloodFill(w / 2, h / 2, kRedColor);
    for (int d : {0, 2, 1}) c.Ellipse(d, d, w - 2 + d, h - 2 + d);
    const raster::Pen::Work after = raster::Pen::WorkDone();
    EXPECT_LE(after.pixels - before.pixels, kStrokes * kSurface);
    EXPECT_LE(after.spans - before.spans, kStrokes * kSurface);
  }
  EXPECT_EQ(kSurface, Count(b, kRed));  // the widest pen covers everything
}

TEST(CanvasState, SettersKeepTheRestAndSurviveResizing) {
  Bitmap b(4, 4);
  Canvas c(b);
  EXPECT_EQ(1, c.PenWidth());
  EXPECT_EQ(BrushStyle::Solid, c.GetBrushStyle());
  c.SetBrushStyle(BrushStyle::Clear);
  c.SetPenWidth(3);
  c.SetPenColor(kRedColor);
  c.SetFontName("Tahoma");
  c.SetFontSize(12);
  c.SetBkMode(BkMode::Transparent);
  EXPECT_EQ(BrushStyle::Clear, c.GetBrushStyle());
  c.SetBrushColor(base::Color::FromRgb(1, 2, 3));  // a brush colour makes the brush solid
  EXPECT_EQ(BrushStyle::Solid, c.GetBrushStyle());
  b.Resize(9, 9);
  EXPECT_EQ(3, c.PenWidth());
  EXPECT_EQ(kRedColor, c.PenColor());
  EXPECT_EQ("Tahoma", c.FontName());
  EXPECT_EQ(12, c.FontSize());
  EXPECT_EQ(BkMode::Transparent, c.GetBkMode());
  c.FillRect({0, 0, 9, 9});
  EXPECT_EQ(81, Count(b, 0x010203_px));
}

TEST(CanvasState, PenWidthZeroDrawsOnePixelAndSystemColoursResolveWhenDrawn) {
  Bitmap b(5, 3);
  Canvas c(b);
  c.SetPenWidth(0);
  c.SetPenColor(base::Color::System(0x10));  // button shadow
  c.MoveTo(0, 1);
  c.LineTo(5, 1);
  EXPECT_EQ("\n.....\naaaaa\n.....\n", Grid(b));
  EXPECT_EQ(0x808080_px, b.GetPixel(0, 1));
}

TEST(CanvasState, TwoColourTargetsDrawWhiteAsWhiteAndEverythingElseBlack) {
  Bitmap m(4, 1, true);
  m.Fill(kWhite);
  Canvas c(m);
  c.SetBrushColor(base::Color::FromRgb(255, 255, 254));
  c.FillRect({0, 0, 2, 1});
  EXPECT_EQ("\n..##\n", Grid(m));
  c.SetBrushColor(kWhiteColor);
  c.FloodFill(0, 0, base::Color::FromRgb(255, 255, 255));
  EXPECT_EQ("\n####\n", Grid(m));
}

}  // namespace
}  // namespace vorbel::gdi
