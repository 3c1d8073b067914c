#include "codecs/thumbnail_scaler.h"

#include <algorithm>
#include <stdexcept>

namespace vorbel::codecs {
namespace {

// How one axis of `from` pixels is reduced to `to` pixels (to <= from). In
// units of 1/(from * to) of the axis, source pixel j covers [j * to, (j + 1) *
// to) and thumbnail pixel i covers [i * from, (i + 1) * from): every overlap
// is a whole number and the weights of thumbnail pixel i add up to `from`.
struct AxisReduction {
  struct Span {
    int first = 0;            // the first source pixel it covers
    std::size_t weights = 0;  // index of its first weight
    int count = 0;
  };
  std::vector<Span> spans;  // one per thumbnail pixel
  std::vector<std::uint32_t> weights;

  AxisReduction(int from, int to) {
    spans.reserve(static_cast<std::size_t>(to));
    weights.reserve(static_cast<std::size_t>(from) + static_cast<std::size_t>(to));
    for (std::int64_t i = 0; i < to; ++i) {
      const std::int64_t begin = i * from;
      const std::int64_t end = begin + from;
      Span span{static_cast<int>(begin / to), weights.size(), 0};
      for (std::int64_t j = span.first; j * to < end; ++j) {
        const std::int64_t overlap = std::min((j + 1) * to, end) - std::max(j * to, begin);
        weights.push_back(static_cast<std::uint32_t>(overlap));
        ++span.count;
      }
      spans.push_back(span);
    }
  }
};

// Per thumbnail pixel: the sums of red, green and blue over the source
// pixels, weighted by overlap and opacity, and their weight (the coverage).
struct Sums {
  std::uint64_t red = 0;
  std::uint64_t green = 0;
  std::uint64_t blue = 0;
  std::uint64_t cover = 0;
};

// x / d rounded to the nearest whole number (d > 0).
std::uint64_t RoundedDivide(std::uint64_t x, std::uint64_t d) { return (x + d / 2) / d; }

// The opacity of a pixel: its alpha when the view has one, else 0 for the
// work-area colour and `opaque` for every other colour.
struct Opacity {
  base::Pixel work_area;
  std::uint64_t opaque;  // 255 with alpha, 1 without

  std::uint64_t Of(base::Pixel p, const std::uint8_t* alpha, int x) const {
    if (alpha != nullptr) return alpha[x];
    return p == work_area ? 0 : opaque;
  }
};

RgbaImage Enlarge(const PixelView& img, base::Pixel workArea, int factor) {
  RgbaImage out{img.width * factor, img.height * factor, {}};
  out.rgba.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 4);
  std::uint8_t* dst = out.rgba.data();
  const Opacity opacity{workArea, 255};
  for (int y = 0; y < out.height; ++y) {
    const base::Pixel* row = img.Row(y / factor);
    const std::uint8_t* alpha = img.AlphaRow(y / factor);
    for (int x = 0; x < out.width; ++x, dst += 4) {
      const base::Pixel p = row[x / factor];
      const auto a = static_cast<std::uint8_t>(opacity.Of(p, alpha, x / factor));
      if (a == 0) continue;  // stays (0, 0, 0, 0)
      dst[0] = p.Red();
      dst[1] = p.Green();
      dst[2] = p.Blue();
      dst[3] = a;
    }
  }
  return out;
}

RgbaImage Reduce(const PixelView& img, base::Pixel workArea, ThumbnailSize size) {
  const AxisReduction across(img.width, size.width);
  const AxisReduction down(img.height, size.height);
  RgbaImage out{size.width, size.height, {}};
  out.rgba.resize(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4);
  // Coverage is counted in units of `opaque` per fully opaque pixel.
  const Opacity opacity{workArea, img.alpha != nullptr ? 255u : 1u};
  const std::uint64_t total =
      static_cast<std::uint64_t>(img.width) * static_cast<std::uint64_t>(img.height) * opacity.opaque;

  std::vector<Sums> row(static_cast<std::size_t>(size.width));
  std::vector<Sums> sums(static_cast<std::size_t>(size.width));
  std::uint8_t* dst = out.rgba.data();
  for (const AxisReduction::Span& band : down.spans) {
    std::fill(sums.begin(), sums.end(), Sums{});
    // A source row on the border of two thumbnail rows is reduced for each:
    // at most twice the work, for memory of one thumbnail row.
    for (int k = 0; k < band.count; ++k) {
      const base::Pixel* src = img.Row(band.first + k);
      const std::uint8_t* alpha = img.AlphaRow(band.first + k);
      const std::uint64_t rowWeight = down.weights[band.weights + static_cast<std::size_t>(k)];
      for (std::size_t x = 0; x < across.spans.size(); ++x) {
        const AxisReduction::Span& span = across.spans[x];
        Sums s;
        for (int m = 0; m < span.count; ++m) {
          const base::Pixel p = src[span.first + m];
          const std::uint64_t a = opacity.Of(p, alpha, span.first + m);
          if (a == 0) continue;
          const std::uint64_t w = across.weights[span.weights + static_cast<std::size_t>(m)] * a;
          s.red += w * p.Red();
          s.green += w * p.Green();
          s.blue += w * p.Blue();
          s.cover += w;
        }
        row[x] = s;
      }
      for (std::size_t x = 0; x < sums.size(); ++x) {
        sums[x].red += rowWeight * row[x].red;
        sums[x].green += rowWeight * row[x].green;
        sums[x].blue += rowWeight * row[x].blue;
        sums[x].cover += rowWeight * row[x].cover;
      }
    }
    for (const Sums& s : sums) {
      const std::uint64_t alpha = RoundedDivide(s.cover * 255, total);
      if (alpha > 0) {
        // The average colour of the opaque part: premultiplied sums divided
        // by their coverage.
        dst[0] = static_cast<std::uint8_t>(RoundedDivide(s.red, s.cover));
        dst[1] = static_cast<std::uint8_t>(RoundedDivide(s.green, s.cover));
        dst[2] = static_cast<std::uint8_t>(RoundedDivide(s.blue, s.cover));
        dst[3] = static_cast<std::uint8_t>(alpha);
      }
      dst += 4;
    }
  }
  return out;
}

}  // namespace

ThumbnailSize ThumbnailSizeFor(int w, int h, int box) {
  const int longer = std::max(w, h);
  if (longer <= box) {
    const int factor = std::min(4, box / longer);
    return {w * factor, h * factor};
  }
  const auto scaled = [&](int side) {
    return static_cast<int>(std::max<std::int64_t>(1, (std::int64_t{side} * box + longer / 2) / longer));
  };
  return {scaled(w), scaled(h)};
}

RgbaImage ScaleForThumbnail(const PixelView& img, base::Pixel workArea, int box) {
  if (img.width <= 0 || img.height <= 0 || img.pixels == nullptr || img.stride < img.width || box < 1) {
    throw std::invalid_argument("ScaleForThumbnail: an empty picture or box");
  }
  const ThumbnailSize size = ThumbnailSizeFor(img.width, img.height, box);
  if (std::max(img.width, img.height) <= box) return Enlarge(img, workArea, size.width / img.width);
  return Reduce(img, workArea, size);
}

}  // namespace vorbel::codecs
