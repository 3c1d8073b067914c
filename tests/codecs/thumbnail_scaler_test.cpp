// Scaling buttons to thumbnails: sizes, nearest-neighbour enlarging, area
// averages over the opaque part when reducing.

#include <gtest/gtest.h>

#include "codecs/image_writers.h"
#include "codecs/thumbnail_scaler.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using namespace base::literals;

// The pixel at (x, y) as 0xAARRGGBB.
std::uint32_t At(const RgbaImage& img, int x, int y) {
  const std::uint8_t* p = img.rgba.data() + (static_cast<std::size_t>(y) * img.width + x) * 4;
  return std::uint32_t{p[3]} << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
}

TEST(ThumbnailScaler, SizesFitTheBoxEnlargingByWholeFactorsUpToFour) {
  const struct {
    int w, h, box, width, height;
  } cases[] = {
      {90, 30, 256, 180, 60},                            // two whole times
      {90, 30, 128, 90, 30},                             // 1.4 times would make uneven pixels: kept
      {16, 16, 128, 64, 64},                             // at most four times
      {128, 40, 128, 128, 40},                           // fits exactly
      {300, 100, 128, 128, 43},                          // reduced, 42.67 rounded
      {100, 300, 128, 43, 128}, {1, 5000, 256, 1, 256},  // never narrower than a pixel
      {20000, 20000, 1, 1, 1},
  };
  for (const auto& c : cases) {
    const ThumbnailSize size = ThumbnailSizeFor(c.w, c.h, c.box);
    EXPECT_EQ(size.width, c.width) << c.w << " x " << c.h << " in " << c.box;
    EXPECT_EQ(size.height, c.height) << c.w << " x " << c.h << " in " << c.box;
  }
}

TEST(ThumbnailScaler, EnlargingRepeatsEachPixelAsABlockAndClearsTheWorkArea) {
  const base::Pixel workArea = 0x008080_px;
  const test::TestImage img(2, 1, {0xFF0000, 0x008080});
  const RgbaImage out = ScaleForThumbnail(img.View(), workArea, 8);  // four times
  ASSERT_EQ(out.width, 8);
  ASSERT_EQ(out.height, 4);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(At(out, 3, y), 0xFFFF0000u) << y;
    EXPECT_EQ(At(out, 4, y), 0u) << y;  // transparent, and black
  }
}

// Each thumbnail pixel averages the exact area it covers, weighted by
// opacity: the work area lowers alpha but never tints the colour.
TEST(ThumbnailScaler, ReducingAveragesTheOpaqueAreaByExactOverlap) {
  const base::Pixel workArea = 0xFFFFFF_px;
  // 4 x 2 to 2 x 1: each thumbnail pixel is a 2 x 2 block.
  const test::TestImage blocks(4, 2,
                               {0xFF0000, 0xFFFFFF, 0x000000, 0x0000FF,  //
                                0xFF0000, 0xFFFFFF, 0x000000, 0x0000FF});
  const RgbaImage half = ScaleForThumbnail(blocks.View(), workArea, 2);
  ASSERT_EQ(half.width, 2);
  ASSERT_EQ(half.height, 1);
  EXPECT_EQ(test::Hex(At(half, 0, 0)), test::Hex(0x80FF0000));  // half covered, pure red
  EXPECT_EQ(test::Hex(At(half, 1, 0)), test::Hex(0xFF000080));  // black and blue averaged

  // 3 x 1 to 2 x 1: the middle pixel counts half for each side.
  const test::TestImage thirds(3, 3,
                               {0x000000, 0x0000FF, 0xFFFFFF,  //
                                0x000000, 0x0000FF, 0xFFFFFF,  //
                                0x000000, 0x0000FF, 0xFFFFFF});
  const RgbaImage two = ScaleForThumbnail(thirds.View(), workArea, 2);
  ASSERT_EQ(two.width, 2);
  EXPECT_EQ(test::Hex(At(two, 0, 0)), test::Hex(0xFF000055));  // 2/3 black, 1/3 blue
  EXPECT_EQ(test::Hex(At(two, 1, 0)), test::Hex(0x550000FF));  // 1/3 of it opaque, all blue

  // All work area: fully transparent.
  const test::TestImage empty(5, 5, std::vector<base::Pixel>(25, workArea));
  const RgbaImage none = ScaleForThumbnail(empty.View(), workArea, 2);
  for (std::uint8_t byte : none.rgba) EXPECT_EQ(byte, 0);
}

TEST(ThumbnailScaler, TheThumbnailIsAnRgbaPngOfItsPixels) {
  const test::TestImage img(37, 11, 7);
  const RgbaImage small = ScaleForThumbnail(img.View(), img.At(0, 0), 16);
  const test::RgbaImage decoded = test::ReadPng(EncodePng(small));
  ASSERT_EQ(decoded.width, small.width);
  ASSERT_EQ(decoded.height, small.height);
  for (int y = 0; y < small.height; ++y) {
    for (int x = 0; x < small.width; ++x) {
      const std::uint32_t want = At(small, x, y);
      // libpng gives transparent pixels their stored colour, which is black.
      EXPECT_EQ(test::Hex(decoded.pixels[static_cast<std::size_t>(y) * decoded.width + x]), test::Hex(want));
    }
  }
}

}  // namespace
}  // namespace vorbel::codecs

namespace vorbel::codecs {
namespace {

// A picture with alpha keeps it: enlarged as it is, reduced as the share of
// what each thumbnail pixel covers; the work-area colour plays no part.
TEST(ThumbnailScaler, APictureWithAlphaKeepsIt) {
  const std::vector<base::Pixel> px{base::Pixel(0x008080), base::Pixel(0xFF0000), base::Pixel(0x008080),
                                    base::Pixel(0x0000FF)};
  const std::vector<std::uint8_t> alpha{255, 64, 0, 255};
  const PixelView view{px.data(), 4, 1, 4, alpha.data()};
  const RgbaImage large = ScaleForThumbnail(view, base::Pixel(0x008080), 8);
  ASSERT_EQ(large.width, 8);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(large.rgba[static_cast<std::size_t>(x) * 4 + 3], alpha[x / 2]) << x;
  EXPECT_EQ(large.rgba[0], 0);  // the teal pixel is opaque teal
  EXPECT_EQ(large.rgba[1], 0x80);
  const RgbaImage small = ScaleForThumbnail(view, base::Pixel(0x008080), 2);
  ASSERT_EQ(small.width, 2);
  EXPECT_EQ(small.rgba[3], (255 + 64 + 1) / 2);  // the mean alpha, rounded
  EXPECT_EQ(small.rgba[7], (0 + 255 + 1) / 2);
  EXPECT_EQ(small.rgba[4], 0);  // the left-out pixel adds nothing to the colour
  EXPECT_EQ(small.rgba[6], 255);
}

}  // namespace
}  // namespace vorbel::codecs
