// The JPEG path: pictures written by our encoder or by libjpeg directly
// (greyscale, Adobe CMYK), and damaged files that must be refused with a
// PictureError instead of ending the process or showing a half-grey picture.
// JPEG is lossy, so colours are compared with a tolerance on flat areas only.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "codecs/image_writers.h"
#include "codecs/picture.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using test::Hex;
using test::TestImage;

bool Near(base::Pixel pixel, std::uint32_t b, int tolerance) {
  const std::uint32_t a = pixel.Rgb();
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

// A flat W x H image compressed by libjpeg with the given colour space;
// `sample` holds one pixel's components in that space.
std::vector<std::uint8_t> LibjpegFlat(int w, int h, J_COLOR_SPACE space, std::vector<JSAMPLE> sample) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(w);
  cinfo.image_height = static_cast<JDIMENSION>(h);
  cinfo.input_components = static_cast<int>(sample.size());
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row;
  for (int x = 0; x < w; ++x) row.insert(row.end(), sample.begin(), sample.end());
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& words) {
  try {
    DecodeJpeg(bytes);
    ADD_FAILURE() << "decoded, expected a refusal mentioning \"" << words << "\"";
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << "message: " << e.what();
  }
}

TEST(JpegDecoder, RoundTripsAwkwardSizes) {
  // Sizes that are not multiples of the 8- and 16-pixel blocks.
  const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {3, 1}, {5, 7}, {7, 2}, {1, 17}, {23, 1}, {17, 9}};
  for (auto [w, h] : sizes) {
    TestImage flat(w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0x3366CC));
    const Picture pic = DecodeJpeg(EncodeJpeg(flat.View()));
    ASSERT_EQ(pic.width, w);
    ASSERT_EQ(pic.height, h);
    ASSERT_EQ(pic.pixels.size(), static_cast<std::size_t>(w) * h);
    for (const base::Pixel p : pic.pixels) {
      EXPECT_EQ(p.Rgb() >> 24, 0u) << w << "x" << h;
      EXPECT_TRUE(Near(p, 0x3366CC, 4)) << w << "x" << h << ": " << Hex(p);
    }
    EXPECT_FALSE(pic.two_colour);
  }
  // Busy content: only the size is certain.
  TestImage noisy(31, 13, 7);
  const Picture pic = DecodeJpeg(EncodeJpeg(noisy.View()));
  EXPECT_EQ(pic.width, 31);
  EXPECT_EQ(pic.height, 13);
}

TEST(JpegDecoder, GreyscaleAndCmykBecomeRgb) {
  const Picture grey = DecodeJpeg(LibjpegFlat(9, 5, JCS_GRAYSCALE, {140}));
  ASSERT_EQ(grey.pixels.size(), 45u);
  for (const base::Pixel p : grey.pixels) EXPECT_TRUE(Near(p, 0x8C8C8C, 2)) << Hex(p);

  // libjpeg marks CMYK files as Adobe's, whose inks are stored inverted: the
  // stored 200, 100, 50 with black 255 are the colour (200, 100, 50).
  const Picture cmyk = DecodeJpeg(LibjpegFlat(6, 6, JCS_CMYK, {200, 100, 50, 255}));
  ASSERT_EQ(cmyk.pixels.size(), 36u);
  for (const base::Pixel p : cmyk.pixels) EXPECT_TRUE(Near(p, 0xC86432, 3)) << Hex(p);
  // Stored black 128 halves every channel.
  const Picture dark = DecodeJpeg(LibjpegFlat(4, 4, JCS_CMYK, {200, 100, 50, 128}));
  for (const base::Pixel p : dark.pixels) EXPECT_TRUE(Near(p, 0x643219, 3)) << Hex(p);
}

TEST(JpegDecoder, RefusesDamagedData) {
  const TestImage img(40, 40, 3);
  const std::vector<std::uint8_t> good = EncodeJpeg(img.View());

  ExpectRefused({}, "empty");
  ExpectRefused({'B', 'M', 0, 0, 0, 0}, "Not a JPEG file");
  ExpectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + 2), "JPEG");
  // Cut inside the entropy-coded data: refused, not painted grey.
  ExpectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)),
                "cut short");
  // Without only its end marker every pixel is there: accepted.
  EXPECT_EQ(DecodeJpeg(std::vector<std::uint8_t>(good.begin(), good.end() - 2)).width, 40);

  // Every prefix is refused or decoded, never a crash (the sanitizer build
  // checks the reads).
  for (std::size_t cut = 0; cut < good.size(); cut += 7) {
    try {
      DecodeJpeg(std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
    } catch (const PictureError&) {
    }
  }
}

TEST(JpegDecoder, RefusesHugeDimensionsBeforeDecoding) {
  std::vector<std::uint8_t> bytes = EncodeJpeg(TestImage(16, 16, 1).View());
  // The frame header: FF C0, length, precision, then height and width.
  std::size_t sof = 0;
  for (std::size_t i = 2; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
      sof = i;
      break;
    }
  ASSERT_NE(sof, 0u);
  bytes[sof + 5] = 0xEA;  // height 60000
  bytes[sof + 6] = 0x60;
  bytes[sof + 7] = 0x07;  // width 2000: 120 million pixels
  bytes[sof + 8] = 0xD0;
  ExpectRefused(bytes, "too large");
  bytes[sof + 5] = 0x00;  // height 200, width 40000: wider than any surface
  bytes[sof + 6] = 0xC8;
  bytes[sof + 7] = 0x9C;
  bytes[sof + 8] = 0x40;
  ExpectRefused(bytes, "too large");
  // 10000 x 10000 is within the limits, but its blocks need far more data
  // than the file holds: refused before the pixels are allocated.
  bytes[sof + 5] = bytes[sof + 7] = 0x27;
  bytes[sof + 6] = bytes[sof + 8] = 0x10;
  ExpectRefused(bytes, "cut short");
}

}  // namespace
}  // namespace vorbel::codecs
