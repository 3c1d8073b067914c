// Text drawing costs, most of them once fonts and captions are cached. Part of
// gdi_bench (the small scene with its caption is there too).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "base/text_encoding.h"
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

// A new 20-character caption every time, of letters of one script: Latin
// (laid out by the classic rules), Arabic (shaped and laid out right to left)
// or Chinese (from a fallback font). The fonts and glyphs are warm; the
// layout, the shaping and the assembly of the caption's pixels are timed.
void BM_TextNew20CharacterCaption(benchmark::State& state) {
  static const std::u32string kLetters[] = {
      U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
      U"\u0627\u0628\u062A\u062B\u062C\u062D\u062E\u062F\u0630\u0631\u0632\u0633\u0634\u0635\u0636\u0637"
      U"\u0638\u0639\u063A\u0641\u0642\u0643\u0644\u0645\u0646\u0647\u0648\u064A",
      U"\u7684\u4E00\u662F\u4E0D\u4E86\u4EBA\u6211\u5728\u6709\u4ED6\u8FD9\u4E2D\u5927\u6765\u4E0A\u56FD"
      U"\u4E2A\u5230\u8BF4\u4EEC\u4E3A\u5B50\u548C\u4F60\u5730\u51FA\u9053\u4E5F\u65F6\u5E74"};
  const std::u32string& letters = kLetters[state.range(0)];
  Bitmap surface(400, 40);
  Canvas canvas(surface);
  canvas.SetFontName("DejaVu Sans");
  canvas.SetFontSize(10);
  canvas.SetBkMode(BkMode::Transparent);
  std::uint32_t seed = 1;
  const auto caption = [&] {
    std::u32string text;
    for (int i = 0; i < 20; ++i) {
      seed = seed * 1664525u + 1013904223u;
      text += letters[(seed >> 16) % letters.size()];
    }
    return vorbel::base::EncodeUtf8(text);
  };
  for (int i = 0; i < 200; ++i) canvas.TextOut(5, 5, caption());  // every glyph drawn once
  for (auto _ : state) {
    canvas.TextOut(5, 5, caption());
    benchmark::DoNotOptimize(surface.Data());
  }
}
BENCHMARK(BM_TextNew20CharacterCaption)->ArgName("script")->Arg(0)->Arg(1)->Arg(2);

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
