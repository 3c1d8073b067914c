// The render pass on the scenes whose speed matters: the usual small button
// (also with smooth edges),
// the same layers on a full-HD surface, a gradient caption, a large JPEG
// background stretched over a full-HD button (kept decoded from pass to pass),
// a bevel whose absurd pen width stays for the ellipse backgrounds of large
// buttons, and pictures named by many layers.
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
// The small button with smooth edges: drawn at four times the size and
// reduced. Goal: at most 100 microseconds.
void BM_SmallSmoothButton(benchmark::State& state) {
  document::ButtonDocument doc;
  Scene(doc, 90, 30, 8, false);
  doc.SetTransparencyRule(document::Transparency::Unpainted);
  doc.SetSmooth(true);
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

// One 1024 x 768 JPEG named by 200 image layers of a 400 x 300 button, each
// pass with a renderer of its own (nothing kept from earlier passes): the
// picture is decoded once and drawn 200 times.
void BM_OnePictureNamedBy200Layers(benchmark::State& state) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "vorbel-bench-named-200.jpg";
  std::vector<base::Pixel> px(1024 * 768, base::Pixel::FromRgb(200, 120, 40));
  codecs::WriteJpegFile(path.string(), codecs::PixelView{px.data(), 1024, 768, 1024});
  document::ButtonDocument doc;
  doc.SetWidth(400);
  doc.SetHeight(300);
  for (int i = 0; i < 200; ++i) {
    doc.AppendRow(document::LayerRow::Make("Image", "Image=" + path.string() + ";", std::to_string(-i), "0"));
  }
  for (auto _ : state) {
    render::ButtonRenderer renderer;
    renderer.RenderButton(doc);
    benchmark::DoNotOptimize(renderer.Surface().Data());
  }
  std::filesystem::remove(path);
}

// 120 bytes that declare a 10000 x 10000 RLE picture, named by 200 layers:
// refused by its header, beyond what a pass may decode.
void BM_OversizedPictureNamedBy200Layers(benchmark::State& state) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "vorbel-bench-oversized.bmp";
  std::vector<std::uint8_t> bmp(120, 0);
  const auto put = [&bmp](std::size_t at, std::uint32_t x) {
    for (std::size_t i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(10, 118);
  put(14, 40);
  put(18, 10000);
  put(22, 10000);
  put(26, 0x00040001);
  put(30, 2);
  bmp[119] = 1;
  if (std::FILE* f = std::fopen(path.string().c_str(), "wb")) {
    std::fwrite(bmp.data(), 1, bmp.size(), f);
    std::fclose(f);
  }
  document::ButtonDocument doc;
  for (int i = 0; i < 200; ++i) doc.AppendRow(document::LayerRow::Make("Image", "Image=" + path.string() + ";"));
  RenderScene(state, doc);
  std::filesystem::remove(path);
}

BENCHMARK(BM_SmallButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallSmoothButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullHdButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallGradientButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StretchedJpegBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugePenEllipseBackground)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HugePenShadedEllipseOnLargestButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePictureNamedBy200Layers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OversizedPictureNamedBy200Layers)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorbel
