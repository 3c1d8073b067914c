// The export writers, read back by independent decoders: our BMP decoder,
// libjpeg, giflib's reader, libpng's and libwebp's. Sizes 1 to 7 wide exercise row
// padding, 1 x N and N x 1 the strides.

#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>
#include <filesystem>

#include "codecs/image_writers.h"
#include "codecs/matte.h"
#include "codecs/picture.h"
#include "codecs/web_palette.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using namespace base::literals;

using test::Hex;
using test::ReadBytes;
using test::ReadPng;
using test::ScratchDir;
using test::TestImage;
using test::WriteBytes;

std::vector<std::pair<int, int>> AwkwardSizes() {
  std::vector<std::pair<int, int>> sizes;
  for (int w = 1; w <= 7; ++w) sizes.push_back({w, 3});
  sizes.insert(sizes.end(), {{1, 1}, {1, 9}, {1, 64}, {9, 1}, {64, 1}, {33, 17}});
  return sizes;
}

// ---------------------------------------------------------------------------
// GIF, read with giflib's decoder.

struct GifReader {
  const std::vector<std::uint8_t>* bytes;
  std::size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int size) {
  auto* r = static_cast<GifReader*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(size), r->bytes->size() - r->pos);
  std::memcpy(out, r->bytes->data() + r->pos, n);
  r->pos += n;
  return static_cast<int>(n);
}

struct DecodedGif {
  std::string signature;
  int width = 0, height = 0;
  bool global_map = false;
  std::uint8_t screen_packed = 0, background = 0, aspect = 0;
  std::vector<std::uint32_t> table;     // the local colour table
  std::vector<std::uint8_t> indices;    // per pixel
  int image_count = 0;
  bool interlaced = false;
  std::vector<ExtensionBlock> extensions;  // copies of the image's blocks (bytes not kept)
  std::vector<std::vector<std::uint8_t>> extension_data;
  int lzw_code_size = 0;
  std::uint32_t Colour(int x, int y) const { return table.at(indices.at(static_cast<std::size_t>(y) * width + x)); }
};

DecodedGif ReadGif(const std::vector<std::uint8_t>& bytes) {
  DecodedGif out;
  out.signature.assign(bytes.begin(), bytes.begin() + 6);
  out.screen_packed = bytes.at(10);
  out.background = bytes.at(11);
  out.aspect = bytes.at(12);
  GifReader reader{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (gif == nullptr) throw std::runtime_error(GifErrorString(error));
  if (DGifSlurp(gif) != GIF_OK) {
    std::string message = GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    throw std::runtime_error(message);
  }
  out.width = gif->SWidth;
  out.height = gif->SHeight;
  out.global_map = gif->SColorMap != nullptr;
  out.image_count = gif->ImageCount;
  const SavedImage& image = gif->SavedImages[0];
  out.interlaced = image.ImageDesc.Interlace;
  if (image.ImageDesc.ColorMap != nullptr) {
    for (int i = 0; i < image.ImageDesc.ColorMap->ColorCount; ++i) {
      const GifColorType c = image.ImageDesc.ColorMap->Colors[i];
      out.table.push_back(static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 | c.Blue);
    }
  }
  const int pixels = image.ImageDesc.Width * image.ImageDesc.Height;
  out.indices.assign(image.RasterBits, image.RasterBits + pixels);
  for (int i = 0; i < image.ExtensionBlockCount; ++i) {
    out.extensions.push_back(image.ExtensionBlocks[i]);
    const ExtensionBlock& b = image.ExtensionBlocks[i];
    out.extension_data.emplace_back(b.Bytes, b.Bytes + b.ByteCount);
  }
  for (int i = 0; i < gif->ExtensionBlockCount; ++i) out.extensions.push_back(gif->ExtensionBlocks[i]);
  DGifCloseFile(gif, &error);

  // Walk the blocks to the image descriptor to read the LZW code size.
  std::size_t p = 13;
  while (p < bytes.size() && bytes[p] == 0x21) {  // extension: label, then sub-blocks
    p += 2;
    while (p < bytes.size() && bytes[p] != 0) p += bytes[p] + 1;
    ++p;
  }
  if (p < bytes.size() && bytes[p] == 0x2C) {
    const std::uint8_t packed = bytes[p + 9];
    p += 10;
    if (packed & 0x80) p += 3u * (1u << ((packed & 7) + 1));
    out.lzw_code_size = bytes.at(p);
  }
  return out;
}

TEST(GifWriter, OpaqueImageIsGif87aWithoutExtensionOrBlackEntry) {
  TestImage img(3, 2, {0xFF0000, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF});
  const DecodedGif gif = ReadGif(EncodeGif(img.View(), 0x008080_px));
  EXPECT_EQ(gif.signature, "GIF87a");
  EXPECT_TRUE(gif.extensions.empty());
  EXPECT_FALSE(gif.global_map);
  EXPECT_EQ(gif.image_count, 1);
  EXPECT_FALSE(gif.interlaced);
  // Three colours by use, padded with black to four entries; no transparent entry.
  EXPECT_EQ(gif.table, (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x000000}));
  EXPECT_EQ(gif.indices, (std::vector<std::uint8_t>{0, 0, 1, 0, 1, 2}));
  EXPECT_EQ(gif.screen_packed, 0x11);  // no global table; resolution and size fields both bits - 1 = 1
  EXPECT_EQ(gif.background, 0);
  EXPECT_EQ(gif.aspect, 0);
  EXPECT_EQ(gif.lzw_code_size, 2);
}

TEST(GifWriter, WorkAreaPixelsBecomeTheAppendedBlackEntryOfGif89a) {
  // An ellipse-like button: corners in the work-area colour.
  const std::uint32_t teal = 0x008080, red = 0xFF0000;
  TestImage img(4, 3, {teal, red, red, teal, red, red, red, red, teal, red, red, teal});
  const std::vector<std::uint8_t> bytes = EncodeGif(img.View(), base::Pixel(teal));
  const DecodedGif gif = ReadGif(bytes);
  EXPECT_EQ(gif.signature, "GIF89a");
  // Red (8) and the reduced teal (4, all transparent) are kept; black follows.
  ASSERT_EQ(gif.table, (std::vector<std::uint32_t>{0xFF0000, 0x006666, 0x000000, 0x000000}));
  for (int y : {0, 2})
    for (int x : {0, 3}) EXPECT_EQ(gif.indices[static_cast<std::size_t>(y) * 4 + x], 2) << x << "," << y;
  EXPECT_EQ(gif.indices[1], 0);
  ASSERT_EQ(gif.extensions.size(), 1u);
  EXPECT_EQ(gif.extensions[0].Function, GRAPHICS_EXT_FUNC_CODE);
  // Transparent flag only (no disposal, no user input), delay 0, index 2.
  EXPECT_EQ(gif.extension_data[0], (std::vector<std::uint8_t>{0x01, 0, 0, 2}));
  EXPECT_EQ(gif.screen_packed, 0x11);
  EXPECT_EQ(gif.lzw_code_size, 2);
  // Nothing but the screen, the extension, the image and the trailer.
  EXPECT_EQ(bytes.back(), 0x3B);
  EXPECT_EQ(std::memcmp(bytes.data() + 13, "\x21\xF9\x04\x01\x00\x00\x02\x00\x2C", 9), 0);
}

TEST(GifWriter, ReducesColoursByTheFloorRule) {
  TestImage img(2, 1, {0xFA1E64, 0x303030});  // (250, 30, 100) and (48, 48, 48)
  const DecodedGif gif = ReadGif(EncodeGif(img.View(), base::Pixel{}));
  EXPECT_EQ(Hex(gif.Colour(0, 0)), Hex(0xCC0066));
  EXPECT_EQ(Hex(gif.Colour(1, 0)), Hex(0x333333));
}

