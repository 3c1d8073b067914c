// Text drawing costs, most of them once fonts and captions are cached. Part of
// gdi_bench (the small scene with its caption is there too).

#include <benchmark/benchmark.h>

#include "gdi/canvas.h"
#include "gdi/font.h"

namespace {

using vorbel::base::Color;
using namespace vorbel::gdi;

constexpr const char* kCaption = "E-Mail me";

// The caption drawn the way a text layer draws it with a shadow and an
// outline: six copies, 8 points, onto a 90 x 30 button.
void BM_TextCaptionSixTimes(benchmark::State& state) {
  Bitmap surface(90, 30);
  Canvas canvas(surface);
  canvas.SetFontName("MS San Serif");
  canvas.SetFontSize(8);
  canvas.SetBkMode(BkMode::Transparent);
  canvas.TextOut(5, 5, kCaption);  // the font and the caption are cached from here on
  for (auto _ : state) {
    canvas.SetFontColor(Color::FromRgb(128, 128, 128));
    canvas.TextOut(12, 12, kCaption);
    canvas.SetFontColor(Color::FromRgb(0, 0, 0));
    canvas.TextOut(10, 10, kCaption);
    canvas.TextOut(8, 10, kCaption);
    canvas.TextOut(8, 8, kCaption);
    canvas.TextOut(10, 8, kCaption);
    canvas.SetFontColor(Color::FromRgb(255, 255, 255));
    canvas.TextOut(9, 9, kCaption);
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_TextCaptionSixTimes);

// One caption of `points` drawn at (x, y) on a w x h surface; with `warm` it
// is drawn once before timing, so fonts and glyphs come from the caches.
void DrawCaption(benchmark::State& state, int w, int h, int points, int x, int y, bool warm) {
  Bitmap surface(w, h);
  Canvas canvas(surface);
  canvas.SetFontName("MS San Serif");
  canvas.SetFontSize(points);
  canvas.SetBkMode(BkMode::Transparent);
  if (warm) canvas.TextOut(x, y, kCaption);
  for (auto _ : state) {
    canvas.TextOut(x, y, kCaption);
    benchmark::DoNotOptimize(surface.Data());
  }
}

// One caption at 48 points (an em of 64 pixels), larger than the surface.
void BM_TextCaption48Points(benchmark::State& state) { DrawCaption(state, 90, 30, 48, 5, 5, true); }
BENCHMARK(BM_TextCaption48Points);

// The 48-point caption on a surface that holds all of it.
void BM_TextCaption48PointsWhole(benchmark::State& state) { DrawCaption(state, 400, 80, 48, 5, 5, true); }
BENCHMARK(BM_TextCaption48PointsWhole);

// A caption whose glyphs are too large to keep (400 points, an em of 533
// pixels): rasterised on every draw, only where the surface shows them.
void BM_TextCaption400Points(benchmark::State& state) { DrawCaption(state, 90, 30, 400, -20, -300, false); }
BENCHMARK(BM_TextCaption400Points);

// Measuring a caption, as the text placement does.
void BM_TextExtent(benchmark::State& state) {
  Bitmap surface(90, 30);
  Canvas canvas(surface);
  canvas.SetFontName("MS San Serif");
  canvas.SetFontSize(12);
  for (auto _ : state) benchmark::DoNotOptimize(canvas.TextExtent(kCaption));
}
BENCHMARK(BM_TextExtent);

// A caption that is not cached yet: a new text every time (a new font size
// would also reopen the face).
void BM_TextUncachedCaption(benchmark::State& state) {
  Bitmap surface(90, 30);
  Canvas canvas(surface);
  canvas.SetFontName("MS San Serif");
  canvas.SetFontSize(8);
  canvas.SetBkMode(BkMode::Transparent);
  int n = 0;
  for (auto _ : state) {
    canvas.TextOut(5, 5, "Caption " + std::to_string(n++));
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_TextUncachedCaption);

// The first font of a run: fontconfig and the face are loaded on demand.
void BM_TextFirstFontOfASize(benchmark::State& state) {
  int size = 6;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetFont("MS San Serif", size));
    size = size >= 3000 ? 6 : size + 1;
  }
}
BENCHMARK(BM_TextFirstFontOfASize);

}  // namespace
