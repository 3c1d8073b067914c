// Reduction to the web palette for GIF export: the level rule at each of its
// boundaries, the order of the colour table, and transparency decided on the
// full colours.

#include <gtest/gtest.h>

#include "codecs/matte.h"
#include "codecs/web_palette.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using namespace base::literals;

using test::Hex;
using test::TestImage;

std::vector<std::uint8_t> Indices(const IndexedImage& image) { return {image.indices.begin(), image.indices.end()}; }

TEST(WebPalette, LevelsFollowTheFloorRuleAtEveryBoundary) {
  const std::pair<int, int> cases[] = {{0, 0},   {30, 0},  {47, 0},  {48, 1},  {98, 1},  {99, 2},  {149, 2},
                                       {150, 3}, {200, 3}, {201, 4}, {250, 4}, {251, 4}, {252, 5}, {255, 5}};
  for (auto [c, level] : cases) EXPECT_EQ(WebLevel(static_cast<std::uint8_t>(c)), level) << c;
  EXPECT_EQ(WebIndex(0xFA1E64_px), 4 * 36 + 0 * 6 + 2);
  EXPECT_EQ(Hex(WebColour(WebIndex(0xFA1E64_px))), Hex(0xCC0066));  // (250, 30, 100) -> (204, 0, 102)
  EXPECT_EQ(WebColour(215), 0xFFFFFF_px);
  EXPECT_EQ(WebColour(0), 0_px);
}

TEST(WebPalette, TableIsOrderedByUseWithTiesInPaletteOrder) {
  // Three pixels reduce to blue (index 5), two to red (180), two to green
  // (30), one to white (215). Red and green tie: green's web index is lower.
  TestImage img(8, 1, {0xFF0000, 0x0000FF, 0x00FF00, 0x0000FE, 0xFFFFFF, 0x00FE00, 0xFE0000, 0x0000FD});
  IndexedImage out = ReduceToWebPalette(img.View(), 0x123456_px);
  ASSERT_EQ(out.colours.size(), 4u);
  EXPECT_EQ(out.colours[0], 0x0000FF_px);
  EXPECT_EQ(out.colours[1], 0x00FF00_px);
  EXPECT_EQ(out.colours[2], 0xFF0000_px);
  EXPECT_EQ(out.colours[3], 0xFFFFFF_px);
  EXPECT_EQ(out.transparent_index, -1);
  EXPECT_EQ(Indices(out), (std::vector<std::uint8_t>{2, 0, 1, 0, 3, 1, 2, 0}));
  EXPECT_EQ(out.BitsPerPixel(), 2);
}

TEST(WebPalette, TransparencyIsDecidedOnFullColoursBeforeReduction) {
  // Work area 0x008080. 0x008081 reduces to the same web colour but is not
  // the work-area colour, so it stays opaque. Transparent pixels count for
  // their reduced colour: teal (3 pixels, 2 of them transparent) comes first.
  TestImage img(2, 3, {0x008080, 0x008081, 0x008080, 0xFFFFFF, 0xFFFFFF, 0x000001});
  IndexedImage out = ReduceToWebPalette(img.View(), 0xFF008080_px);  // top byte ignored
  ASSERT_EQ(out.colours.size(), 4u);
  EXPECT_EQ(out.colours[0], 0x006666_px);  // 128 -> level (128 + 3) / 51 = 2, i.e. 102
  EXPECT_EQ(out.colours[1], 0xFFFFFF_px);
  EXPECT_EQ(out.colours[2], 0x000000_px);
  EXPECT_EQ(out.colours[3], 0x000000_px);  // the appended transparent entry
  EXPECT_EQ(out.transparent_index, 3);
  EXPECT_EQ(Indices(out), (std::vector<std::uint8_t>{3, 0, 3, 1, 1, 2}));
}

TEST(WebPalette, EveryPixelTransparentStillKeepsItsReducedColour) {
  TestImage img(3, 1, {0x112233, 0x112233, 0x112233});
  IndexedImage out = ReduceToWebPalette(img.View(), 0x112233_px);
  EXPECT_EQ(out.colours, (std::vector<base::Pixel>{0x000033_px, 0x000000_px}));
  EXPECT_EQ(out.transparent_index, 1);
  EXPECT_EQ(Indices(out), (std::vector<std::uint8_t>{1, 1, 1}));
  EXPECT_EQ(out.BitsPerPixel(), 1);
}

TEST(WebPalette, BitsPerPixelIsTheSmallestPowerThatHoldsTheTable) {
  IndexedImage t;
  const std::pair<int, int> cases[] = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {17, 5}, {128, 7}, {129, 8}, {217, 8}};
  for (auto [n, bits] : cases) {
    t.colours.assign(static_cast<std::size_t>(n), base::Pixel{});
    EXPECT_EQ(t.BitsPerPixel(), bits) << n;
  }
}

TEST(WebPalette, StrideIsHonoured) {
  // A 2 x 2 view into rows of 3 pixels; the third column must be ignored.
  const std::vector<base::Pixel> rows = {0xFFFFFF_px, 0xFFFFFF_px, 0x00FF00_px, 0xFFFFFF_px, 0x000000_px, 0x00FF00_px};
  IndexedImage out = ReduceToWebPalette(PixelView{rows.data(), 2, 2, 3}, 0x123456_px);
  EXPECT_EQ(out.colours, (std::vector<base::Pixel>{0xFFFFFF_px, 0x000000_px}));
  EXPECT_EQ(Indices(out), (std::vector<std::uint8_t>{0, 0, 0, 1}));
}

TEST(WebPalette, LongRunsEndWhereverTheColourOrTheAlphaChanges) {
  // Runs of one colour much longer than a row, broken at odd places by
  // another colour, by alpha below and above the opaque limit, and by a
  // single pixel; read with its alpha and over a matte.
  const int w = 157, h = 5;
  std::vector<base::Pixel> pixels(static_cast<std::size_t>(w) * h, 0x3399CC_px);
  std::vector<std::uint8_t> alpha(pixels.size(), 255);
  std::fill(pixels.begin() + 40, pixels.begin() + 59, 0xFF0000_px);
  pixels[300] = 0x00FF00_px;
  std::fill(alpha.begin() + 17, alpha.begin() + 33, 0);
  std::fill(alpha.begin() + 100, alpha.begin() + 420, 127);
  std::fill(alpha.begin() + 500, alpha.begin() + 531, 200);
  alpha[700] = 128;
  for (const bool overMatte : {false, true}) {
    PixelView view{pixels.data(), w, h, w, alpha.data()};
    if (overMatte) {
      view.opaque_from = 128;
      view.matte = 0xFFFFFF_px;
    }
    const IndexedImage out = ReduceToWebPalette(view, 0x123456_px);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      const int index = out.indices[i];
      if (alpha[i] < 128) {
        ASSERT_EQ(index, out.transparent_index) << i;
      } else {
        const base::Pixel colour = overMatte ? OverMatte(pixels[i], alpha[i], view.matte) : pixels[i];
        ASSERT_NE(index, out.transparent_index) << i;
        ASSERT_EQ(Hex(out.colours[static_cast<std::size_t>(index)]), Hex(WebColour(WebIndex(colour)))) << i;
      }
    }
  }
}

}  // namespace
}  // namespace vorbel::codecs
