// The render pass on the scenes whose speed matters: the usual small button,
// the same layers on a full-HD surface, a gradient caption, a large JPEG
// background stretched over a full-HD button, and a bevel whose absurd pen
// width stays for the ellipse backgrounds of large buttons.
//
//   build/bench/render_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "codecs/image_writers.h"
#include "document/button_document.h"
#include "render/button_renderer.h"

namespace vorbel {
namespace {

void Scene(document::ButtonDocument& doc, int w, int h, int fontSize, bool gradient) {
  doc.SetWidth(w);
  doc.SetHeight(h);
  doc.AppendRow(document::LayerRow::Make(
      "Background",
      "Color=clSilver;Image=;Stretch=Yes;Transparent=No;Shape=RoundRect;Seed=10;EdgeDraw=No;Edge=clBlack;"
      "Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;"));
  doc.AppendRow(document::LayerRow::Make("Bevel", "Highlight=clWhite;Shadow=clGray;Pen=1;"));
  doc.AppendRow(document::LayerRow::Make(
      "Text", "Text=E-Mail me;FontFace=MS San Serif;FontSize=" + std::to_string(fontSize) +
                  ";Color=clBlack;Shadowed=Yes;ShadowOffset=2;ShadowColor=clSilver;Outlined=Yes;"
                  "OutlineColor=clWhite;Gradient=" +
                  (gradient ? "Yes" : "No") + ";GradientStart=clLime;GradientEnd=clYellow;Angle=0;",
      "10", "4"));
}

void RenderScene(benchmark::State& state, const document::ButtonDocument& doc) {
  render::ButtonRenderer renderer;
  renderer.RenderButton(doc);  // fonts matched and glyphs cached once
  for (auto _ : state) {
    renderer.RenderButton(doc);
    benchmark::DoNotOptimize(renderer.Surface().Data());
  }
}

void BM_SmallButton(benchmark::State& state) {
  document::ButtonDocument doc;
  Scene(doc, 90, 30, 8, false);
  RenderScene(state, doc);
}
void BM_FullHdButton(benchmark::State& state) {
  document::ButtonDocument doc;
  Scene(doc, 1920, 1080, 48, false);
  RenderScene(state, doc);
}
void BM_SmallGradientButton(benchmark::State& state) {
  document::ButtonDocument doc;
  Scene(doc, 90, 30, 8, true);
  RenderScene(state, doc);
}

void BM_StretchedJpegBackground(benchmark::State& state) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "vorbel-bench-1024x768.jpg";
  std::vector<base::Pixel> px(1024 * 768);
  for (int y = 0; y < 768; ++y)
    for (int x = 0; x < 1024; ++x)
      px[static_cast<std::size_t>(y * 1024 + x)] =
          base::Pixel(static_cast<std::uint32_t>(((x * 255 / 1023) << 16) | ((y * 255 / 767) << 8) | ((x ^ y) & 0xFF)));
  codecs::WriteJpegFile(path.string(), codecs::PixelView{px.data(), 1024, 768, 1024});
  document::ButtonDocument doc;
  doc.SetWidth(1920);
  doc.SetHeight(1080);
  doc.AppendRow(document::LayerRow::Make("Background", "Color=clSilver;Stretch=Yes;Image=" + path.string() + ";"));
  RenderScene(state, doc);
  std::filesystem::remove(path);
}

// A bevel sets the pen width to 2147483647, and the width stays for the
// background's ellipse in the same pass: on 6000 x 2000 a plain ellipse
// filled from its centre, on the largest button, 32767 x 3051, a shaded one
// (three ellipses).
void HugePenUnderEllipse(benchmark::State& state, int w, int h, const std::string& background) {
  document::ButtonDocument doc;
  doc.SetWidth(w);
  doc.SetHeight(h);
  doc.AppendRow(document::LayerRow::Make("Bevel", "Highlight=clWhite;Shadow=clGray;Pen=2147483647;"));
  doc.AppendRow(document::LayerRow::Make("Background", background));
  RenderScene(state, doc);
}
void BM_HugePenEllipseBackground(benchmark::State& state) {
  HugePenUnderEllipse(state, 6000, 2000, "Color=clRed;Shape=Ellipse;");
}
void BM_HugePenShadedEllipseOnLargestButton(benchmark::State& state) {
  HugePenUnderEllipse(state, 32767, 3051, "Color=clRed;Shape=Ellipse;Draw3D=Yes;");
}

BENCHMARK(BM_SmallButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullHdButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallGradientButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchedJpegBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugePenEllipseBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugePenShadedEllipseOnLargestButton)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorbel
