// Text output on the canvas: placement, modes, turning, clipping, failures.

#include <gtest/gtest.h>

#include <sstream>

#include "gdi/canvas.h"
#include "gdi/font.h"
#include "gdi/system_colors.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

constexpr Pixel kPaper{0x336699};
constexpr Pixel kInk{0xFF0000};
constexpr Pixel kBack{0x00FF00};
constexpr base::Color kInkColor = base::Color::FromRgb(0xFF, 0, 0);
constexpr base::Color kBackColor = base::Color::FromRgb(0, 0xFF, 0);
constexpr const char* kCaption = "E-Mail me";

// The pixels of one colour and their bounding box.
struct Coverage {
  int count = 0;
  Rect box;
};

Coverage Cover(const Bitmap& b, Pixel p) {
  Coverage c;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      if (b.GetPixel(x, y) != p) continue;
      if (c.count++ == 0) {
        c.box = {x, y, x + 1, y + 1};
      } else {
        c.box = {std::min(c.box.left, x), std::min(c.box.top, y), std::max(c.box.right, x + 1),
                 std::max(c.box.bottom, y + 1)};
      }
    }
  }
  return c;
}

// A map of the surface for failure messages: '#' ink, 'o' background, '.' paper.
std::string Map(const Bitmap& b) {
  std::ostringstream out;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const Pixel p = b.GetPixel(x, y);
      out << (p == kInk ? '#' : p == kBack ? 'o' : p == kPaper ? '.' : '?');
    }
    out << '\n';
  }
  return out.str();
}

struct TextSurface {
  Bitmap bitmap;
  Canvas canvas;
  TextSurface(int w, int h, int points = 12) : bitmap(w, h), canvas(bitmap) {
    bitmap.Fill(kPaper);
    canvas.SetFontName("MS San Serif");
    canvas.SetFontSize(points);
    canvas.SetFontColor(kInkColor);
    canvas.SetBkColor(kBackColor);
    canvas.SetBkMode(BkMode::Transparent);
  }
};

TEST(CanvasText, TransparentTextPaintsOnlyGlyphPixelsInsideTheCell) {
  TextSurface s(120, 50);
  const Size extent = s.canvas.TextExtent(kCaption);
  s.canvas.TextOut(20, 10, kCaption);
  const Coverage ink = Cover(s.bitmap, kInk);
  ASSERT_GT(ink.count, 20) << Map(s.bitmap);
  // Every pixel is paper or ink: the pixels between the glyphs keep what was there.
  EXPECT_EQ(ink.count + Cover(s.bitmap, kPaper).count, 120 * 50) << Map(s.bitmap);
  EXPECT_GE(ink.box.left, 20);
  EXPECT_GE(ink.box.top, 10);
  EXPECT_LE(ink.box.right, 20 + extent.cx);
  EXPECT_LE(ink.box.bottom, 10 + extent.cy);
  // The ink is where the font puts it, moved to the reference point.
  const auto image = GetFont("MS San Serif", 12)->RenderText(kCaption, 0, {-1000, -1000, 1000, 1000});
  const Rect expected = image->ink_bounds;
  EXPECT_EQ(ink.box, (Rect{expected.left + 20, expected.top + 10, expected.right + 20, expected.bottom + 10}));
}

TEST(CanvasText, OpaqueTextFillsExactlyTheCellWithTheBackground) {
  TextSurface s(120, 50);
  s.canvas.SetBkMode(BkMode::Opaque);
  const Size extent = s.canvas.TextExtent(kCaption);
  s.canvas.TextOut(20, 10, kCaption);
  const Coverage ink = Cover(s.bitmap, kInk);
  const Coverage back = Cover(s.bitmap, kBack);
  ASSERT_GT(ink.count, 20);
  EXPECT_EQ(ink.count + back.count, extent.cx * extent.cy) << Map(s.bitmap);
  EXPECT_EQ(back.box, (Rect{20, 10, 20 + extent.cx, 10 + extent.cy})) << Map(s.bitmap);
  // The same glyph pixels as in transparent mode.
  TextSurface t(120, 50);
  t.canvas.TextOut(20, 10, kCaption);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 120; ++x) {
      ASSERT_EQ(s.bitmap.GetPixel(x, y) == kInk, t.bitmap.GetPixel(x, y) == kInk) << x << "," << y;
    }
  }
}

TEST(CanvasText, EscapementSendsTheCaptionAlongItsAngle) {
  // 900: upwards from the reference point, the cell to its right.
  TextSurface up(60, 90);
  up.canvas.SetBkMode(BkMode::Opaque);
  const Size extent = up.canvas.TextExtent(kCaption);
  up.canvas.TextOut(20, 80, kCaption, 900);
  const Coverage upInk = Cover(up.bitmap, kInk);
  const Coverage upCell = Cover(up.bitmap, kBack);
  ASSERT_GT(upInk.count, 20) << Map(up.bitmap);
  // The turned cell covers x 20..20+height-1 and y 80-width+1..80.
  EXPECT_EQ(upCell.box, (Rect{20, 81 - extent.cx, 20 + extent.cy, 81})) << Map(up.bitmap);
  EXPECT_EQ(upInk.count + upCell.count, extent.cx * extent.cy) << Map(up.bitmap);
  EXPECT_LT(upInk.box.top, 80 - extent.cx / 2);
  EXPECT_LE(upInk.box.right, 20 + up.canvas.TextExtent("E").cy);

  // 0: to the right.
  TextSurface right(120, 50);
  right.canvas.TextOut(20, 10, kCaption, 0);
  const Coverage rightInk = Cover(right.bitmap, kInk);
  EXPECT_GT(rightInk.box.right, 20 + extent.cx / 2);
  EXPECT_LE(rightInk.box.bottom, 10 + extent.cy);

  // 2700: downwards, the cell to the left of the reference point.
  TextSurface down(60, 100);
  down.canvas.SetBkMode(BkMode::Opaque);
  down.canvas.TextOut(40, 5, kCaption, 2700);
  EXPECT_EQ(Cover(down.bitmap, kBack).box, (Rect{41 - extent.cy, 5, 41, 5 + extent.cx})) << Map(down.bitmap);
}

TEST(CanvasText, OpaqueCellAtAnOddAngleHoldsTheInk) {
  TextSurface s(140, 140);
  s.canvas.SetBkMode(BkMode::Opaque);
  const Size extent = s.canvas.TextExtent(kCaption);
  s.canvas.TextOut(40, 100, kCaption, 450);
  const Coverage ink = Cover(s.bitmap, kInk);
  const Coverage back = Cover(s.bitmap, kBack);
  ASSERT_GT(ink.count, 20);
  // A turned rectangle keeps its area, give or take its boundary pixels.
  const double area = static_cast<double>(extent.cx) * extent.cy;
  EXPECT_NEAR(ink.count + back.count, area, (extent.cx + extent.cy) * 1.5);
  // Runs up and to the right from the reference point.
  EXPECT_LT(back.box.top, 100 - extent.cx / 2);
  EXPECT_GT(back.box.right, 40 + extent.cx / 2);
}

TEST(CanvasText, ClippingMatchesTheUnclippedDrawing) {
  // The caption drawn whole onto a large surface, and across the edges of
  // small ones: every pixel of a small surface equals its place on the large.
  for (int escapement : {0, 900, 450}) {
    TextSurface whole(300, 300, 24);
    whole.canvas.SetBkMode(BkMode::Opaque);
    whole.canvas.TextOut(150, 150, kCaption, escapement);
    for (const auto& [dx, dy] : {std::pair{140, 140}, std::pair{170, 150}, std::pair{150, 120}, std::pair{100, 100}}) {
      TextSurface part(30, 20, 24);
      part.canvas.SetBkMode(BkMode::Opaque);
      part.canvas.TextOut(150 - dx, 150 - dy, kCaption, escapement);
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
          ASSERT_EQ(part.bitmap.GetPixel(x, y), whole.bitmap.GetPixel(x + dx, y + dy))
              << "escapement " << escapement << " window " << dx << "," << dy << " pixel " << x << "," << y;
        }
      }
    }
  }
}

