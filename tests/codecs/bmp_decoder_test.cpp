// The BMP decoder against the conformance suite's reference decodes, and
// against hand-made files for what the suite does not cover: refusals of
// inconsistent headers, cut-short data, short palettes, masks and RLE codes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/picture.h"
#include "support/test_support.h"

namespace vorbel::codecs {
namespace {

using namespace base::literals;

using test::DataPath;
using test::Hex;
using test::ReadBytes;
using test::ReadPng;

// ---------------------------------------------------------------------------
// Conformance suite: every file decodes, and red, green and blue match the
// reference pixel for pixel (drawing uses no alpha). 16-bit references are
// rounded differently by different decoders, so those allow 1 either way.

struct SuiteFile {
  const char* name;
  bool sixteen_bit;
};

const SuiteFile kSuite[] = {
    {"g/pal1", false},          {"g/pal1wb", false},        {"g/pal1bg", false},
    {"g/pal4", false},          {"g/pal4gs", false},        {"g/pal4rle", false},
    {"g/pal8", false},          {"g/pal8-0", false},        {"g/pal8gs", false},
    {"g/pal8rle", false},       {"g/pal8w126", false},      {"g/pal8w125", false},
    {"g/pal8w124", false},      {"g/pal8topdown", false},   {"g/pal8nonsquare", false},
    {"g/pal8os2", false},       {"g/pal8v4", false},        {"g/pal8v5", false},
    {"g/rgb16", true},          {"g/rgb16bfdef", true},     {"g/rgb16-565", true},
    {"g/rgb16-565pal", true},   {"g/rgb24", false},         {"g/rgb24pal", false},
    {"g/rgb32", false},         {"g/rgb32bfdef", false},    {"g/rgb32bf", false},
    {"q/pal1p1", false},        {"q/pal4rletrns", false},   {"q/pal8rletrns", false},
    {"q/pal4rlecut", false},    {"q/pal8rlecut", false},    {"q/pal8offs", false},
    {"q/pal8os2-sz", false},    {"q/pal8os2-hs", false},    {"q/pal8os2sp", false},
    {"q/pal8os2v2", false},     {"q/pal8os2v2-sz", false},  {"q/pal8os2v2-40sz", false},
    {"q/rgb16faketrns", true},  {"q/rgba16-5551", true},    {"q/rgb24largepal", false},
    {"q/rgb24prof", false},     {"q/rgb24lprof", false},    {"q/rgb32-xbgr", false},
    {"q/rgb32fakealpha", false}, {"q/rgba32-1", false},
};

class BmpSuite : public ::testing::TestWithParam<SuiteFile> {};

TEST_P(BmpSuite, MatchesReferenceDecode) {
  const std::string base = DataPath(std::string("bmpsuite/") + GetParam().name);
  const Picture pic = DecodeBmp(ReadBytes(base + ".bmp"));
  const test::RgbaImage ref = ReadPng(ReadBytes(base + ".png"));
  ASSERT_EQ(pic.width, ref.width);
  ASSERT_EQ(pic.height, ref.height);
  ASSERT_EQ(pic.pixels.size(), ref.pixels.size());
  const int tolerance = GetParam().sixteen_bit ? 1 : 0;
  int mismatches = 0;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      const std::uint32_t got = pic.At(x, y).Rgb();
      const std::uint32_t want = ref.pixels[static_cast<std::size_t>(y) * ref.width + x] & 0xFFFFFF;
      ASSERT_EQ(got >> 24, 0u) << "top byte set at (" << x << ", " << y << ")";
      bool same = true;
      for (int shift : {0, 8, 16})
        same &= std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) <= tolerance;
      if (!same && ++mismatches <= 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << Hex(got) << ", reference " << Hex(want);
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(pic.two_colour, std::string(GetParam().name).find("pal1") != std::string::npos);
}

// Cutting a file anywhere must give either a picture or a PictureError, never
// a read outside the buffer (the sanitizer build checks that), and a file
// whose pixel rows are cut short is refused rather than shown in part.
TEST_P(BmpSuite, CutFilesAreRefusedOrDecoded) {
  const auto bytes = ReadBytes(DataPath(std::string("bmpsuite/") + GetParam().name) + ".bmp");
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{13}, std::size_t{14},
                          std::size_t{17}, std::size_t{20}, std::size_t{30}, std::size_t{54}, std::size_t{60},
                          bytes.size() / 2, bytes.size() - 40, bytes.size() - 1}) {
    if (cut >= bytes.size()) continue;
    std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
    try {
      const Picture pic = DecodeBmp(part);
      EXPECT_EQ(pic.pixels.size(), static_cast<std::size_t>(pic.width) * pic.height);
    } catch (const PictureError&) {
    }
  }
  std::vector<std::uint8_t> half(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2));
  EXPECT_THROW(DecodeBmp(half), PictureError);
}

INSTANTIATE_TEST_SUITE_P(Files, BmpSuite, ::testing::ValuesIn(kSuite),
                         [](const ::testing::TestParamInfo<SuiteFile>& param) {
                           std::string n = param.param.name;
                           for (char& c : n)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

// ---------------------------------------------------------------------------
// Hand-made files.

void Put16(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  v[at] = static_cast<std::uint8_t>(x);
  v[at + 1] = static_cast<std::uint8_t>(x >> 8);
}
void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  Put16(v, at, x);
  Put16(v, at + 2, x >> 16);
}

// A BMP with a 40-byte header (or a longer one), optional masks after it, a
// palette and the given pixel bytes.
struct BmpParts {
  std::int32_t width = 2;
  std::int32_t height = 2;
  int bpp = 24;
  std::uint32_t compression = 0;
  std::uint32_t header_size = 40;
  std::uint32_t colours_used = 0;
  std::vector<std::uint32_t> masks;    // written after a 40-byte header, or into a longer one
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint8_t> pixels;
};

std::vector<std::uint8_t> MakeBmp(const BmpParts& s) {
  const bool masksAfter = s.header_size == 40 && !s.masks.empty();
  const std::size_t paletteAt = 14 + s.header_size + (masksAfter ? 4 * s.masks.size() : 0);
  const std::size_t pixelsAt = paletteAt + 4 * s.palette.size();
  std::vector<std::uint8_t> v(pixelsAt);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, static_cast<std::uint32_t>(pixelsAt + s.pixels.size()));
  Put32(v, 10, static_cast<std::uint32_t>(pixelsAt));
  Put32(v, 14, s.header_size);
  Put32(v, 18, static_cast<std::uint32_t>(s.width));
  Put32(v, 22, static_cast<std::uint32_t>(s.height));
  Put16(v, 26, 1);
  Put16(v, 28, static_cast<std::uint32_t>(s.bpp));
  Put32(v, 30, s.compression);
  Put32(v, 46, s.colours_used);
  for (std::size_t i = 0; i < s.masks.size(); ++i) Put32(v, 14 + 40 + 4 * i, s.masks[i]);
  for (std::size_t i = 0; i < s.palette.size(); ++i) Put32(v, paletteAt + 4 * i, s.palette[i]);
  v.insert(v.end(), s.pixels.begin(), s.pixels.end());
  return v;
}

void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& words) {
  try {
    DecodeBmp(bytes);
    ADD_FAILURE() << "decoded, expected a refusal mentioning \"" << words << "\"";
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << "message: " << e.what();
  }
}

BmpParts Plain24() {
  BmpParts s;
  s.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};  // two rows of two, padded
  return s;
}

TEST(BmpDecoder, DecodesBottomUpAndTopDownRows) {
  Picture up = DecodeBmp(MakeBmp(Plain24()));
  EXPECT_EQ(up.At(0, 1), 0x030201_px);  // first row in the file is the bottom one
  EXPECT_EQ(up.At(1, 1), 0x060504_px);
  EXPECT_EQ(up.At(0, 0), 0x090807_px);
  EXPECT_EQ(up.TransparentColour(), 0x030201_px);

  BmpParts s = Plain24();
  s.height = -2;
  Picture down = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(down.At(0, 0), 0x030201_px);
  EXPECT_EQ(down.At(1, 1), 0x0C0B0A_px);
  EXPECT_EQ(down.TransparentColour(), 0x090807_px);  // bottom-left of the picture as shown
}

TEST(BmpDecoder, RefusesInconsistentHeaders) {
  auto with = [](auto change) {
    BmpParts s = Plain24();
    change(s);
    return MakeBmp(s);
  };
  std::vector<std::uint8_t> notBmp = MakeBmp(Plain24());
  notBmp[1] = 'A';
  ExpectRefused(notBmp, "\"BM\"");
  ExpectRefused({'B', 'M', 0, 0}, "cut short");
  std::vector<std::uint8_t> cutHeader = MakeBmp(Plain24());
  cutHeader.resize(40);
  ExpectRefused(cutHeader, "header is cut short");
  ExpectRefused(with([](BmpParts& s) { s.header_size = 41; }), "header size of 41");
  ExpectRefused(with([](BmpParts& s) { s.width = 0; }), "width 0");
  ExpectRefused(with([](BmpParts& s) { s.width = -5; }), "width -5");
  ExpectRefused(with([](BmpParts& s) { s.height = 0; }), "height is 0");
  ExpectRefused(with([](BmpParts& s) { s.bpp = 3; }), "depth of 3");
  ExpectRefused(with([](BmpParts& s) { s.bpp = 64; }), "depth of 64");
  ExpectRefused(with([](BmpParts& s) { s.compression = 1; }), "RLE8 compression needs 8");
  ExpectRefused(with([](BmpParts& s) { s.compression = 2; }), "RLE4 compression needs 4");
  ExpectRefused(with([](BmpParts& s) { s.compression = 3; s.masks = {0xFF0000, 0xFF00, 0xFF}; }), "16 or 32");
  ExpectRefused(with([](BmpParts& s) { s.compression = 4; }), "embedded JPEG or PNG");
  ExpectRefused(with([](BmpParts& s) { s.compression = 5; }), "embedded JPEG or PNG");
  ExpectRefused(with([](BmpParts& s) { s.compression = 11; }), "compression 11");
  ExpectRefused(with([](BmpParts& s) { s.bpp = 8; s.compression = 1; s.height = -2; }), "top-down");
}

TEST(BmpDecoder, RefusesHugePicturesBeforeAllocating) {
  BmpParts s = Plain24();
  s.width = 20000;
  s.height = 5001;  // 100,020,000 pixels
  ExpectRefused(MakeBmp(s), "too large");
  s.height = -2147483647 - 1;
  ExpectRefused(MakeBmp(s), "too large");
  s.width = 40000;  // wider than any surface, even one row high
  s.height = 1;
  ExpectRefused(MakeBmp(s), "too large");
  // Within the pixel limit but far beyond the data present: refused by size,
  // not by running out of memory.
  s.width = 10000;
  s.height = 10000;
  ExpectRefused(MakeBmp(s), "cut short");
}

TEST(BmpDecoder, ChecksPixelDataOffsetAndLength) {
  std::vector<std::uint8_t> v = MakeBmp(Plain24());
  Put32(v, 10, 20);
  ExpectRefused(v, "points into the header");
  Put32(v, 10, 1000);
  ExpectRefused(v, "beyond the end");

  // The last row may lack its padding, but no pixel byte may be missing.
  std::vector<std::uint8_t> noPad = MakeBmp(Plain24());
  noPad.resize(noPad.size() - 2);
  EXPECT_EQ(DecodeBmp(noPad).At(1, 0), 0x0C0B0A_px);
  noPad.pop_back();
  ExpectRefused(noPad, "pixel data is cut short");
}

TEST(BmpDecoder, ShortPaletteLeavesMissingEntriesBlack) {
  BmpParts s;
  s.width = 4;
  s.height = 1;
  s.bpp = 8;
  s.colours_used = 2;
  s.palette = {0x112233, 0x445566};
  s.pixels = {0, 1, 2, 255};
  Picture p = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(p.At(0, 0), 0x112233_px);
  EXPECT_EQ(p.At(1, 0), 0x445566_px);
  EXPECT_EQ(p.At(2, 0), 0_px);
  EXPECT_EQ(p.At(3, 0), 0_px);
  EXPECT_FALSE(p.two_colour);

  // No colours-used count and a palette cut off by the pixel data offset.
  s.colours_used = 0;
  p = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(p.At(1, 0), 0x445566_px);
  EXPECT_EQ(p.At(2, 0), 0_px);
}

TEST(BmpDecoder, TwoAndOneBitPixelsUseThePalette) {
  BmpParts s;
  s.width = 5;
  s.height = 1;
  s.bpp = 2;
  s.palette = {0x000010, 0x000020, 0x000030, 0x000040};
  s.pixels = {0b00011011, 0b10000000, 0, 0};
  Picture p = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(p.At(0, 0), 0x10_px);
  EXPECT_EQ(p.At(1, 0), 0x20_px);
  EXPECT_EQ(p.At(2, 0), 0x30_px);
  EXPECT_EQ(p.At(3, 0), 0x40_px);
  EXPECT_EQ(p.At(4, 0), 0x30_px);

  s.bpp = 1;
  s.width = 9;
  s.palette = {0xFF0000, 0x00FF00};
  s.pixels = {0b10100000, 0b10000000, 0, 0};
  p = DecodeBmp(MakeBmp(s));
  EXPECT_TRUE(p.two_colour);
  EXPECT_EQ(p.At(0, 0), 0x00FF00_px);
  EXPECT_EQ(p.At(1, 0), 0xFF0000_px);
  EXPECT_EQ(p.At(8, 0), 0x00FF00_px);
  // A two-colour picture leaves out white, whatever its bottom-left pixel.
  EXPECT_EQ(p.TransparentColour(), 0xFFFFFF_px);
}

TEST(BmpDecoder, ScalesMaskedChannelsOfAnyWidth) {
  // 32 bits, 10-10-10 with red in the low bits: full channel 255, 512 -> 128.
  BmpParts s;
  s.width = 3;
  s.height = 1;
  s.bpp = 32;
  s.compression = 3;
  s.masks = {0x000003FF, 0x000FFC00, 0x3FF00000};
  auto px = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 10) | (b << 20); };
  std::vector<std::uint32_t> words = {px(1023, 0, 512), px(0, 1023, 1), px(511, 512, 1023)};
  for (std::uint32_t w : words)
    for (int i = 0; i < 4; ++i) s.pixels.push_back(static_cast<std::uint8_t>(w >> (8 * i)));
  Picture p = DecodeBmp(MakeBmp(s));
  EXPECT_EQ(Hex(p.At(0, 0)), Hex(0xFF0080));
  EXPECT_EQ(Hex(p.At(1, 0)), Hex(0x00FF00));
  EXPECT_EQ(Hex(p.At(2, 0)), Hex(0x7F80FF));

  // 16 bits with a 1-bit channel and a 3-bit one, masks in a V3 header.
  BmpParts t;
  t.width = 2;
  t.height = 1;
  t.bpp = 16;
  t.compression = 3;
  t.header_size = 56;
  t.masks = {0x8000, 0x7000, 0x0001, 0};
  t.pixels = {0x01, 0xF0, 0x00, 0x20, 0, 0};
  p = DecodeBmp(MakeBmp(t));
  EXPECT_EQ(Hex(p.At(0, 0)), Hex(0xFFFFFF));
  EXPECT_EQ(Hex(p.At(1, 0)), Hex(0x004900));  // 2 of 7 -> 73

  // Alpha-bitfields after a 40-byte header: four masks, alpha ignored.
  BmpParts a;
  a.width = 1;
  a.height = 1;
  a.bpp = 32;
  a.compression = 6;
  a.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  a.pixels = {0x33, 0x22, 0x11, 0x80};
  EXPECT_EQ(DecodeBmp(MakeBmp(a)).At(0, 0), 0x112233_px);
}

TEST(BmpDecoder, RefusesBadMasks) {
  BmpParts s;
  s.width = 1;
  s.height = 1;
  s.bpp = 16;
  s.compression = 3;
  s.pixels = {0, 0, 0, 0};
  s.masks = {0xF800, 0x0FE0, 0x001F};
  ExpectRefused(MakeBmp(s), "overlap");
  s.masks = {0xF000, 0x0A00, 0x001F};
  ExpectRefused(MakeBmp(s), "one run of bits");
  s.masks = {0x1F0000, 0x07E0, 0x001F};
  ExpectRefused(MakeBmp(s), "exceeds");
  s.masks = {0, 0, 0};
  ExpectRefused(MakeBmp(s), "all zero");
  std::vector<std::uint8_t> cut = MakeBmp(s);
  cut.resize(14 + 40 + 6);
  ExpectRefused(cut, "masks are cut short");
}

// RLE files: palette index 0 is red, 1 green, 2 blue, 3 white.
BmpParts Rle(int bpp, int width, int height, std::vector<std::uint8_t> codes) {
  BmpParts s;
  s.width = width;
  s.height = height;
  s.bpp = bpp;
  s.compression = bpp == 8 ? 1 : 2;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  s.pixels = std::move(codes);
  return s;
}

std::string Grid(const Picture& p) {
  std::string out;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      switch (p.At(x, y).Rgb()) {
        case 0xFF0000: out += 'R'; break;
        case 0x00FF00: out += 'G'; break;
        case 0x0000FF: out += 'B'; break;
        case 0xFFFFFF: out += 'W'; break;
        default: out += '?';
      }
    }
    out += '\n';
  }
  return out;
}

TEST(BmpDecoder, Rle8RunsLiteralsDeltasAndEndCodes) {
  // Bottom row: run of 2 green, literal (blue, white, green) with its pad byte.
  // Then end of line, a delta of (1, 1) skipping the middle row's pixels, a
  // run of 9 blue clipped at the right edge, end of picture.
  Picture p = DecodeBmp(MakeBmp(Rle(8, 5, 3,
                                    {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 9, 2, 0, 1})));
  EXPECT_EQ(Grid(p), "RBBBB\nRRRRR\nGGBWG\n");
}

TEST(BmpDecoder, Rle4AlternatesNibbles) {
  // Run of 5 from 0x12 (green, blue, ...), end of line, literal of 3 nibbles
  // 3, 0, 1 padded to an even byte count, end of picture.
  Picture p = DecodeBmp(MakeBmp(Rle(4, 5, 2, {5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 1})));
  EXPECT_EQ(Grid(p), "WRGRR\nGBGBG\n");
}

TEST(BmpDecoder, RleEndsEarlyOrIsCutShort) {
  // End of picture at once: every pixel keeps palette entry 0.
  EXPECT_EQ(Grid(DecodeBmp(MakeBmp(Rle(8, 2, 2, {0, 1})))), "RR\nRR\n");
  // Complete without the closing codes: accepted.
  EXPECT_EQ(Grid(DecodeBmp(MakeBmp(Rle(8, 2, 2, {2, 1, 0, 0, 2, 2})))), "BB\nGG\n");
  // Data that ends before the picture is complete.
  ExpectRefused(MakeBmp(Rle(8, 2, 2, {2, 1, 0, 0})), "RLE data is cut short");
  ExpectRefused(MakeBmp(Rle(8, 2, 2, {2})), "RLE data is cut short");
  ExpectRefused(MakeBmp(Rle(8, 4, 2, {0, 4, 1, 1})), "literal run is cut short");
  ExpectRefused(MakeBmp(Rle(8, 4, 2, {0, 2, 1})), "delta is cut short");
  // A delta past the top ends the picture.
  EXPECT_EQ(Grid(DecodeBmp(MakeBmp(Rle(8, 2, 2, {1, 3, 0, 2, 0, 9})))), "RR\nWR\n");
}

TEST(BmpDecoder, ReadsOs2CoreHeaders) {
  // 12-byte header, 16-bit sizes, 3-byte palette entries, 4 bits per pixel.
  std::vector<std::uint8_t> v(14 + 12 + 3 * 16, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 10, static_cast<std::uint32_t>(v.size()));
  Put32(v, 14, 12);
  Put16(v, 18, 3);
  Put16(v, 20, 1);
  Put16(v, 22, 1);
  Put16(v, 24, 4);
  v[26 + 3 * 1 + 2] = 0xAA;  // entry 1: red
  v[26 + 3 * 2 + 0] = 0xBB;  // entry 2: blue
  v.insert(v.end(), {0x12, 0x00, 0, 0});
  Picture p = DecodeBmp(v);
  EXPECT_EQ(p.width, 3);
  EXPECT_EQ(p.At(0, 0), 0xAA0000_px);
  EXPECT_EQ(p.At(1, 0), 0x0000BB_px);
  EXPECT_EQ(p.At(2, 0), 0_px);
}

}  // namespace
}  // namespace vorbel::codecs
