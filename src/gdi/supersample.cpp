#include "gdi/supersample.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vorbel::gdi {

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
  const std::uint32_t area = static_cast<std::uint32_t>(factor) * static_cast<std::uint32_t>(factor);
  std::vector<const Pixel*> rows(static_cast<std::size_t>(factor));
  std::vector<const std::uint8_t*> alphas(static_cast<std::size_t>(factor));
  for (int y = 0; y < h; ++y) {
    for (int i = 0; i < factor; ++i) {
      rows[static_cast<std::size_t>(i)] = fine.Row(y * factor + i);
      alphas[static_cast<std::size_t>(i)] = fine.AlphaRow(y * factor + i);
    }
    Pixel* dst = out.Row(y);
    std::uint8_t* dstAlpha = out.AlphaRow(y);
    for (int x = 0; x < w; ++x) {
      const int from = x * factor;
      // Most blocks are painted whole in one colour, or not at all.
      int painted = 0;  // rows of the block painted whole
      int empty = 0;    // rows of the block not painted at all
      for (int i = 0; i < factor; ++i) {
        const std::uint8_t* alpha = alphas[static_cast<std::size_t>(i)];
        if (alpha == nullptr) {
          ++painted;
        } else if (factor == 4) {
          std::uint32_t word;
          std::memcpy(&word, alpha + from, sizeof word);
          painted += word == 0xFFFFFFFFu;
          empty += word == 0;
        } else {
          const std::uint8_t* a = alpha + from;
          painted += std::all_of(a, a + factor, [](std::uint8_t v) { return v == 255; });
          empty += std::all_of(a, a + factor, [](std::uint8_t v) { return v == 0; });
        }
      }
      if (empty == factor) {
        dst[x] = unpainted;
        dstAlpha[x] = 0;
        continue;
      }
      if (painted == factor) {
        const Pixel first = rows[0][from];
        bool flat = true;
        for (int i = 0; i < factor && flat; ++i) {
          const Pixel* row = rows[static_cast<std::size_t>(i)] + from;
          flat = std::all_of(row, row + factor, [first](Pixel p) { return p == first; });
        }
        if (flat) {
          dst[x] = first;
          dstAlpha[x] = 255;
          continue;
        }
      }
      // The alpha-weighted sums of red, green and blue over the block, and
      // the sum of its alpha.
      std::uint32_t red = 0, green = 0, blue = 0, total = 0;
      for (int i = 0; i < factor; ++i) {
        const Pixel* row = rows[static_cast<std::size_t>(i)] + from;
        const std::uint8_t* alpha = alphas[static_cast<std::size_t>(i)];
        for (int j = 0; j < factor; ++j) {
          const std::uint32_t a = alpha != nullptr ? alpha[from + j] : 255u;
          const std::uint32_t rgb = row[j].Rgb();
          red += (rgb >> 16) * a;
          green += ((rgb >> 8) & 0xFF) * a;
          blue += (rgb & 0xFF) * a;
          total += a;
        }
      }
      if (total == 0) {
        dst[x] = unpainted;
        dstAlpha[x] = 0;
        continue;
      }
      const auto mean = [total](std::uint32_t sum) { return static_cast<std::uint8_t>((sum + total / 2) / total); };
      dst[x] = Pixel::FromRgb(mean(red), mean(green), mean(blue));
      dstAlpha[x] = static_cast<std::uint8_t>((total + area / 2) / area);
    }
  }
}

}  // namespace vorbel::gdi