TEST(CanvasText, FarAwayAndEmptyDrawNothing) {
  TextSurface s(20, 20);
  s.canvas.SetBkMode(BkMode::Opaque);
  const Bitmap before = s.bitmap;
  for (const auto& [x, y] : {std::pair{INT_MIN, INT_MIN}, std::pair{INT_MAX, 0}, std::pair{0, INT_MAX},
                             std::pair{-100000, 5}, std::pair{30, 5}}) {
    s.canvas.TextOut(x, y, kCaption);
    s.canvas.TextOut(x, y, kCaption, 1234);
  }
  s.canvas.TextOut(2, 2, "");
  EXPECT_EQ(s.bitmap, before) << Map(s.bitmap);
}

TEST(CanvasText, ColoursResolveAndTwoColourTargetsStayTwoColour) {
  TextSurface s(80, 30);
  s.canvas.SetFontColor(base::Color::System(16));  // a system colour
  s.canvas.TextOut(2, 2, kCaption);
  EXPECT_GT(Cover(s.bitmap, ResolveColor(base::Color::System(16))).count, 20);

  Bitmap mono(80, 30, true);
  mono.Fill(kWhite);
  Canvas c(mono);
  c.SetFontName("MS San Serif");
  c.SetFontSize(12);
  c.SetFontColor(kInkColor);  // not white: drawn black
  c.SetBkColor(base::Color::FromRgb(255, 255, 255));
  c.SetBkMode(BkMode::Opaque);
  c.TextOut(0, 0, kCaption);
  int black = 0;
  for (Pixel p : mono.Pixels()) {
    ASSERT_TRUE(p == kBlack || p == kWhite);
    black += p == kBlack;
  }
  EXPECT_GT(black, 20);
}

TEST(CanvasText, ImpossibleSizesThrowAndDrawNothing) {
  TextSurface s(90, 30);
  const Bitmap before = s.bitmap;
  for (int points : {100000, -100000, INT_MIN}) {
    s.canvas.SetFontSize(points);
    EXPECT_THROW(s.canvas.TextOut(5, 5, kCaption), base::Error) << points;
    EXPECT_THROW(s.canvas.TextOut(5, 5, kCaption, 900), FontError) << points;
    EXPECT_THROW(s.canvas.TextExtent(kCaption), FontError) << points;
  }
  EXPECT_EQ(s.bitmap, before);
  // Size 0 is the default size and a negative size a cell height: both draw.
  for (int points : {0, -20}) {
    TextSurface t(120, 40, points);
    t.canvas.TextOut(0, 0, kCaption);
    EXPECT_GT(Cover(t.bitmap, kInk).count, 20) << points;
  }
  EXPECT_NEAR(TextSurface(1, 1, -20).canvas.TextExtent(kCaption).cy, 27, 1);  // 20 points: a 27-pixel cell
}

TEST(CanvasText, LargeCaptionsAndMalformedTextAreSafe) {
  TextSurface s(90, 30, 3000);
  s.canvas.TextOut(-200, -3600, "EEE\xFF\xC3", 0);
  s.canvas.TextOut(10, 10, "EEE", 450);
  TextSurface t(90, 30, 8);
  std::string garbage;
  for (int i = 0; i < 512; ++i) garbage += static_cast<char>((i * 37 + 11) & 0xFF);
  t.canvas.TextOut(0, 0, garbage);
  t.canvas.TextOut(0, 29, garbage, 900);
  EXPECT_GT(Cover(t.bitmap, kInk).count, 0);
}

}  // namespace
}  // namespace vorbel::gdi
