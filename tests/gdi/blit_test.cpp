// Copies of bitmaps: plain, transparent, stretched, combined.

#include <gtest/gtest.h>

#include <vector>

#include "gdi/canvas.h"
#include "gdi/raster.h"
#include "pixel_grid.h"

namespace vorbel::gdi {
namespace {

using namespace base::literals;

using test::Grid;

// A w x h picture whose pixel (x, y) is 16 * y + x + 1 (never black).
Bitmap Numbered(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, static_cast<Pixel>(16 * y + x + 1));
  }
  return b;
}

TEST(StretchMap, RepeatsOrDropsBySamplingWithoutBlending) {
  using V = std::vector<int>;
  EXPECT_EQ((V{0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4}), raster::StretchMap(5, 12, true));
  EXPECT_EQ((V{0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4, 4}), raster::StretchMap(5, 12, false));
  EXPECT_EQ((V{1, 2, 4}), raster::StretchMap(5, 3, true));   // rows keep the last of a run
  EXPECT_EQ((V{0, 2}), raster::StretchMap(3, 2, false));     // columns keep the first
  EXPECT_EQ((V{0, 2, 3, 4}), raster::StretchMap(5, 4, true));
  EXPECT_EQ((V{5}), raster::StretchMap(7, 1, true));         // one column: the last but one
  EXPECT_EQ((V{0, 1, 2}), raster::StretchMap(3, 3, true));
  EXPECT_TRUE(raster::StretchMap(3, 0, true).empty());
  for (int s = 1; s <= 40; ++s) {
    for (int d = 1; d <= 40; ++d) {
      for (bool last : {true, false}) {
        const V m = raster::StretchMap(s, d, last);
        ASSERT_EQ(static_cast<std::size_t>(d), m.size());
        for (std::size_t i = 0; i < m.size(); ++i) {
          ASSERT_TRUE(m[i] >= 0 && m[i] < s) << s << "->" << d;
          if (i > 0) {
            ASSERT_LE(m[i - 1], m[i]) << s << "->" << d;  // never backwards
          }
        }
      }
    }
  }
}

TEST(StretchMap, AnEntryWorkedOutAloneIsTheEntryOfTheTable) {
  for (int s = 1; s <= 70; ++s) {
    for (int d = 1; d <= 70; ++d) {
      for (bool last : {true, false}) {
        const std::vector<int> m = raster::StretchMap(s, d, last);
        for (int i = 0; i < d; ++i) ASSERT_EQ(raster::StretchIndex(s, d, last, i), m[i]) << s << "->" << d << " @" << i;
      }
    }
  }
  // Far beyond any surface, the entries near the end still match.
  for (auto [s, d] : {std::pair{508, 200000}, {200000, 508}, {3, 1 << 20}}) {
    const std::vector<int> m = raster::StretchMap(s, d, true);
    for (int i = std::max(d - 1000, 0); i < d; ++i)
      ASSERT_EQ(raster::StretchIndex(s, d, true, i), m[i]) << s << "->" << d;
  }
}

