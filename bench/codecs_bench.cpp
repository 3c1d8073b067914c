// Costs of decoding pictures, which every render pass does anew, and of the
// export writers at the largest button sizes:
//   files_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "codecs/gif_lzw.h"
#include "codecs/image_writers.h"
#include "codecs/picture.h"
#include "codecs/web_palette.h"

namespace vorbel {
namespace {

constexpr base::Pixel kTeal{0x008080};

// A photograph-like picture: smooth gradients with a little fixed-seed noise,
// which is what JPEG pictures on buttons usually hold.
std::vector<base::Pixel> Photo(int w, int h) {
  std::vector<base::Pixel> px(static_cast<std::size_t>(w) * h);
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const std::uint32_t noise = (seed >> 28) & 7;
      const std::uint32_t r = (x * 255 / w + noise) & 0xFF, g = (y * 255 / h + noise) & 0xFF,
                          b = ((x + y) * 127 / (w + h) + 64) & 0xFF;
      px[static_cast<std::size_t>(y) * w + x] = base::Pixel(r << 16 | g << 8 | b);
    }
  return px;
}

// A button as the render pass draws it: work area at the corners, an ellipse
// with a gradient face, a frame and a block of "text" in a solid colour.
std::vector<base::Pixel> Button(int w, int h) {
  std::vector<base::Pixel> px(static_cast<std::size_t>(w) * h, kTeal);
  const double cx = w / 2.0, cy = h / 2.0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x - cx) / cx, dy = (y - cy) / cy;
      base::Pixel& p = px[static_cast<std::size_t>(y) * w + x];
      if (dx * dx + dy * dy <= 1.0) p = base::Pixel(static_cast<std::uint32_t>(200 - y * 100 / h) << 16 | 0x2040);
      if (y > h / 3 && y < 2 * h / 3 && x > w / 4 && x < 3 * w / 4 && (x / 7 + y / 5) % 3 == 0) {
        p = base::Pixel(0xFFFFFF);
      }
    }
  return px;
}

void BM_DecodeJpeg1024x768(benchmark::State& state) {
  const auto px = Photo(1024, 768);
  const std::vector<std::uint8_t> file = codecs::EncodeJpeg(codecs::PixelView{px.data(), 1024, 768, 1024});
  for (auto _ : state) {
    codecs::Picture pic = codecs::DecodeJpeg(file);
    benchmark::DoNotOptimize(pic.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_DecodeJpeg1024x768)->Unit(benchmark::kMillisecond);

void BM_DecodeBmp24_1024x768(benchmark::State& state) {
  const auto px = Photo(1024, 768);
  const std::vector<std::uint8_t> file = codecs::EncodeBmp(codecs::PixelView{px.data(), 1024, 768, 1024});
  for (auto _ : state) {
    codecs::Picture pic = codecs::DecodeBmp(file);
    benchmark::DoNotOptimize(pic.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_DecodeBmp24_1024x768)->Unit(benchmark::kMillisecond);

// The GIF writer at the largest size a button is expected to have, without
// the file system: reduction, table, LZW.
void BM_EncodeGif1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  const codecs::PixelView view{px.data(), 1920, 1080, 1920};
  for (auto _ : state) {
    auto bytes = codecs::EncodeGif(view, kTeal);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_EncodeGif1920x1080)->Unit(benchmark::kMillisecond);

void BM_ReduceToWebPalette1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  const codecs::PixelView view{px.data(), 1920, 1080, 1920};
  for (auto _ : state) {
    codecs::IndexedImage out = codecs::ReduceToWebPalette(view, kTeal);
    benchmark::DoNotOptimize(out.indices.data());
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_ReduceToWebPalette1920x1080)->Unit(benchmark::kMillisecond);

void BM_CompressGifLzw1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  const codecs::IndexedImage indexed =
      codecs::ReduceToWebPalette(codecs::PixelView{px.data(), 1920, 1080, 1920}, kTeal);
  const int codeSize = indexed.BitsPerPixel() < 2 ? 2 : indexed.BitsPerPixel();
  for (auto _ : state) {
    auto bytes = codecs::CompressGifLzw(indexed.indices.data(), indexed.indices.size(), codeSize);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_CompressGifLzw1920x1080)->Unit(benchmark::kMillisecond);

void BM_EncodeBmp1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  for (auto _ : state) {
    auto bytes = codecs::EncodeBmp(codecs::PixelView{px.data(), 1920, 1080, 1920});
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodeBmp1920x1080)->Unit(benchmark::kMillisecond);

void BM_EncodeJpeg1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  for (auto _ : state) {
    auto bytes = codecs::EncodeJpeg(codecs::PixelView{px.data(), 1920, 1080, 1920});
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodeJpeg1920x1080)->Unit(benchmark::kMillisecond);

void BM_EncodePng1920x1080(benchmark::State& state) {
  const auto px = Button(1920, 1080);
  for (auto _ : state) {
    auto bytes = codecs::EncodePng(codecs::PixelView{px.data(), 1920, 1080, 1920}, kTeal);
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_EncodePng1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorbel
