#include "gdi/supersample.h"

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
  // Per output pixel of one row of blocks: the alpha-weighted sums of red,
  // green and blue, and the sum of alpha.
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(w) * 4);
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int fy = y * factor; fy < (y + 1) * factor; ++fy) {
      const Pixel* row = fine.Row(fy);
      const std::uint8_t* alpha = fine.AlphaRow(fy);
      std::uint32_t* s = sums.data();
      for (int x = 0; x < w; ++x, s += 4) {
        const int from = x * factor;
        for (int i = from; i < from + factor; ++i) {
          const std::uint32_t a = alpha != nullptr ? alpha[i] : 255u;
          if (a == 0) continue;
          const std::uint32_t rgb = row[i].Rgb();
          s[0] += (rgb >> 16) * a;
          s[1] += ((rgb >> 8) & 0xFF) * a;
          s[2] += (rgb & 0xFF) * a;
          s[3] += a;
        }
      }
    }
    Pixel* dst = out.Row(y);
    std::uint8_t* dstAlpha = out.AlphaRow(y);
    const std::uint32_t* s = sums.data();
    for (int x = 0; x < w; ++x, s += 4) {
      const std::uint32_t total = s[3];
      if (total == 0) {
        dst[x] = unpainted;
        dstAlpha[x] = 0;
        continue;
      }
      const auto mean = [total](std::uint32_t sum) { return static_cast<std::uint8_t>((sum + total / 2) / total); };
      dst[x] = Pixel::FromRgb(mean(s[0]), mean(s[1]), mean(s[2]));
      dstAlpha[x] = static_cast<std::uint8_t>((total + area / 2) / area);
    }
  }
}

}  // namespace vorbel::gdi