TEST(Draw, CopiesAtAPointClippedOnEverySide) {
  const Bitmap src = Numbered(3, 2);
  Bitmap b(4, 3);
  Canvas c(b);
  c.Draw(-1, 2, src);
  EXPECT_EQ(0_px, b.GetPixel(0, 1));
  EXPECT_EQ(2_px, b.GetPixel(0, 2));
  EXPECT_EQ(3_px, b.GetPixel(1, 2));
  EXPECT_EQ(0_px, b.GetPixel(2, 2));
  c.Draw(3, 0, src);
  EXPECT_EQ(1_px, b.GetPixel(3, 0));
  EXPECT_EQ(17_px, b.GetPixel(3, 1));
  c.Draw(2'147'483'000, 0, src);  // far off: nothing, no overflow
  c.Draw(0, 0, Bitmap());
  EXPECT_EQ(1_px, b.GetPixel(3, 0));
}

TEST(Draw, TransparentLeavesOutTheKeyColour) {
  Bitmap src(3, 1);
  src.SetPixel(0, 0, 0xFF00FF_px);
  src.SetPixel(1, 0, 0x00FF00_px);
  src.SetPixel(2, 0, 0xFF00FF_px);
  Bitmap b(3, 1);
  b.Fill(0x123456_px);
  Canvas c(b);
  c.DrawTransparent(0, 0, src, 0xFF00FF_px);
  EXPECT_EQ(0x123456_px, b.GetPixel(0, 0));
  EXPECT_EQ(0x00FF00_px, b.GetPixel(1, 0));
  EXPECT_EQ(0x123456_px, b.GetPixel(2, 0));
  Bitmap mono(2, 1, true);
  mono.SetPixel(1, 0, kWhite);
  c.DrawTransparent(1, 0, mono, kWhite);  // a two-colour picture without its white
  EXPECT_EQ(kBlack, b.GetPixel(1, 0));
  EXPECT_EQ(0x123456_px, b.GetPixel(2, 0));
}

TEST(StretchDraw, ScalesTheWholePictureToTheRectangle) {
  const Bitmap src = Numbered(2, 2);
  Bitmap b(5, 5);
  Canvas c(b);
  c.StretchDraw({1, 1, 5, 5}, src);
  EXPECT_EQ(
      "\n.....\n"
      ".aabb\n"
      ".aabb\n"
      ".ccdd\n"
      ".ccdd\n",
      Grid(b));
  Bitmap key(2, 1);
  key.SetPixel(0, 0, kWhite);
  c.StretchDrawTransparent({0, 0, 4, 1}, key, kWhite);
  EXPECT_EQ(kBlack, b.GetPixel(0, 0));
  EXPECT_EQ(kBlack, b.GetPixel(1, 0));
  c.StretchDraw({0, 0, 2, 2}, Bitmap());  // nothing to draw
  EXPECT_EQ(kBlack, b.GetPixel(1, 0));
}

TEST(CopyRect, XorAndXorThroughAMaskKeepsThePictureOnlyUnderBlack) {
  // Background d, picture i, mask black where the picture shows.
  Bitmap bg(4, 1);
  bg.Fill(0x336699_px);
  Bitmap pic(4, 1);
  pic.Fill(0xFF00FF_px);
  pic.SetPixel(1, 0, 0x00FF00_px);
  pic.SetPixel(2, 0, 0x0000FF_px);
  Bitmap mask(4, 1, true);
  mask.Fill(kWhite);
  mask.SetPixel(1, 0, kBlack);
  mask.SetPixel(2, 0, kBlack);
  Canvas c(bg);
  const Rect r{0, 0, 4, 1};
  c.CopyRect(r, pic, r, RasterOp::Xor);
  c.CopyRect(r, mask, r, RasterOp::And);
  c.CopyRect(r, pic, r, RasterOp::Xor);
  EXPECT_EQ(0x336699_px, bg.GetPixel(0, 0));
  EXPECT_EQ(0x00FF00_px, bg.GetPixel(1, 0));
  EXPECT_EQ(0x0000FF_px, bg.GetPixel(2, 0));
  EXPECT_EQ(0x336699_px, bg.GetPixel(3, 0));
}

TEST(CopyRect, StretchesWhenTheSizesDifferAndClipsTheSource) {
  const Bitmap src = Numbered(4, 4);
  Bitmap b(4, 4);
  Canvas c(b);
  c.CopyRect({0, 0, 2, 2}, src, {2, 2, 4, 4}, RasterOp::Copy);  // same size, from the corner
  EXPECT_EQ(35_px, b.GetPixel(0, 0));
  EXPECT_EQ(52_px, b.GetPixel(1, 1));
  c.CopyRect({0, 0, 4, 4}, src, {2, 2, 6, 6}, RasterOp::Copy);  // half outside the source
  EXPECT_EQ(35_px, b.GetPixel(0, 0));
  EXPECT_EQ(0_px, b.GetPixel(3, 3));  // was never drawn: its source lies outside
  c.CopyRect({0, 0, 4, 2}, src, {0, 0, 2, 1}, RasterOp::Copy);
  EXPECT_EQ(1_px, b.GetPixel(1, 1));
  EXPECT_EQ(2_px, b.GetPixel(2, 0));
}

TEST(CopyRect, OntoATwoColourTargetOnlyWhiteStaysWhite) {
  Bitmap src(3, 1);
  src.SetPixel(0, 0, kWhite);
  src.SetPixel(1, 0, 0xFEFEFE_px);
  Bitmap m(3, 1, true);
  Canvas c(m);
  c.CopyRect({0, 0, 3, 1}, src, {0, 0, 3, 1}, RasterOp::Copy);
  EXPECT_EQ("\n#..\n", Grid(m));
}

}  // namespace
}  // namespace vorbel::gdi
