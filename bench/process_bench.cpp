// `vorbel --export` as a whole process, the way file managers and scripts run
// it: one start per picture. Each iteration starts the program and waits for
// it, so the figures include the system's cost of starting any process; the
// time is the wall-clock time (this process itself is idle meanwhile).
//
//   build/bench/process_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
//
// Small buttons are timed with and without a caption, with smooth edges (at
// most 1.5 times the time without), and with the caption
// but no usable font record (every run loads the font configuration); the
// full-HD button is timed against a Cairo program drawing the same button
// (cairo_button.c), when Cairo was found at build time. The thumbnail of each
// example, at the sizes file managers ask for most, is timed beside its export
// (Thumbnail/<example>/<size>, Export/<example>), and the thumbnail of 4 MB of
// the heaviest text a layout can ask for. Set VORBEL_BENCH_PROGRAM to
// time another build of vorbel.
//
// The full-HD GIF export is also measured by its processor time against the
// Cairo program's, in pairs (the more seconds, the more pairs):
//   build/bench/process_bench --benchmark_filter=GifCpu --benchmark_min_time=3

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kBackground =
    "[Layer0]\nType=Background\n"
    "Properties=Color=clNavy;Shape=RoundRect;Seed=10;Draw3D=Yes;Highlight=clAqua;ShadowClr=clBlack;\n"
    "X=\nY=\nVisible=0\n";

// A scratch folder with the layouts, and the font record the runs share.
class Workspace {
 public:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "vorbel-process-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    root_ = pattern;
    Write("plain.vrb", std::string("[Button]\nHeight=30\nWidth=90\nWorkArea=16777215\nLayers=1\n") + kBackground);
    Write("text.vrb", std::string("[Button]\nHeight=30\nWidth=90\nWorkArea=16777215\nLayers=2\n") + kBackground +
                          "[Layer1]\nType=Text\n"
                          "Properties=Text=Home;FontFace=DejaVu Sans;FontSize=10;Color=clWhite;Shadowed=Yes;"
                          "ShadowOffset=1;ShadowColor=clBlack;\nX=26\nY=2\nVisible=0\n");
    // The text button with smooth edges: its export may take at most 1.5
    // times that of the button without them.
    Write("smooth.vrb", std::string("[Button]\nHeight=30\nWidth=90\nWorkArea=16777215\nLayers=2\n"
                                    "Transparency=Unpainted\nSmooth=Yes\n") +
                            kBackground +
                            "[Layer1]\nType=Text\n"
                            "Properties=Text=Home;FontFace=DejaVu Sans;FontSize=10;Color=clWhite;Shadowed=Yes;"
                            "ShadowOffset=1;ShadowColor=clBlack;\nX=26\nY=2\nVisible=0\n");
    // The button of cairo_button.c.
    Write("full-hd.vrb",
          "[Button]\nHeight=1080\nWidth=1920\nWorkArea=16777215\nLayers=3\n"
          "[Layer0]\nType=Background\n"
          "Properties=Color=clSilver;Shape=RoundRect;Seed=10;Draw3D=Yes;Highlight=clWhite;ShadowClr=clGray;\n"
          "X=\nY=\nVisible=0\n"
          "[Layer1]\nType=Bevel\nProperties=Highlight=clWhite;Shadow=clGray;Pen=1;\nX=\nY=\nVisible=0\n"
          "[Layer2]\nType=Text\n"
          "Properties=Text=E-Mail me;FontFace=DejaVu Sans;FontSize=48;Color=clBlack;Shadowed=Yes;ShadowOffset=2;"
          "ShadowColor=clSilver;Outlined=Yes;OutlineColor=clWhite;\nX=10\nY=4\nVisible=0\n");
    // Text that asks as much as a thumbnail's layout file can: 4 MB of long,
    // large, turned captions with shadow, outline and gradient. Its
    // thumbnail is drawn as far as the budget goes, well within a second.
    std::string heavy = "[Button]\nHeight=60\nWidth=200\nLayers=7900\n";
    for (int i = 0; i < 7900; ++i) {
      heavy += "[Layer" + std::to_string(i) + "]\nType=Text\nProperties=Text=" + std::string(400, 'W') +
               ";FontFace=DejaVu Sans;FontSize=200;Angle=3;Shadowed=Y;Outlined=Y;Gradient=Y;\nVisible=0\n";
    }
    Write("heavy-text.vrb", heavy);
  }
  ~Workspace() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string File(const std::string& name) const { return (root_ / name).string(); }

 private:
  void Write(const std::string& name, const std::string& text) { std::ofstream(root_ / name) << text; }
  fs::path root_;
};

const Workspace& Files() {
  static const Workspace workspace;
  return workspace;
}

bool Overrides(const std::string& entry, const std::vector<std::string>& settings) {
  for (const std::string& setting : settings) {
    const std::size_t name = setting.find('=') + 1;
    if (entry.compare(0, name, setting, 0, name) == 0) return true;
  }
  return false;
}

// Runs the program to its end with the environment changed by `settings`
// ("NAME=value" each). Returns its exit status; `cpuSeconds`, when given,
// receives the processor time it took (user and system).
int Run(const std::vector<std::string>& argv, const std::vector<std::string>& settings, double* cpuSeconds = nullptr) {
  std::vector<std::string> env = settings;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!Overrides(*entry, settings)) env.emplace_back(*entry);
  }
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) return -1;
  int status = 0;
  struct rusage usage {};
  while (::wait4(pid, &status, 0, &usage) < 0) {
  }
  if (cpuSeconds != nullptr) {
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * t.tv_usec; };
    *cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void RunEach(benchmark::State& state, const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  if (Run(argv, env) != 0) {  // also makes the font record
    state.SkipWithError("the program failed");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Run(argv, env));
}

