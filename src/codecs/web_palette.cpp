#include "codecs/web_palette.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "codecs/matte.h"

namespace vorbel::codecs {

namespace {

// Per-component contributions to the web index, so that the reduction of a
// pixel is three table look-ups and two additions.
struct LevelTables {
  std::array<std::uint8_t, 256> red{}, green{}, blue{};
  constexpr LevelTables() {
    for (int c = 0; c < 256; ++c) {
      const int level = WebLevel(static_cast<std::uint8_t>(c));
      red[c] = static_cast<std::uint8_t>(level * 36);
      green[c] = static_cast<std::uint8_t>(level * 6);
      blue[c] = static_cast<std::uint8_t>(level);
    }
  }
};
constexpr LevelTables kLevels;

// Marks a transparent pixel between the two passes; no web index reaches it.
constexpr std::uint8_t kTransparentMark = 255;

}  // namespace

int IndexedImage::BitsPerPixel() const {
  int bits = 1;
  while ((std::size_t{1} << bits) < colours.size()) ++bits;
  return bits;
}

IndexedImage ReduceToWebPaletteCodes(const PixelView& img, base::Pixel workArea, std::array<std::uint8_t, 256>& remap) {
  IndexedImage out;
  remap.fill(0);
  if (img.width <= 0 || img.height <= 0) return out;
  out.width = img.width;
  out.height = img.height;
  out.indices.resize(static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height));
  const std::uint32_t key = workArea.Rgb();

  // Pass 1: web index of every pixel, counted; transparent pixels are marked.
  // Buttons are mostly runs of one colour, so a pixel equal to the one before
  // (in colour and alpha) reuses its result and a run is counted once.
  const std::uint8_t opaqueFrom = img.opaque_from != 0 ? img.opaque_from : kGifOpaqueFrom;
  const bool overMatte = img.opaque_from != 0;
  std::array<std::uint32_t, 216> counts{};
  bool anyTransparent = false;
  std::uint8_t* dst = out.indices.data();
  std::uint64_t last = ~std::uint64_t{0};  // no pixel: keys have 32 bits
  std::uint8_t lastWeb = 0, lastMark = 0;
  std::uint32_t run = 0;
  for (int y = 0; y < img.height; ++y) {
    const base::Pixel* row = img.Row(y);
    const std::uint8_t* alpha = img.AlphaRow(y);
    int x = 0;
    while (x < img.width) {
      // A block that only continues the run is counted and marked at once;
      // any other block is taken pixel by pixel.
      const int blockEnd = std::min(x + kRunBlock, img.width);
      if (blockEnd - x == kRunBlock && last <= 0xFFFFFFFFu &&
          BlockContinuesRun(row + x, alpha != nullptr ? alpha + x : nullptr,
                            static_cast<std::uint32_t>(last) & 0xFFFFFFu, static_cast<std::uint8_t>(last >> 24))) {
        std::memset(dst, lastMark, kRunBlock);
        dst += kRunBlock;
        run += kRunBlock;
        x = blockEnd;
        continue;
      }
      for (; x < blockEnd; ++x) {
        const std::uint8_t a = alpha != nullptr ? alpha[x] : 255;
        const std::uint32_t p = row[x].Rgb() | std::uint32_t{a} << 24;
        if (p != last) {
          counts[lastWeb] += run;
          run = 0;
          last = p;
          const bool transparent = alpha != nullptr ? a < opaqueFrom : p == (key | 0xFF000000u);
          base::Pixel colour = row[x];
          if (overMatte) colour = transparent ? img.matte : OverMatte(colour, a, img.matte);
          const std::uint32_t c = colour.Rgb();
          lastWeb = static_cast<std::uint8_t>(kLevels.red[(c >> 16) & 0xFF] + kLevels.green[(c >> 8) & 0xFF] +
                                              kLevels.blue[c & 0xFF]);
          anyTransparent |= transparent;
          lastMark = transparent ? kTransparentMark : lastWeb;
        }
        ++run;
        *dst++ = lastMark;
      }
    }
  }
  counts[lastWeb] += run;

  // The table: used web colours by falling count, ties by ascending index.
  std::array<std::uint8_t, 216> order{};
  int used = 0;
  for (int i = 0; i < 216; ++i)
    if (counts[i] != 0) order[used++] = static_cast<std::uint8_t>(i);
  std::stable_sort(order.begin(), order.begin() + used,
                   [&counts](std::uint8_t a, std::uint8_t b) { return counts[a] > counts[b]; });
  out.colours.reserve(static_cast<std::size_t>(used) + 1);
  for (int i = 0; i < used; ++i) {
    remap[order[i]] = static_cast<std::uint8_t>(i);
    out.colours.push_back(WebColour(order[i]));
  }
  if (anyTransparent) {
    out.transparent_index = used;
    remap[kTransparentMark] = static_cast<std::uint8_t>(used);
    out.colours.push_back(base::Pixel{});
  }

  return out;
}

IndexedImage ReduceToWebPalette(const PixelView& img, base::Pixel workArea) {
  std::array<std::uint8_t, 256> remap{};
  IndexedImage out = ReduceToWebPaletteCodes(img, workArea, remap);
  // Pass 2: web indexes become table indexes.
  for (std::uint8_t& v : out.indices) v = remap[v];
  return out;
}

}  // namespace vorbel::codecs
