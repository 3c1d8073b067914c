// Costs of the canvas primitives at the sizes the program draws:
//   gdi_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cstring>

#include "gdi/canvas.h"

namespace vorbel::gdi {
namespace {

const base::Color kTeal = base::Color::FromRgb(0, 128, 128);
const base::Color kWhite = base::Color::FromRgb(255, 255, 255);
const base::Color kGrey = base::Color::FromRgb(128, 128, 128);
const base::Color kRed = base::Color::FromRgb(255, 0, 0);

// What one pass over a 90 x 30 button draws apart from its caption: the work
// area, a 3D rectangle (three rectangles), a bevel and a cross (twelve lines)
// and an ellipse filled from its centre.
void DrawSmallScene(Canvas& c) {
  const int w = 90, h = 30;
  c.SetBrushColor(kTeal);
  c.SetPenColor(kTeal);
  c.FillRect({0, 0, w, h});
  const base::Color rects[3] = {kWhite, kGrey, kRed};
  const int offsets[3] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    c.SetBrushColor(rects[i]);
    c.SetPenColor(rects[i]);
    c.Rectangle(offsets[i], offsets[i], w - 2 + offsets[i], h - 2 + offsets[i]);
  }
  c.SetPenColor(kWhite);
  c.MoveTo(0, h - 2);
  c.LineTo(0, 0);
  c.MoveTo(1, 0);
  c.LineTo(w - 1, 0);
  c.MoveTo(1, h - 3);
  c.LineTo(1, 1);
  c.LineTo(w - 2, 1);
  c.SetPenColor(kGrey);
  c.MoveTo(2, h - 2);
  c.LineTo(w - 2, h - 2);
  c.LineTo(w - 2, 1);
  c.MoveTo(2, h - 1);
  c.LineTo(w - 1, h - 1);
  c.MoveTo(w - 1, h - 2);
  c.LineTo(w - 1, 1);
  c.MoveTo(10, 5);
  c.LineTo(80, 25);
  c.MoveTo(10, 25);
  c.LineTo(80, 5);
  c.MoveTo(45, 2);
  c.LineTo(45, 28);
  c.MoveTo(3, 15);
  c.LineTo(87, 15);
  c.SetPenColor(kRed);
  c.SetBrushStyle(BrushStyle::Clear);
  c.Ellipse(0, 0, w, h);
  c.SetBrushColor(kRed);
  c.FloodFill(w / 2, h / 2, kRed);
}

void BM_SmallSceneShapes(benchmark::State& state) {
  Bitmap b(90, 30);
  Canvas c(b);
  for (auto _ : state) {
    DrawSmallScene(c);
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_SmallSceneShapes);

// The same pass with a text layer drawn on top as it is with a shadow and an
// outline: six copies of "E-Mail me" at 8 points in the face that stands for
// "MS San Serif", once the font and the caption are cached.
void BM_SmallSceneWithText(benchmark::State& state) {
  Bitmap b(90, 30);
  Canvas c(b);
  c.SetFontName("MS San Serif");
  c.SetFontSize(8);
  c.SetBkMode(BkMode::Transparent);
  c.TextOut(5, 5, "E-Mail me");
  const int copies[6][2] = {{12, 12}, {10, 10}, {8, 10}, {8, 8}, {10, 8}, {9, 9}};
  for (auto _ : state) {
    DrawSmallScene(c);
    for (const auto& at : copies) {
      c.SetFontColor(at[0] == 9 ? kWhite : kGrey);
      c.TextOut(at[0], at[1], "E-Mail me");
    }
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_SmallSceneWithText);

// The reference: one plain fill of a full-HD surface.
void BM_FillFullHd(benchmark::State& state) {
  Bitmap b(1920, 1080);
  Canvas c(b);
  bool odd = false;
  for (auto _ : state) {
    c.SetBrushColor(odd ? kRed : kTeal);
    c.FillRect(b.Bounds());
    odd = !odd;
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_FillFullHd)->Unit(benchmark::kMicrosecond);

// A flood fill of the whole full-HD surface with a colour other than its
// border colour (the fill alternates between two colours, so every run fills
// everything).
void BM_FloodFillFullHd(benchmark::State& state) {
  Bitmap b(1920, 1080);
  b.Fill(Pixel(0x008080));
  Canvas c(b);
  bool odd = false;
  for (auto _ : state) {
    c.SetBrushColor(odd ? kTeal : kWhite);
    c.FloodFill(960, 540, kRed);
    odd = !odd;
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_FloodFillFullHd)->Unit(benchmark::kMicrosecond);

// The background drawer's case: the fill colour is the border colour, inside
// an ellipse that covers the surface. The surface is restored untimed.
void BM_FloodFillFullHdInsideEllipse(benchmark::State& state) {
  Bitmap start(1920, 1080);
  start.Fill(Pixel(0x008080));
  Canvas s(start);
  s.SetPenColor(kRed);
  s.SetBrushStyle(BrushStyle::Clear);
  s.Ellipse(0, 0, 1920, 1080);
  Bitmap b = start;
  Canvas c(b);
  c.SetBrushColor(kRed);
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(b.Data(), start.Data(), sizeof(Pixel) * 1920 * 1080);
    state.ResumeTiming();
    c.FloodFill(960, 540, kRed);
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_FloodFillFullHdInsideEllipse)->Unit(benchmark::kMicrosecond);

// A wide pen on a large shape, with the brush solid. The argument is the pen
// width; 2147483647 is what a bevel's Pen key can set, and the width then
// stays for the background's ellipse.
template <class Draw>
void WidePenOn6000x2000(benchmark::State& state, Draw draw) {
  Bitmap b(6000, 2000);
  Canvas c(b);
  c.SetPenWidth(static_cast<int>(state.range(0)));
  bool odd = false;
  for (auto _ : state) {
    c.SetPenColor(odd ? kRed : kWhite);
    c.SetBrushColor(odd ? kTeal : kGrey);
    draw(c);
    odd = !odd;
    benchmark::DoNotOptimize(b.Data());
  }
}

// The ellipse's outline has some 16000 one-pixel segments.
void BM_WidePenEllipse6000x2000(benchmark::State& state) {
  WidePenOn6000x2000(state, [](Canvas& c) { c.Ellipse(0, 0, 6000, 2000); });
}
BENCHMARK(BM_WidePenEllipse6000x2000)
    ->Arg(1)->Arg(2)->Arg(3)->Arg(5)->Arg(10)->Arg(100)->Arg(1000)->Arg(2147483647)
    ->Unit(benchmark::kMillisecond);

void BM_WidePenRoundRect6000x2000(benchmark::State& state) {
  WidePenOn6000x2000(state, [](Canvas& c) { c.RoundRect(0, 0, 6000, 2000, 400, 300); });
}
BENCHMARK(BM_WidePenRoundRect6000x2000)->Arg(2)->Arg(10)->Arg(2147483647)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorbel::gdi