// The program timed: this build's, or another one named by
// $VORBEL_BENCH_PROGRAM, to compare builds.
std::string Program() {
  const char* other = std::getenv("VORBEL_BENCH_PROGRAM");
  return other != nullptr && *other != '\0' ? other : VORBEL_PROGRAM;
}

std::vector<std::string> Export(const std::string& out, const std::string& layout) {
  return {Program(), "--export", Files().File(out), Files().File(layout)};
}

// The font record lives in the workspace; "/dev/null/..." can be neither
// read nor made, so runs with it load the font configuration every time.
const std::vector<std::string> kRecord = {"XDG_CACHE_HOME=" + Files().File("cache")};
const std::vector<std::string> kNoRecord = {"XDG_CACHE_HOME=/dev/null/cache"};

void BM_Version(benchmark::State& state) { RunEach(state, {Program(), "--version"}, kRecord); }
void BM_ExportSmallWithoutText(benchmark::State& state) { RunEach(state, Export("plain.png", "plain.vrb"), kRecord); }
void BM_ExportSmallText(benchmark::State& state) { RunEach(state, Export("text.png", "text.vrb"), kRecord); }
void BM_ExportSmallSmoothText(benchmark::State& state) { RunEach(state, Export("smooth.png", "smooth.vrb"), kRecord); }
void BM_ExportSmallTextWithoutFontRecord(benchmark::State& state) {
  RunEach(state, Export("text.png", "text.vrb"), kNoRecord);
}
void BM_ExportFullHdPng(benchmark::State& state) { RunEach(state, Export("full-hd.png", "full-hd.vrb"), kRecord); }
void BM_ExportFullHdGif(benchmark::State& state) { RunEach(state, Export("full-hd.gif", "full-hd.vrb"), kRecord); }
void BM_ThumbnailHeavyText(benchmark::State& state) {
  RunEach(state, {Program(), "--thumbnail", "256", Files().File("heavy-text.vrb"), Files().File("heavy.png")},
          kRecord);
}
#ifdef CAIRO_BUTTON_PROGRAM
void BM_CairoFullHdPng(benchmark::State& state) {
  RunEach(state, {CAIRO_BUTTON_PROGRAM, Files().File("cairo.png")}, {});
}
void BM_CairoFullHdGif(benchmark::State& state) {
  RunEach(state, {CAIRO_BUTTON_PROGRAM, Files().File("cairo.gif")}, {});
}

// The full-HD GIF export against the Cairo program writing the same button
// as a GIF, run in pairs one right after the other so that both meet the same
// load: "ratio" is the median over the pairs of our processor time (user and
// system) divided by the Cairo program's. Goal: at most 0.35.
void BM_FullHdGifCpuAgainstCairo(benchmark::State& state) {
  const std::vector<std::string> ours = Export("full-hd.gif", "full-hd.vrb");
  const std::vector<std::string> yardstick = {CAIRO_BUTTON_PROGRAM, Files().File("cairo.gif")};
  if (Run(ours, kRecord) != 0 || Run(yardstick, {}) != 0) {
    state.SkipWithError("a program failed");
    return;
  }
  std::vector<double> ratios, oursCpu, theirsCpu;
  for (auto _ : state) {
    double a = 0, b = 0;
    // Alternating which goes first keeps a trend in the load from favouring
    // either.
    if (ratios.size() % 2 == 0) {
      Run(ours, kRecord, &a);
      Run(yardstick, {}, &b);
    } else {
      Run(yardstick, {}, &b);
      Run(ours, kRecord, &a);
    }
    oursCpu.push_back(a);
    theirsCpu.push_back(b);
    ratios.push_back(b > 0 ? a / b : 0);
  }
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  state.counters["ratio"] = median(ratios);
  state.counters["vorbel_cpu_ms"] = 1e3 * median(oursCpu);
  state.counters["cairo_cpu_ms"] = 1e3 * median(theirsCpu);
}
#endif

BENCHMARK(BM_Version)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportSmallWithoutText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportSmallText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportSmallSmoothText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportSmallTextWithoutFontRecord)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFullHdPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFullHdGif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ThumbnailHeavyText)->Unit(benchmark::kMillisecond)->UseRealTime();
#ifdef CAIRO_BUTTON_PROGRAM
BENCHMARK(BM_CairoFullHdPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CairoFullHdGif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullHdGifCpuAgainstCairo)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

// As a file manager runs the thumbnailer: once per file, the layout's pictures
// found beside it.
[[maybe_unused]] const bool kExamplesRegistered = [] {
  std::vector<fs::path> examples;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(VORBEL_EXAMPLES)) {
    if (entry.path().extension() == ".vrb") examples.push_back(entry.path());
  }
  std::sort(examples.begin(), examples.end());
  for (const fs::path& example : examples) {
    const std::string name = example.stem().string();
    for (const int size : {128, 256}) {
      const std::vector<std::string> argv = {Program(), "--thumbnail", std::to_string(size), example.string(),
                                             Files().File(name + ".png")};
      benchmark::RegisterBenchmark(("Thumbnail/" + name + "/" + std::to_string(size)).c_str(),
                                   [argv](benchmark::State& state) { RunEach(state, argv, kRecord); })
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
    const std::vector<std::string> argv = {Program(), "--export", Files().File(name + ".gif"), example.string()};
    benchmark::RegisterBenchmark(("Export/" + name).c_str(),
                                 [argv](benchmark::State& state) { RunEach(state, argv, kRecord); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