TEST(GifWriter, OneColourImageIsValidWithTwoEntriesAndCodeSizeTwo) {
  TestImage img(5, 4, std::vector<std::uint32_t>(20, 0x0000FF));
  const DecodedGif gif = ReadGif(EncodeGif(img.View(), 0xFFFFFF_px));
  EXPECT_EQ(gif.table, (std::vector<std::uint32_t>{0x0000FF, 0x000000}));
  EXPECT_EQ(gif.indices, std::vector<std::uint8_t>(20, 0));
  EXPECT_EQ(gif.screen_packed, 0x00);
  EXPECT_EQ(gif.lzw_code_size, 2);
}

TEST(GifWriter, LargeTablesArePaddedToAPowerOfTwo) {
  // 216 web colours plus a transparent pixel: 217 entries in a 256-entry table.
  std::vector<std::uint32_t> px;
  for (int i = 0; i < 216; ++i) px.push_back(static_cast<std::uint32_t>((i / 36) * 51) << 16 |
                                             static_cast<std::uint32_t>((i / 6 % 6) * 51) << 8 |
                                             static_cast<std::uint32_t>(i % 6 * 51));
  px.push_back(0x123457);
  px.push_back(0x123457);
  px.push_back(0x123456);
  px.push_back(0xFFFFFF);
  TestImage img(20, 11, px);
  const DecodedGif gif = ReadGif(EncodeGif(img.View(), 0x123456_px));
  ASSERT_EQ(gif.table.size(), 256u);
  EXPECT_EQ(gif.table[0], 0x003333u);  // 4 pixels: its palette pixel, two near it, one transparent
  EXPECT_EQ(gif.table[1], 0xFFFFFFu);  // 2 pixels
  EXPECT_EQ(gif.table[2], 0x000000u);  // 1 pixel each, in palette order
  EXPECT_EQ(gif.table[3], 0x000033u);
  EXPECT_EQ(gif.Colour(19, 10), 0xFFFFFFu);
  EXPECT_EQ(gif.indices[218], 216);  // the transparent pixel takes the appended entry
  EXPECT_EQ(gif.screen_packed, 0x77);
  EXPECT_EQ(gif.lzw_code_size, 8);
}

TEST(GifWriter, RoundTripsAwkwardSizes) {
  for (auto [w, h] : AwkwardSizes()) {
    TestImage img(w, h, static_cast<std::uint32_t>(w * 100 + h));
    const DecodedGif gif = ReadGif(EncodeGif(img.View(), img.At(0, 0)));
    ASSERT_EQ(gif.width, w);
    ASSERT_EQ(gif.height, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t want = img.At(x, y) == img.At(0, 0) ? 0 : WebColour(WebIndex(img.At(x, y))).Rgb();
        ASSERT_EQ(Hex(gif.Colour(x, y)), Hex(want)) << w << "x" << h << " at " << x << "," << y;
      }
  }
}

TEST(GifWriter, NoisyImagesOfEveryDepthSurviveTableResets) {
  // Random pixels from 2^b web colours give tables of every size and fill the
  // 4096-entry string table many times over; giflib's reader must get every
  // pixel back.
  for (int bits = 1; bits <= 8; ++bits) {
    const int colours = bits == 8 ? 216 : 1 << bits;
    const int w = 211, h = 97;
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    std::uint32_t seed = static_cast<std::uint32_t>(bits);
    for (auto& p : px) {
      seed = seed * 1664525u + 1013904223u;
      p = WebColour(static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(colours))).Rgb();
    }
    // Long runs as well, so that long strings are coded too.
    std::fill(px.begin() + 5000, px.begin() + 9000, WebColour(0).Rgb());
    TestImage img(w, h, px);
    const DecodedGif gif = ReadGif(EncodeGif(img.View(), 0x010203_px));
    ASSERT_EQ(gif.lzw_code_size, bits < 2 ? 2 : bits);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(gif.Colour(x, y), img.At(x, y).Rgb()) << bits << " bits, at " << x << "," << y;
  }
}

TEST(GifWriter, RunsOfEveryLengthRoundTrip) {
  // Runs of 1 to 700 pixels in a few colours: run strings grow long, are
  // reused across rows and are dropped when the string table fills up.
  const int w = 640, h = 400;
  std::vector<std::uint32_t> px;
  std::uint32_t seed = 99;
  while (px.size() < static_cast<std::size_t>(w) * h) {
    seed = seed * 1664525u + 1013904223u;
    const std::size_t length = 1 + (seed >> 8) % 700;
    const std::uint32_t colour = WebColour(static_cast<int>((seed >> 24) % 5) * 43).Rgb();
    px.insert(px.end(), length, colour);
  }
  px.resize(static_cast<std::size_t>(w) * h);
  TestImage img(w, h, px);
  const DecodedGif gif = ReadGif(EncodeGif(img.View(), 0x010203_px));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(gif.Colour(x, y), img.At(x, y).Rgb()) << "at " << x << "," << y;
}

// ---------------------------------------------------------------------------
// BMP, read back with our decoder (which the conformance suite checks).

TEST(BmpWriter, RoundTripsAwkwardSizesExactly) {
  for (auto [w, h] : AwkwardSizes()) {
    TestImage img(w, h, static_cast<std::uint32_t>(w * 31 + h));
    // A view with a longer stride and other pixels beyond each row.
    std::vector<base::Pixel> wide(static_cast<std::size_t>(w + 3) * h, base::Pixel(0xDEADBEEF));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) wide[static_cast<std::size_t>(y) * (w + 3) + x] = img.At(x, y);
    const std::vector<std::uint8_t> bytes = EncodeBmp(PixelView{wide.data(), w, h, w + 3});
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + stride * h);
    EXPECT_EQ(bytes[28], 24);                      // bits per pixel
    EXPECT_EQ(bytes[22] | bytes[23] << 8, h);      // positive height: bottom-up
    const Picture pic = DecodeBmp(bytes);
    ASSERT_EQ(pic.width, w);
    ASSERT_EQ(pic.height, h);
    EXPECT_EQ(pic.pixels, img.pixels) << w << "x" << h;
  }
}

// ---------------------------------------------------------------------------
// JPEG, read back with libjpeg. The encoding is lossy, so only the size is
// exact; flat colours come back within a few levels.

TEST(JpegWriter, BaselineJfifAtQualityNinety) {
  TestImage img(20, 10, std::vector<std::uint32_t>(200, 0xC0C0C0));
  const std::vector<std::uint8_t> bytes = EncodeJpeg(img.View());
  ASSERT_GT(bytes.size(), 20u);
  EXPECT_EQ(std::memcmp(bytes.data() + 6, "JFIF", 5), 0);
  bool baselineFrame = false, progressiveFrame = false;
  int firstLumaQuant = -1;
  int lumaSampling = -1;
  for (std::size_t i = 2; i + 4 < bytes.size(); ++i) {
    if (bytes[i] != 0xFF) continue;
    if (bytes[i + 1] == 0xC0) {
      baselineFrame = true;
      lumaSampling = bytes[i + 11];
    }
    if (bytes[i + 1] == 0xC2) progressiveFrame = true;
    if (bytes[i + 1] == 0xDB && firstLumaQuant < 0) {
      EXPECT_EQ(bytes[i + 4] >> 4, 0) << "8-bit (baseline) quantisation table";
      firstLumaQuant = bytes[i + 5];
    }
    if (bytes[i + 1] == 0xDA) break;
  }
  EXPECT_TRUE(baselineFrame);
  EXPECT_FALSE(progressiveFrame);
  EXPECT_EQ(firstLumaQuant, 3);  // 16 scaled by (200 - 2 * 90)%, rounded
  EXPECT_EQ(lumaSampling, 0x22);  // colour, 2x2 chroma subsampling
}

TEST(JpegWriter, RoundTripsAwkwardSizes) {
  for (auto [w, h] : AwkwardSizes()) {
    TestImage img(w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0x80FF20));
    const Picture pic = DecodeJpeg(EncodeJpeg(img.View()));
    ASSERT_EQ(pic.width, w);
    ASSERT_EQ(pic.height, h);
    for (const base::Pixel p : pic.pixels)
      for (int shift : {0, 8, 16})
        ASSERT_NEAR(static_cast<int>((p.Rgb() >> shift) & 0xFF), static_cast<int>((0x80FF20u >> shift) & 0xFF), 4)
            << w << "x" << h << " " << Hex(p);
  }
}

// ---------------------------------------------------------------------------
// PNG, read back with libpng.

TEST(PngWriter, AlphaIsZeroExactlyAtWorkAreaPixels) {
  for (auto [w, h] : AwkwardSizes()) {
    TestImage img(w, h, static_cast<std::uint32_t>(w + 7 * h));
    const base::Pixel key = img.At(w - 1, h - 1);
    const test::RgbaImage png = ReadPng(EncodePng(img.View(), key));
    ASSERT_EQ(png.width, w);
    ASSERT_EQ(png.height, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t got = png.pixels[static_cast<std::size_t>(y) * w + x];
        EXPECT_EQ(got & 0xFFFFFF, img.At(x, y).Rgb());
        EXPECT_EQ(got >> 24, img.At(x, y) == key ? 0u : 255u) << x << "," << y;
      }
  }
}

// A picture of `colours` different RGBA colours for the PNG writer's choice
// of form: every colour at least once, the rest of the pixels at random.
enum class Clear { None, OneColour, OneColourAlsoOpaque, TwoColours, Partial };
struct FormCase {
  int colours;
  int grey_step;  // 0: colours; else grey levels i * grey_step (mod 256)
  Clear clear;
  int colour_type;  // what the file should be
  int bits;
};

struct RgbaPicture {
  std::vector<base::Pixel> pixels;
  std::vector<std::uint8_t> alpha;
  PixelView View(int w, int h) const { return {pixels.data(), w, h, w, alpha.data()}; }
  std::uint32_t Argb(std::size_t i) const { return pixels[i].Rgb() | std::uint32_t{alpha[i]} << 24; }
};

RgbaPicture MakeFormPicture(const FormCase& c, int w, int h) {
  RgbaPicture p;
  std::uint32_t seed = 99;
  for (int i = 0; i < w * h; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t k = i < c.colours ? static_cast<std::uint32_t>(i) : (seed >> 8) % c.colours;
    const std::uint32_t level = k * c.grey_step % 256;
    p.pixels.emplace_back(c.grey_step != 0 ? level * 0x010101u : (k * 2654435761u) & 0xFFFFFF);
    std::uint8_t a = 255;
    if (c.clear == Clear::Partial) a = k == 0 ? 0 : static_cast<std::uint8_t>(1 + k * 37 % 255);
    if (c.clear != Clear::None && c.clear != Clear::Partial && k == 0) a = 0;
    if (c.clear == Clear::TwoColours && k == 1) a = 0;
    p.alpha.push_back(a);
  }
  // The transparent colour shown opaque as well, in place of colour 1.
  if (c.clear == Clear::OneColourAlsoOpaque) p.pixels[1] = p.pixels[0];
  return p;
}

// Every picture comes back from a PNG and a lossless WebP exactly as it was,
// the colour of transparent pixels included, and the PNG takes the smallest
// form that can hold it.
TEST(PngWriter, EveryFormGivesBackEveryPixelExactly) {
  const FormCase cases[] = {
      {2, 0, Clear::None, 3, 1},
      {2, 255, Clear::None, 0, 1},
      {4, 85, Clear::None, 0, 2},
      {16, 17, Clear::OneColour, 0, 4},
      {16, 3, Clear::None, 3, 4},
      {16, 0, Clear::Partial, 3, 4},
      {256, 0, Clear::OneColour, 3, 8},
      {256, 1, Clear::None, 0, 8},
      {257, 0, Clear::None, 2, 8},
      {257, 0, Clear::OneColour, 2, 8},
      {257, 0, Clear::OneColourAlsoOpaque, 6, 8},
      {257, 0, Clear::TwoColours, 6, 8},
      {257, 0, Clear::Partial, 6, 8},
      {257, 1, Clear::Partial, 4, 8},
  };
  std::vector<std::pair<int, int>> sizes = AwkwardSizes();
  sizes.push_back({37, 23});
  for (const FormCase& c : cases) {
    for (auto [w, h] : sizes) {
      if (w * h < c.colours + 1) continue;
      const std::string where = std::to_string(c.colours) + " colours, grey step " + std::to_string(c.grey_step) +
                                ", clear " + std::to_string(static_cast<int>(c.clear)) + ", " + std::to_string(w) +
                                " x " + std::to_string(h);
      const RgbaPicture picture = MakeFormPicture(c, w, h);
      const std::vector<std::uint8_t> png = EncodePng(picture.View(w, h), base::Pixel{});
      EXPECT_EQ(png.at(25), c.colour_type) << where;
      EXPECT_EQ(png.at(24), c.bits) << where;
      const test::RgbaImage fromPng = ReadPng(png);
      const test::RgbaImage fromWebp = test::ReadWebp(EncodeWebp(picture.View(w, h), base::Pixel{}));
      ASSERT_EQ(fromPng.pixels.size(), picture.pixels.size()) << where;
      ASSERT_EQ(fromWebp.pixels.size(), picture.pixels.size()) << where;
      for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        ASSERT_EQ(Hex(fromPng.pixels[i]), Hex(picture.Argb(i))) << "PNG, " << where << ", pixel " << i;
        ASSERT_EQ(Hex(fromWebp.pixels[i]), Hex(picture.Argb(i))) << "WebP, " << where << ", pixel " << i;
      }
    }
  }
}

// A lossy WebP is smaller than the lossless one of a photograph-like picture
// and keeps its transparency exactly; a picture too large for WebP is
// refused.
TEST(WebpWriter, AQualityMakesItLossyAndKeepsTheAlpha) {
  const int w = 64, h = 48;
  TestImage img(w, h, 7);
  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(w) * h);
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = i % 5 == 0 ? 0 : (i % 7 == 0 ? 128 : 255);
  const PixelView view{img.pixels.data(), w, h, w, alpha.data()};
  const std::vector<std::uint8_t> lossless = EncodeWebp(view, base::Pixel{});
  const std::vector<std::uint8_t> lossy = EncodeWebp(view, base::Pixel{}, 50);
  EXPECT_LT(lossy.size(), lossless.size());
  const test::RgbaImage decoded = test::ReadWebp(lossy);
  ASSERT_EQ(decoded.pixels.size(), alpha.size());
  for (std::size_t i = 0; i < alpha.size(); ++i) EXPECT_EQ(decoded.pixels[i] >> 24, alpha[i]) << i;
  // Wider than WebP can be: refused with a message, not a broken file.
  const std::vector<base::Pixel> wide(16384);
  EXPECT_THROW(EncodeWebp(PixelView{wide.data(), 16384, 1, 16384}, base::Pixel{}), base::FileWriteError);
}

// Partial alpha: PNG keeps it; GIF keeps the pixels at least half opaque,
// blended onto the matte, and leaves out the others; JPEG and BMP blend every
// pixel onto the matte.
TEST(ImageWriters, WhatAFormatCannotKeepOfTheAlphaGoesOntoTheMatte) {
  const std::vector<base::Pixel> red(5, 0xFF0000_px);
  const std::vector<std::uint8_t> alpha{255, 200, 128, 127, 0};
  const PixelView view{red.data(), 5, 1, 5, alpha.data()};
  const base::Pixel white = 0xFFFFFF_px;
  // Red over white at each alpha, rounded: 255 - 255 * alpha / 255 in green and blue.
  const std::uint32_t blended[5] = {0xFF0000, 0xFF3737, 0xFF7F7F, 0xFF8080, 0xFFFFFF};

  const test::RgbaImage png = ReadPng(EncodePng(view, white));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(png.pixels[static_cast<std::size_t>(x)], 0xFF0000u | alpha[x] << 24);

  const FlatPicture opaque = Flatten(view, white, 0);
  EXPECT_TRUE(opaque.alpha.empty());
  const Picture bmp = DecodeBmp(EncodeBmp(opaque.View()));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.pixels[static_cast<std::size_t>(x)].Rgb(), blended[x]) << x;

  const DecodedGif gif = ReadGif(EncodeGif(Flatten(view, white, kGifOpaqueFrom).View(), 0x008080_px));
  ASSERT_EQ(gif.signature, "GIF89a");
  const int transparent = gif.extension_data.at(0).at(3);
  for (int x = 0; x < 5; ++x) {
    if (alpha[x] < 128) {
      EXPECT_EQ(gif.indices[static_cast<std::size_t>(x)], transparent) << x;
    } else {
      EXPECT_NE(gif.indices[static_cast<std::size_t>(x)], transparent) << x;
      EXPECT_EQ(gif.Colour(x, 0), WebColour(WebIndex(base::Pixel(blended[x]))).Rgb()) << x;
    }
  }
}

// ---------------------------------------------------------------------------
// Files on disk.

TEST(ImageWriters, EmptyImagesWriteNothing) {
  ScratchDir dir;
  const base::Pixel one;
  for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-1, 3}}) {
    const PixelView view{&one, w, h, 1};
    const std::string path = dir.File("empty");
    for (auto write : {+[](const std::string&p, const PixelView&v) { WriteBmpFile(p, v); },
                       +[](const std::string&p, const PixelView&v) { WriteJpegFile(p, v); },
                       +[](const std::string&p, const PixelView&v) { WriteGifFile(p, v, base::Pixel{}); },
                       +[](const std::string&p, const PixelView&v) { WritePngFile(p, v, base::Pixel{}); },
                       +[](const std::string&p, const PixelView&v) {
                         base::WriteFileAtomically(p, EncodeWebp(v, base::Pixel{}));
                       }}) {
      try {
        write(path, view);
        ADD_FAILURE() << "an empty image was written";
      } catch (const base::FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("at least 1 pixel"), std::string::npos) << e.what();
      }
    }
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(ImageWriters, WritesEveryFormatAndReplacesOldFiles) {
  ScratchDir dir;
  TestImage img(6, 5, 42);
  WriteBytes(dir.path() / "out.bmp", std::vector<std::uint8_t>(10000, 9));  // an older, longer file
  WriteBmpFile(dir.File("out.bmp"), img.View());
  WriteJpegFile(dir.File("out.jpg"), img.View());
  WriteGifFile(dir.File("out.gif"), img.View(), img.At(0, 0));
  WritePngFile(dir.File("out.png"), img.View(), img.At(0, 0));
  EXPECT_EQ(DecodeBmp(ReadBytes(dir.path() / "out.bmp")).pixels, img.pixels);
  EXPECT_EQ(DecodeJpeg(ReadBytes(dir.path() / "out.jpg")).width, 6);
  EXPECT_EQ(ReadGif(ReadBytes(dir.path() / "out.gif")).signature, "GIF89a");
  EXPECT_EQ(ReadPng(ReadBytes(dir.path() / "out.png")).pixels[0] >> 24, 0u);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"out.bmp", "out.gif", "out.jpg", "out.png"}));
}

TEST(ImageWriters, ExportIntoMissingFolderLeavesNothing) {
  ScratchDir dir;
  TestImage img(2, 2, 1);
  const std::string path = dir.File("no/such/folder/button.gif");
  try {
    WriteGifFile(path, img.View(), base::Pixel{});
    ADD_FAILURE() << "written";
  } catch (const base::FileWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
  }
  EXPECT_TRUE(dir.Entries().empty());
}

TEST(ImageWriters, FailedRewriteLeavesTheOldFile) {
  // A GIF too wide to encode fails before anything is created: the old file stays.
  ScratchDir dir;
  const std::string path = dir.File("old.gif");
  const std::vector<std::uint8_t> old = {'G', 'I', 'F', '8', '7', 'a', 1, 2, 3};
  WriteBytes(path, old);
  const base::Pixel px;
  EXPECT_THROW(WriteGifFile(path, PixelView{&px, 70000, 1, 0}, base::Pixel{}), std::invalid_argument);
  std::vector<base::Pixel> row(70000, base::Pixel(0x123456));
  EXPECT_THROW(WriteGifFile(path, PixelView{row.data(), 70000, 1, 70000}, base::Pixel{}), base::FileWriteError);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.gif"});
}

}  // namespace
}  // namespace vorbel::codecs
