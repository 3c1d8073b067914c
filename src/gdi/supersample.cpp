#include "gdi/supersample.h"

#include <cstring>
#include <vector>

namespace vorbel::gdi {
namespace {

// One block: `rows` and `alphas` point at its first pixel in each of its
// rows (alphas null: all painted).
void ReduceBlock(const Pixel* const* rows, const std::uint8_t* const* alphas, int factor, Pixel unpainted, Pixel& dst,
                 std::uint8_t& dstAlpha) {
  // The alpha-weighted sums of red, green and blue over the block, and the
  // sum of its alpha.
  std::uint32_t red = 0, green = 0, blue = 0, total = 0;
  for (int i = 0; i < factor; ++i) {
    const Pixel* row = rows[i];
    const std::uint8_t* alpha = alphas[i];
    for (int j = 0; j < factor; ++j) {
      const std::uint32_t a = alpha != nullptr ? alpha[j] : 255u;
      const std::uint32_t rgb = row[j].Rgb();
      red += (rgb >> 16) * a;
      green += ((rgb >> 8) & 0xFF) * a;
      blue += (rgb & 0xFF) * a;
      total += a;
    }
  }
  if (total == 0) {
    dst = unpainted;
    dstAlpha = 0;
    return;
  }
  const auto mean = [total](std::uint32_t sum) { return static_cast<std::uint8_t>((sum + total / 2) / total); };
  dst = Pixel::FromRgb(mean(red), mean(green), mean(blue));
  const std::uint32_t area = static_cast<std::uint32_t>(factor) * static_cast<std::uint32_t>(factor);
  dstAlpha = static_cast<std::uint8_t>((total + area / 2) / area);
}

// The blocks of 4 x 4 of a surface with alpha, most of which are painted
// whole in one colour or not at all: those are told at once.
void ReduceBlocksOfFour(const Bitmap& fine, Pixel unpainted, Bitmap& out) {
  for (int y = 0; y < out.Height(); ++y) {
    const Pixel* rows[4];
    const std::uint8_t* alphas[4];
    for (int i = 0; i < 4; ++i) {
      rows[i] = fine.Row(4 * y + i);
      alphas[i] = fine.AlphaRow(4 * y + i);
    }
    Pixel* dst = out.Row(y);
    std::uint8_t* dstAlpha = out.AlphaRow(y);
    for (int x = 0; x < out.Width(); ++x) {
      const int from = 4 * x;
      std::uint32_t all = 0xFFFFFFFFu;
      std::uint32_t any = 0;
      for (int i = 0; i < 4; ++i) {
        std::uint32_t word;
        std::memcpy(&word, alphas[i] + from, sizeof word);
        all &= word;
        any |= word;
      }
      if (any == 0) {
        dst[x] = unpainted;
        dstAlpha[x] = 0;
        continue;
      }
      if (all == 0xFFFFFFFFu) {
        // Two pixels a comparison.
        const std::uint64_t first = rows[0][from].Rgb();
        const std::uint64_t pair = first | first << 32;
        std::uint64_t differ = 0;
        for (int i = 0; i < 4; ++i) {
          std::uint64_t words[2];
          std::memcpy(words, rows[i] + from, sizeof words);
          differ |= (words[0] ^ pair) | (words[1] ^ pair);
        }
        if (differ == 0) {
          dst[x] = rows[0][from];
          dstAlpha[x] = 255;
          continue;
        }
      }
      const Pixel* block[4] = {rows[0] + from, rows[1] + from, rows[2] + from, rows[3] + from};
      const std::uint8_t* blockAlpha[4] = {alphas[0] + from, alphas[1] + from, alphas[2] + from, alphas[3] + from};
      ReduceBlock(block, blockAlpha, 4, unpainted, dst[x], dstAlpha[x]);
    }
  }
}

}  // namespace

void ReduceBlocks(const Bitmap& fine, int factor, Pixel unpainted, Bitmap& out) {
  if (factor <= 1) {
    out = fine;
    out.KeepAlpha(true);
    return;
  }
  const int w = fine.Width() / factor;
  const int h = fine.Height() / factor;
  out.SetMono(false);
  out.KeepAlpha(true);
  out.Resize(w, h);
  if (w <= 0 || h <= 0) return;
  if (factor == 4 && fine.KeepsAlpha()) {
    ReduceBlocksOfFour(fine, unpainted, out);
    return;
  }
  std::vector<const Pixel*> block(static_cast<std::size_t>(factor));
  std::vector<const std::uint8_t*> blockAlpha(static_cast<std::size_t>(factor));
  for (int y = 0; y < h; ++y) {
    Pixel* dst = out.Row(y);
    std::uint8_t* dstAlpha = out.AlphaRow(y);
    for (int x = 0; x < w; ++x) {
      for (int i = 0; i < factor; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        block[k] = fine.Row(y * factor + i) + x * factor;
        const std::uint8_t* alpha = fine.AlphaRow(y * factor + i);
        blockAlpha[k] = alpha != nullptr ? alpha + x * factor : nullptr;
      }
      ReduceBlock(block.data(), blockAlpha.data(), factor, unpainted, dst[x], dstAlpha[x]);
    }
  }
}

}  // namespace vorbel::gdi
