// Exporting a drawn button: the render pass that every GIF and PNG export
// runs, the colour reduction and encoding, and the safe write of the file.
//
//   build/bench/export_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "codecs/image_writers.h"
#include "commands/button_set.h"
#include "commands/export.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace vorbel {
namespace {

// A full-HD button: 3D rounded background, a bevel of pen width 1 and a
// 48-point caption with shadow and outline.
void FullHdScene(document::ButtonDocument& doc) {
  doc.SetWidth(1920);
  doc.SetHeight(1080);
  doc.AppendRow(document::LayerRow::Make("Background",
                               "Color=clSilver;Shape=RoundRect;Seed=10;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;"));
  doc.AppendRow(document::LayerRow::Make("Bevel", "Highlight=clWhite;Shadow=clGray;Pen=1;"));
  doc.AppendRow(document::LayerRow::Make("Text",
                               "Text=E-Mail me;FontFace=DejaVu Sans;FontSize=48;Color=clBlack;Shadowed=Yes;"
                               "ShadowOffset=2;ShadowColor=clSilver;Outlined=Yes;OutlineColor=clWhite;",
                               "10", "4"));
}

class ScratchFile {
 public:
  explicit ScratchFile(const std::string& name)
      : path_((std::filesystem::temp_directory_path() / ("vorbel-export-bench-" + name)).string()) {}
  ~ScratchFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// ExportButton as the Export command runs it: a render pass, then the file.
void ExportScene(benchmark::State& state, const std::string& extension) {
  document::ButtonDocument doc;
  FullHdScene(doc);
  render::ButtonRenderer renderer;
  renderer.RenderButton(doc);  // fonts matched and glyphs cached once
  const ScratchFile file("full-hd" + extension);
  for (auto _ : state) commands::ExportButton(doc, renderer, file.path());
}

void BM_ExportFullHdGif(benchmark::State& state) { ExportScene(state, ".gif"); }
void BM_ExportFullHdPng(benchmark::State& state) { ExportScene(state, ".png"); }
void BM_ExportFullHdBmp(benchmark::State& state) { ExportScene(state, ".bmp"); }

// The pass and the GIF encoding alone, without the file system.
void BM_RenderAndEncodeFullHdGif(benchmark::State& state) {
  document::ButtonDocument doc;
  FullHdScene(doc);
  render::ButtonRenderer renderer;
  renderer.RenderButton(doc);
  for (auto _ : state) {
    renderer.RenderButton(doc);
    const gdi::Bitmap& s = renderer.Surface();
    benchmark::DoNotOptimize(codecs::EncodeGif({s.Data(), s.Width(), s.Height(), s.Width()}, base::Pixel(0x008080)));
  }
}

// What `vorbel --export` does in process: read the layout, draw, write a GIF.
void BM_LoadAndExportSmallGif(benchmark::State& state) {
  const ScratchFile layout("small.vrb");
  {
    document::ButtonDocument doc;
    doc.SetWidth(130);
    doc.SetHeight(34);
    doc.AppendRow(document::LayerRow::Make("Background", "Color=clNavy;Shape=RoundRect;Seed=14;Draw3D=Yes;"));
    doc.AppendRow(document::LayerRow::Make(
        "Text", "Text=Welcome;FontFace=DejaVu Sans;FontSize=12;Color=clWhite;Shadowed=Yes;", "26", "2"));
    layout::SaveLayout(doc, layout.path());
  }
  const ScratchFile out("small.gif");
  for (auto _ : state) {
    document::ButtonDocument doc;
    render::ButtonRenderer renderer;
    layout::LoadLayout(doc, layout.path(), [&] { renderer.RenderButton(doc); }, layout::MissingLayout::IsAnError);
    commands::ExportButton(doc, renderer, out.path());
  }
}

// The navigation set of the examples: a rounded 3D background and a centred
// caption with a shadow, 110 x 28 pixels.
void NavigationLayout(document::ButtonDocument& doc) {
  doc.SetWidth(110);
  doc.SetHeight(28);
  doc.SetWorkAreaColor(base::Color::FromRgb(255, 255, 255));
  doc.AppendRow(document::LayerRow::Make(
      "Background", "Color=clTeal;Shape=RoundRect;Seed=10;Draw3D=Yes;Highlight=clAqua;ShadowClr=clNavy;"));
  doc.AppendRow(document::LayerRow::Make("Text",
                                         "Text=Home;FontFace=DejaVu Sans;FontSize=10;Color=clWhite;Shadowed=Yes;"
                                         "ShadowOffset=1;ShadowColor=clNavy;Angle=0;Align=5;",
                                         "36", "-1"));
}

commands::SetOptions TwentyCaptions() {
  commands::SetOptions options;
  options.captions = {"Home",     "Products", "Contact", "About us", "Blog",  "News",     "Services",
                      "Pricing",  "Support",  "Careers", "Team",     "Press", "Partners", "Docs",
                      "Download", "Log in",   "Sign up", "FAQ",      "Shop",  "Events"};
  options.states = {render::ButtonState::Normal, render::ButtonState::Hover, render::ButtonState::Pressed};
  options.scales = {1, 2};
  options.sprite = true;
  return options;
}

// Writes the set into `folder` and returns the number of files.
int ExportNavigationSet(const document::ButtonDocument& doc, const std::filesystem::path& folder) {
  commands::ButtonSet set(doc, TwentyCaptions());
  commands::SetWriter writer(set, folder.string());
  while (!writer.Done()) writer.WriteStep();
  return writer.FilesWritten();
}

// New, empty folders for the set, one per iteration, all removed only when
// the program ends. Removing the last iteration's 125 files right before the
// next would measure what no user meets: ext4 without a journal (as on the
// development machine) passes over every inode deleted in the last minute or
// more for each file it creates, which made a fifth of the processor time. For
// the same reason a run right after another (or after other large removals in
// the temporary folder) measures more.
class FreshFolders {
 public:
  FreshFolders()
      : root_(std::filesystem::temp_directory_path() /
              ("vorbel-set-bench-" + std::to_string(static_cast<long>(::getpid())))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directory(root_);
  }
  ~FreshFolders() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  FreshFolders(const FreshFolders&) = delete;
  FreshFolders& operator=(const FreshFolders&) = delete;
  std::filesystem::path Next() { return root_ / std::to_string(next_++); }

 private:
  std::filesystem::path root_;
  int next_ = 0;
};

// The goal: one process writes a set of 20 captions in 3 states at 1x and
// 2x (120 PNG files, 2 sprite sheets, the style sheet and the page) in under
// 60 ms of processor time. This is that set from a loaded layout to the last
// file, the plan included, into a new folder (made by the set writer, as for
// a user).
void BM_ExportNavigationSet(benchmark::State& state) {
  document::ButtonDocument doc;
  NavigationLayout(doc);
  static FreshFolders folders;
  int files = 0;
  for (auto _ : state) files = ExportNavigationSet(doc, folders.Next());
  state.counters["files"] = files;
}

// The same set written again over the files of the last time: the same
// processor time, but about 0.3 s of wall time on ext4, which flushes each
// file renamed over another.
void BM_ExportNavigationSetAgain(benchmark::State& state) {
  document::ButtonDocument doc;
  NavigationLayout(doc);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorbel-set-bench-again";
  ExportNavigationSet(doc, folder);
  for (auto _ : state) ExportNavigationSet(doc, folder);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

// Its parts: the plan (measuring the captions), and drawing every button
// without encoding or writing anything.
void BM_PlanNavigationSet(benchmark::State& state) {
  document::ButtonDocument doc;
  NavigationLayout(doc);
  for (auto _ : state) benchmark::DoNotOptimize(commands::ButtonSet(doc, TwentyCaptions()).Width());
}

void BM_DrawNavigationSet(benchmark::State& state) {
  document::ButtonDocument doc;
  NavigationLayout(doc);
  commands::ButtonSet set(doc, TwentyCaptions());
  for (auto _ : state) {
    for (int button = 0; button < set.ButtonCount(); ++button) {
      for (int scale : set.Options().scales) {
        for (render::ButtonState look : set.Options().states) benchmark::DoNotOptimize(set.Draw(button, look, scale));
      }
    }
  }
}

BENCHMARK(BM_ExportNavigationSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportNavigationSetAgain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanNavigationSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawNavigationSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFullHdGif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFullHdPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFullHdBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAndEncodeFullHdGif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndExportSmallGif)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorbel
