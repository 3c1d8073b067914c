#pragma once
// A read-only view of pixels that an image writer encodes.

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <cstddef>
#include <cstdint>

#include "base/color.h"

namespace vorbel::codecs {

// `height` rows of `width` pixels, row y starting at pixels + y * stride. The
// writers never keep the pointers.
//
// A view may carry the pixels' alpha, straight (not premultiplied): one byte a
// pixel, 0 transparent to 255 opaque, row y at alpha + y * stride. Without it
// the writers take the transparency rule they are given (the work-area
// colour).
//
// A view with alpha may also be read over a matte, for formats that keep a
// pixel whole or leave it out: a pixel whose alpha is below `opaque_from` is
// transparent and reads as the matte, every other one reads as its colour
// over the matte (OverMatte in matte.h), opaque. That is the picture
// Flatten(view, matte, opaque_from) makes, read without the copy; writers
// that do not read it so are given flattened pictures instead.
struct PixelView {
  const base::Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, at least width
  const std::uint8_t* alpha = nullptr;
  std::uint8_t opaque_from = 0;  // 0: not read over a matte
  base::Pixel matte{};

  const base::Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  // Row y of the alpha, nullptr when the view has none.
  const std::uint8_t* AlphaRow(int y) const {
    return alpha == nullptr ? nullptr : alpha + static_cast<std::ptrdiff_t>(y) * stride;
  }
};

// Writers take the pixels of a row this many at a time while they continue a
// run: buttons are mostly runs of one colour.
inline constexpr int kRunBlock = 16;

// True when the kRunBlock pixels from `row` all have the colour `rgb` and,
// with `alpha` (nullptr for none), the alpha `a`.
inline bool BlockContinuesRun(const base::Pixel* row, const std::uint8_t* alpha, std::uint32_t rgb, std::uint8_t a) {
#ifdef __SSE2__
  const __m128i colour = _mm_set1_epi32(static_cast<int>(rgb));
  __m128i same = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row)), colour);
  for (int i = 4; i < kRunBlock; i += 4)
    same = _mm_and_si128(same, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)), colour));
  if (alpha != nullptr) {
    const __m128i alphas = _mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha));
    same = _mm_and_si128(same, _mm_cmpeq_epi8(alphas, _mm_set1_epi8(static_cast<char>(a))));
  }
  return _mm_movemask_epi8(same) == 0xFFFF;
#else
  for (int i = 0; i < kRunBlock; ++i) {
    if (row[i].Rgb() != rgb || (alpha != nullptr && alpha[i] != a)) return false;
  }
  return true;
#endif
}

}  // namespace vorbel::codecs
