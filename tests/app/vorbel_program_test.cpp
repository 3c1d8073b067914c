// The `vorbel` program run as a whole: what it prints, its exit status and the
// files it leaves.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codecs/thumbnail_scaler.h"
#include "commands/export.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"
#include "support/test_support.h"

extern char** environ;

namespace vorbel::app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLayout =
    "[Button]\r\nHeight=24\r\nWidth=70\r\nWorkArea=8421376\r\nLayers=2\r\n"
    "[Layer0]\r\nType=Background\r\nProperties=Color=clWhite;Shape=Ellipse;Draw3D=No;\r\nX=\r\nY=\r\nVisible=0\r\n"
    "[Layer1]\r\nType=Bevel\r\nProperties=Highlight=clSilver;Shadow=clNavy;Pen=1;\r\nX=\r\nY=\r\nVisible=0\r\n";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class Scratch {
 public:
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "vorbel-app-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
  long max_rss_kb = 0;  // the most memory the program held
};

// Runs `program` with the arguments, standard output and error captured, in
// the working folder `folder` (this process's own when empty), with standard
// input read from the file `input` when given.
RunResult RunProgram(const Scratch& scratch, const std::string& program, const std::vector<std::string>& args,
                     const std::string& folder = {}, const std::string& input = {}) {
  const std::string outFile = scratch.File(".stdout");
  const std::string errFile = scratch.File(".stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!input.empty()) posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  RunResult run;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.max_rss_kb = usage.ru_maxrss;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadFile(outFile);
  run.err = ReadFile(errFile);
  fs::remove(outFile);
  fs::remove(errFile);
  return run;
}

RunResult Vorbel(const Scratch& scratch, const std::vector<std::string>& args, const std::string& folder = {},
                 const std::string& input = {}) {
  return RunProgram(scratch, VORBEL_PROGRAM, args, folder, input);
}

// The examples name their pictures relative to themselves: they draw alike
// from any working folder, and a copy without the pictures beside it draws
// without them. Every run gives the same bytes.
TEST(VorbelProgram, ExamplesDrawAlikeFromAnyWorkingFolder) {
  Scratch s;
  const fs::path examples = VORBEL_EXAMPLES;
  int withPictures = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(examples)) {
    if (entry.path().extension() != ".vrb") continue;
    const std::string name = entry.path().stem().string();
    const auto exportFrom = [&](const std::string& layout, const fs::path& folder, const std::string& out) {
      const RunResult run = Vorbel(s, {"--export", s.File(out), layout}, folder.string());
      EXPECT_EQ(run.status, 0) << name << ": " << run.err;
      EXPECT_EQ(run.err, "") << name;
      return ReadFile(s.File(out));
    };
    const std::string fromRoot = exportFrom(entry.path().string(), examples.parent_path(), name + "-root.png");
    EXPECT_EQ(exportFrom(entry.path().string(), s.path(), name + "-elsewhere.png"), fromRoot) << name;
    EXPECT_EQ(exportFrom(entry.path().string(), s.path(), name + "-again.png"), fromRoot) << name;
    if (ReadFile(entry.path()).find("Image=../") == std::string::npos) continue;
    ++withPictures;
    fs::copy_file(entry.path(), s.File(name + ".vrb"));
    EXPECT_NE(exportFrom(s.File(name + ".vrb"), examples.parent_path(), name + "-alone.png"), fromRoot) << name;
  }
  EXPECT_GE(withPictures, 3);

  // The navigation set from its captions file: the layout's own caption
  // ("Products") is placed where the layout has it, so its button is the
  // layout's own export.
  const fs::path set = examples / "nav_set";
  const RunResult run = Vorbel(s, {"--export-set", s.File("nav"), "--captions-file", (set / "captions.txt").string(),
                                   (set / "navigation.vrb").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Vorbel(s, {"--export", s.File("products.png"), (set / "navigation.vrb").string()}).status, 0);
  EXPECT_EQ(ReadFile(s.File("nav/products-normal@1x.png")), ReadFile(s.File("products.png")));
  EXPECT_TRUE(fs::exists(s.File("nav/home-normal@1x.png")) && fs::exists(s.File("nav/contact-normal@1x.png")));
}

TEST(VorbelProgram, ExportsSilentlyAndExactlyAsTheWindowCommandsDo) {
  Scratch s;
  WriteFile(s.File("b.vrb"), kLayout);
  for (const char* name : {"b.gif", "b.png", "b.jpg", "b.bmp"}) {
    const RunResult run = Vorbel(s, {"--export", s.File(name), s.File("b.vrb")});
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");

    // The same file as Open and Export in one process make.
    document::ButtonDocument doc;
    render::ButtonRenderer renderer;
    layout::LoadLayout(doc, s.File("b.vrb"), [&] { renderer.RenderButton(doc); });
    commands::ExportButton(doc, renderer, s.File(std::string("in-process-") + name));
    EXPECT_EQ(ReadFile(s.File(name)), ReadFile(s.File(std::string("in-process-") + name))) << name;
  }
  EXPECT_EQ(ReadFile(s.File("b.gif")).substr(0, 6), "GIF89a");
  EXPECT_EQ(ReadFile(s.File("b.png")).substr(1, 3), "PNG");
  EXPECT_EQ(ReadFile(s.File("b.jpg")).substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(ReadFile(s.File("b.bmp")).substr(0, 2), "BM");
}

test::RgbaImage ReadPngFile(const std::string& path) {
  const std::string bytes = ReadFile(path);
  return test::ReadPng(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The button's keys for one run: the white ellipse over the teal work area,
// smooth, has partly transparent edges in PNG; a JPEG puts the matte in the
// corners.
TEST(VorbelProgram, ButtonKeysAndTheMatteChangeOneRun) {
  Scratch s;
  WriteFile(s.File("b.vrb"), kLayout);
  ASSERT_EQ(Vorbel(s, {"--export", s.File("hard.png"), s.File("b.vrb")}).status, 0);
  const RunResult run = Vorbel(s, {"--export", s.File("smooth.png"), s.File("b.vrb"), "--set", "Button:Smooth=Yes"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto partial = [](const test::RgbaImage& img) {
    int n = 0;
    for (const std::uint32_t p : img.pixels) n += (p >> 24) != 0 && (p >> 24) != 255;
    return n;
  };
  EXPECT_EQ(partial(ReadPngFile(s.File("hard.png"))), 0);
  EXPECT_GT(partial(ReadPngFile(s.File("smooth.png"))), 20);
  ASSERT_EQ(Vorbel(s, {"--export", s.File("m.bmp"), s.File("b.vrb"), "--matte", "#FF0000"}).status, 0);
  const std::string bmp = ReadFile(s.File("m.bmp"));
  // The bottom-left pixel, the first of the file's rows: blue, green, red.
  EXPECT_EQ(bmp.substr(54, 3), std::string("\0\0\xFF", 3));
  EXPECT_NE(Vorbel(s, {"--export", s.File("x.png"), s.File("b.vrb"), "--set", "Button:Smooth"}).status, 0);
}

std::uint32_t PixelAt(const test::RgbaImage& img, int x, int y) {
  return img.pixels[static_cast<std::size_t>(y) * img.width + x];
}

// Every example at the two sizes file managers ask for most: the button fits
// the box, the work area is transparent, and a thumbnail enlarged by a whole
// factor shows each pixel of the export as a block.
TEST(VorbelProgram, ThumbnailsOfEveryExample) {
  Scratch s;
  int examples = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(VORBEL_EXAMPLES)) {
    if (entry.path().extension() != ".vrb") continue;
    ++examples;
    const std::string name = entry.path().stem().string();
    ASSERT_EQ(Vorbel(s, {"--export", s.File(name + ".png"), entry.path().string()}).status, 0) << name;
    const test::RgbaImage button = ReadPngFile(s.File(name + ".png"));
    for (int size : {128, 256}) {
      const std::string out = s.File(name + "-" + std::to_string(size) + ".png");
      const RunResult run = Vorbel(s, {"--thumbnail", std::to_string(size), entry.path().string(), out});
      ASSERT_EQ(run.status, 0) << name << " " << size << ": " << run.err;
      EXPECT_EQ(run.err, "");
      const test::RgbaImage thumbnail = ReadPngFile(out);
      const codecs::ThumbnailSize want = codecs::ThumbnailSizeFor(button.width, button.height, size);
      ASSERT_EQ(thumbnail.width, want.width) << name << " " << size;
      ASSERT_EQ(thumbnail.height, want.height) << name << " " << size;
      int transparent = 0;
      int opaque = 0;
      for (const std::uint32_t p : thumbnail.pixels) {
        transparent += p >> 24 == 0;
        opaque += p >> 24 == 255;
      }
      EXPECT_GT(opaque, static_cast<int>(thumbnail.pixels.size() / 4)) << name << " " << size;
      EXPECT_NE(std::count(thumbnail.pixels.begin(), thumbnail.pixels.end(), thumbnail.pixels[0]),
                static_cast<std::ptrdiff_t>(thumbnail.pixels.size()))
          << name << " " << size << " is of one colour";
      // Only a shaped button leaves work area around it.
      if (ReadFile(entry.path()).find("Shape=None") == std::string::npos) {
        EXPECT_GT(transparent, 0) << name;
      }
      if (thumbnail.width < button.width) continue;
      const int factor = thumbnail.width / button.width;
      for (int y = 0; y < thumbnail.height; ++y) {
        for (int x = 0; x < thumbnail.width; ++x) {
          const std::uint32_t exported = PixelAt(button, x / factor, y / factor);
          ASSERT_EQ(test::Hex(PixelAt(thumbnail, x, y)), test::Hex(exported >> 24 == 0 ? 0 : exported))
              << name << " " << size << " at " << x << "," << y;
        }
      }
    }
  }
  EXPECT_GE(examples, 6);
}

// A layout cut short and a picture that cannot be read: the thumbnail shows
// what can be drawn.
TEST(VorbelProgram, ADamagedLayoutGivesAThumbnailOfWhatCanBeDrawn) {
  Scratch s;
  WriteFile(s.File("broken.bmp"), "BM this is no picture");
  std::string damaged = std::string(kLayout).substr(0, std::string(kLayout).find("[Layer1]")) +
                        "[Layer1]\r\nType=Image\r\nProperties=Image=broken.bmp;\r\nX=1\r\nY=1\r\nVisible=0\r\n"
                        "[Layer2]\r\nType=Bev";  // cut short
  damaged.replace(damaged.find("Layers=2"), 8, "Layers=3");
  WriteFile(s.File("damaged.vrb"), damaged);
  const RunResult run = Vorbel(s, {"--thumbnail", "128", s.File("damaged.vrb"), s.File("d.png")});
  ASSERT_EQ(run.status, 0) << run.err;
  const test::RgbaImage thumbnail = ReadPngFile(s.File("d.png"));
  EXPECT_EQ(thumbnail.width, 70);
  EXPECT_EQ(PixelAt(thumbnail, 0, 0), 0u);             // work area
  EXPECT_EQ(PixelAt(thumbnail, 35, 12), 0xFFFFFFFFu);  // the white ellipse
}

// A thumbnailer runs on every file a user browses: a huge button is refused
// before anything is drawn, and one within the size limit but with too many
// layers stops at its small budget. Neither takes much memory.
TEST(VorbelProgram, HugeButtonsStayWithinTheThumbnailBudget) {
  Scratch s;
  WriteFile(s.File("huge.vrb"), "[Button]\r\nHeight=6000\r\nWidth=6000\r\n");
  const RunResult huge = Vorbel(s, {"--thumbnail", "256", s.File("huge.vrb"), s.File("huge.png")});
  EXPECT_EQ(huge.status, 1);
  EXPECT_EQ(huge.err, "vorbel: No thumbnail was made for " + s.File("huge.png") +
                          ": the button is 6000 x 6000 pixels, more than the 16777216 pixels a thumbnail is drawn "
                          "from\n");
  EXPECT_FALSE(fs::exists(s.File("huge.png")));
  EXPECT_LT(huge.max_rss_kb, 200 * 1024);

  std::string layers = "[Button]\r\nHeight=4096\r\nWidth=4096\r\nLayers=5000\r\n";
  for (int i = 0; i < 5000; ++i) {
    layers += "[Layer" + std::to_string(i) + "]\r\nType=Bevel\r\nProperties=Pen=1;\r\nVisible=0\r\n";
  }
  WriteFile(s.File("layers.vrb"), layers);
  const RunResult many = Vorbel(s, {"--thumbnail", "256", s.File("layers.vrb"), s.File("layers.png")});
  EXPECT_EQ(many.status, 0);
  EXPECT_EQ(many.err, "vorbel: warning: " + s.File("layers.vrb") +
                          ": Layer 17 and the layers after it were left out: the button has more layers than one "
                          "drawing of it may take at its size.\n");
  EXPECT_EQ(ReadPngFile(s.File("layers.png")).width, 256);
  EXPECT_LT(many.max_rss_kb, 400 * 1024);

  // Layout files beyond a few megabytes are not read at all.
  WriteFile(s.File("long.vrb"), "[Button]\r\n" + std::string(5 << 20, ';'));
  const RunResult longFile = Vorbel(s, {"--thumbnail", "256", s.File("long.vrb"), s.File("long.png")});
  EXPECT_EQ(longFile.status, 1);
  EXPECT_NE(longFile.err.find("too large"), std::string::npos) << longFile.err;
}

// "-" is standard input or output: the same picture as from and to files,
// whatever standard output is; pictures of a layout on standard input are
// found from the working folder.
TEST(VorbelProgram, LayoutsAndPicturesGoThroughPipes) {
  Scratch s;
  const fs::path examples = VORBEL_EXAMPLES;
  const std::string layout = (examples / "glass_picture.vrb").string();
  ASSERT_EQ(Vorbel(s, {"--export", s.File("file.bmp"), layout}).status, 0);
  const std::string file = ReadFile(s.File("file.bmp"));

  // Standard output a regular file, standard input a file.
  const RunResult run = Vorbel(s, {"--export", "-", "-", "--format", "bmp"}, examples.string(), layout);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, file);
  // Through pipes; GIF where nothing names a format.
  ASSERT_EQ(Vorbel(s, {"--export", s.File("file.gif"), layout}).status, 0);
  const std::string script = "cd '" + examples.string() + "' && cat '" + layout + "' | '" + VORBEL_PROGRAM +
                             "' --export - - | cat > '" + s.File("piped.gif") + "'";
  ASSERT_EQ(RunProgram(s, "/bin/sh", {"-c", script}).status, 0);
  EXPECT_EQ(ReadFile(s.File("piped.gif")), ReadFile(s.File("file.gif")));
  // From elsewhere its pictures are not found.
  EXPECT_NE(Vorbel(s, {"--export", "-", "-", "--format=bmp"}, s.path().string(), layout).out, file);

  // A regular file as standard output is written from where it stands, never
  // replaced: what it held stays before the picture.
  const std::string appended = s.File("appended");
  WriteFile(appended, "head");
  const std::string append =
      "'" + std::string(VORBEL_PROGRAM) + "' --format=bmp --export - '" + layout + "' >> '" + appended + "'";
  ASSERT_EQ(RunProgram(s, "/bin/sh", {"-c", append}).status, 0);
  EXPECT_EQ(ReadFile(appended), "head" + file);

  // A thumbnail from standard input to standard output.
  const RunResult thumbnail = Vorbel(s, {"--thumbnail", "64", "-", "-"}, examples.string(), layout);
  EXPECT_EQ(thumbnail.status, 0) << thumbnail.err;
  EXPECT_EQ(thumbnail.out.substr(1, 3), "PNG");
}

TEST(VorbelProgram, FailuresGoToStandardErrorWithANonZeroStatus) {
  Scratch s;
  WriteFile(s.File("b.vrb"), kLayout);
  WriteFile(s.File("empty.vrb"), "[Button]\r\nWidth=0\r\n");
  WriteFile(s.File("plain"), "x");
  WriteFile(s.File("picture.png"), std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  ASSERT_EQ(::mkfifo(s.File("pipe.vrb").c_str(), 0600), 0);
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"--export", s.File("o.gif"), s.File("none.vrb")},
       "vorbel: Cannot open file " + s.File("none.vrb") + ": No such file or directory\n"},
      {{"--export", s.File("o.gif"), s.path().string()},
       "vorbel: Cannot open file " + s.path().string() + ": not a regular file\n"},
      {{"--export", s.File("o.gif"), s.File("picture.png")},
       "vorbel: Cannot open file " + s.File("picture.png") + ": the file is not a layout file\n"},
      {{"--export", s.File("o.gif"), s.File("pipe.vrb")},
       "vorbel: Cannot open file " + s.File("pipe.vrb") + ": not a regular file\n"},
      {{"--export", s.File("plain/o.gif"), s.File("b.vrb")},
       "vorbel: Cannot create file " + s.File("plain/o.gif") + "\n"},
      {{"--export", s.File("o.gif"), s.File("empty.vrb")},
       "vorbel: Nothing was exported to " + s.File("o.gif") +
           ": the button is 0 x 30 pixels; its width and height must be at least 1\n"},
  };
  for (const auto& c : cases) {
    const RunResult run = Vorbel(s, c.args);
    EXPECT_EQ(run.status, 1) << c.error;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.error);
  }
  EXPECT_FALSE(fs::exists(s.File("o.gif")));
}

// A picture that declares more pixels than a pass may decode ends the pass:
// what was drawn is written, with a warning, and the export succeeds.
TEST(VorbelProgram, AButtonDrawnInPartIsWrittenWithAWarning) {
  Scratch s;
  const std::vector<std::uint8_t> huge = test::HugeRleBmp();
  WriteFile(s.File("huge.bmp"), std::string(huge.begin(), huge.end()));
  WriteFile(s.File("h.vrb"), std::string(kLayout) + "[Layer2]\r\nType=Image\r\nProperties=Image=huge.bmp;\r\n");
  std::string layout = ReadFile(s.File("h.vrb"));
  layout.replace(layout.find("Layers=2"), 8, "Layers=3");
  WriteFile(s.File("h.vrb"), layout);
  const RunResult run = Vorbel(s, {"--export", s.File("h.png"), s.File("h.vrb")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "vorbel: warning: " + s.File("h.vrb") +
                         ": Layer 3 and the layers after it were left out: their pictures go beyond the 64 million "
                         "pixels that one drawing of the button may decode.\n");
  EXPECT_EQ(ReadFile(s.File("h.png")).substr(1, 3), "PNG");
}

// Smooth edges are drawn at four times the size: a button too large for that
// is written with hard edges and a warning that says so; one that fits gets
// no warning.
TEST(VorbelProgram, ASmoothButtonTooLargeForSmoothEdgesIsWrittenWithAWarning) {
  Scratch s;
  for (const auto& [width, warned] : {std::pair{8200, true}, std::pair{8191, false}}) {
    WriteFile(s.File("wide.vrb"),
              "[Button]\r\nHeight=2\r\nWidth=" + std::to_string(width) + "\r\nSmooth=Yes\r\nLayers=0\r\n");
    const RunResult run = Vorbel(s, {"--export", s.File("wide.png"), s.File("wide.vrb")});
    EXPECT_EQ(run.status, 0) << width;
    const std::string warning = "vorbel: warning: " + s.File("wide.vrb") +
                                ": The button is drawn with hard edges: smooth edges are drawn at 4 times its size, "
                                "and at " +
                                std::to_string(width) + " x 2 pixels that is more than can be drawn.\n";
    EXPECT_EQ(run.err, warned ? warning : "") << width;
    EXPECT_EQ(ReadFile(s.File("wide.png")).substr(1, 3), "PNG") << width;
  }
}

// A picture beyond the file-size limit fails with a message like any other
// write error: the signal the kernel sends for it does not end the program,
// and no temporary file is left.
TEST(VorbelProgram, TheFileSizeLimitGivesAMessageNotASignal) {
  Scratch s;
  WriteFile(s.File("big.vrb"), "[Button]\r\nHeight=300\r\nWidth=300\r\n");
  const std::string errFile = s.File(".stderr");
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGXFSZ, SIG_DFL);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    ::execl(VORBEL_PROGRAM, "vorbel", "--export", s.File("big.bmp").c_str(), s.File("big.vrb").c_str(), nullptr);
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFile(errFile), "vorbel: Unable to write to " + s.File("big.bmp") + ": File too large\n");
  fs::remove(errFile);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(s.path())) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"big.vrb"});
}

TEST(VorbelProgram, HelpVersionAndUsageErrors) {
  Scratch s;
  const RunResult help = Vorbel(s, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: vorbel [LAYOUT]\n", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--export OUT LAYOUT"), std::string::npos);
  EXPECT_EQ(help.err, "");

  const RunResult version = Vorbel(s, {"--version"});
  EXPECT_EQ(version.status, 0);
  // GNU style: name and version, then the copyright and the licence.
  EXPECT_EQ(version.out.rfind(std::string("vorbel (Vorbel) ") + VORBEL_EXPECTED_VERSION + "\nCopyright (C) ", 0), 0u)
      << version.out;
  EXPECT_NE(version.out.find("\nLicense MIT: <https://opensource.org/licenses/MIT>.\n"), std::string::npos);

  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--bogus"}, {"--export", s.File("o.gif")}}) {
    const RunResult run = Vorbel(s, args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vorbel: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Try 'vorbel --help'"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(s.File("o.gif")));
}

// ---- button sets ----

// A set from a captions file: every file in the folder, silently; a second
// run replaces them with the same bytes. Mistakes in the captions end the run
// with status 1 before anything is written.
TEST(VorbelProgram, ExportSetWritesEveryFileOfTheSetAndSaysWhatIsWrong) {
  Scratch s;
  WriteFile(s.File("nav.vrb"), std::string(kLayout).replace(std::string(kLayout).find("Layers=2"), 8, "Layers=3") +
                                   "[Layer2]\r\nType=Text\r\nProperties=Text=Home;FontFace=DejaVu Sans;"
                                   "FontSize=9;Color=clNavy;Align=5;\r\nX=\r\nY=\r\nVisible=0\r\n");
  WriteFile(s.File("captions.txt"), "Home\nProducts\r\n\nContact\n");
  const std::vector<std::string> args = {"--export-set", s.File("set"),  "--captions-file",  s.File("captions.txt"),
                                         "--states",     "normal,hover", "--scales",         "1,2",
                                         "--sprite",     "--set",        "0:Color=clYellow", s.File("nav.vrb")};
  const RunResult run = Vorbel(s, args);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out + run.err, "");
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(s.File("set"))) {
    files.push_back(entry.path().filename().string());
  }
  // The buttons, two sprite sheets, the style sheet, page and snippet, and
  // the set's record of its files.
  EXPECT_EQ(files.size(), 3u * 2 * 2 + 2 + 3 + 1);
  const std::string home = ReadFile(s.File("set/home-hover@2x.png"));
  EXPECT_FALSE(home.empty());
  EXPECT_EQ(Vorbel(s, args).status, 0);
  EXPECT_EQ(ReadFile(s.File("set/home-hover@2x.png")), home);

  WriteFile(s.File("bad.txt"), "Home\nA;B\n");
  const RunResult bad =
      Vorbel(s, {"--export-set", s.File("bad"), "--captions-file", s.File("bad.txt"), s.File("nav.vrb")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("\"A;B\" holds \";\""), std::string::npos) << bad.err;
  EXPECT_FALSE(fs::exists(s.File("bad")));
  const RunResult usage = Vorbel(s, {"--export-set", s.File("bad"), "--states", "", s.File("nav.vrb")});
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.err.find("the list of states is empty"), std::string::npos) << usage.err;

  // Without captions given, those the layout keeps; a layout without any
  // says so.
  const RunResult none = Vorbel(s, {"--export-set", s.File("kept"), s.File("nav.vrb")});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("keeps no captions of a set"), std::string::npos) << none.err;
  WriteFile(s.File("kept.vrb"), ReadFile(s.File("nav.vrb")) + "[Set]\r\nCaptions=2\r\nCaption1=Blog\r\nCaption2=Shop\r\n");
  EXPECT_EQ(Vorbel(s, {"--export-set", s.File("kept"), s.File("kept.vrb")}).status, 0);
  EXPECT_TRUE(fs::exists(s.File("kept/blog-normal@1x.png")) && fs::exists(s.File("kept/shop-normal@1x.png")));

  // A caption hard to read (aqua on white) is reported look by look; the set
  // is written all the same.
  const RunResult faint = Vorbel(s, {"--export-set", s.File("faint"), "--captions", "Home", "--states",
                                     "normal,disabled", "--set", "2:Color=clAqua", s.File("nav.vrb")});
  EXPECT_EQ(faint.status, 0) << faint.err;
  EXPECT_NE(faint.err.find("warning: " + s.File("nav.vrb") + ": the caption \"Home\" in the normal look has a "
                           "contrast of 1.25:1 against its button, less than the 4.5:1"),
            std::string::npos)
      << faint.err;
  EXPECT_EQ(faint.err.find("disabled look"), std::string::npos) << faint.err;
  EXPECT_TRUE(fs::exists(s.File("faint/home-normal@1x.png")));
}

// A layout's [Set] section is outside data: its captions are held to the
// rules of --captions, nothing in them reaches the style sheet or the page
// as markup, and a set too large to draw is refused before anything is.
TEST(VorbelProgram, ASetSectionCannotWriteStylesOrOutgrowItsBudget) {
  Scratch s;
  const std::string nav = std::string(kLayout).replace(std::string(kLayout).find("Layers=2"), 8, "Layers=3") +
                          "[Layer2]\r\nType=Text\r\nProperties=Text=Home;FontFace=DejaVu Sans;"
                          "FontSize=9;Color=clNavy;Align=5;\r\nX=\r\nY=\r\nVisible=0\r\n";
  const auto withSet = [&](const std::vector<std::string>& captions) {
    std::string set = "[Set]\r\nCaptions=" + std::to_string(captions.size()) + "\r\n";
    for (std::size_t i = 0; i < captions.size(); ++i) set += "Caption" + std::to_string(i + 1) + "=" + captions[i] + "\r\n";
    return nav + set;
  };
  WriteFile(s.File("css.vrb"), withSet({"*/ body{display:none} /*", "</style><script>alert(1)</script>"}));
  const RunResult run = Vorbel(s, {"--export-set", s.File("css"), "--sprite", s.File("css.vrb")});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string css = ReadFile(s.File("css/buttons.css"));
  EXPECT_EQ(css.find("*/"), css.rfind("*/")) << "only the one comment ends";
  EXPECT_EQ(css.find("display:none"), std::string::npos);
  EXPECT_EQ(css.find("</style"), std::string::npos);
  EXPECT_EQ(ReadFile(s.File("css/preview.html")).find("<script"), std::string::npos);

  for (const std::string& caption : {std::string("Red \x1b[31m"), std::string("Bell\x07"), std::string("Del\x7f"),
                                     std::string(100000, 'W')}) {
    WriteFile(s.File("bad.vrb"), withSet({"Home", caption}));
    const RunResult bad = Vorbel(s, {"--export-set", s.File("bad"), s.File("bad.vrb")});
    EXPECT_EQ(bad.status, 1) << caption.substr(0, 10);
    EXPECT_NE(bad.err.find("caption 2 of the set"), std::string::npos) << bad.err.substr(0, 200);
    EXPECT_FALSE(fs::exists(s.File("bad")));
  }

  std::vector<std::string> many;
  for (int i = 0; i < 1000; ++i) many.push_back("Button " + std::to_string(i));
  std::string large = withSet(many);
  large.replace(large.find("Height=24"), 9, "Height=3333").replace(large.find("Width=70"), 8, "Width=3333");
  WriteFile(s.File("large.vrb"), large);
  const RunResult refused = Vorbel(s, {"--export-set", s.File("large"), s.File("large.vrb")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--size fixed"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(s.File("large")));
}

// Text is charged for what it draws: a layout of thousands of long, large,
// turned captions with every copy gives a thumbnail of the layers its budget
// allows, in a fraction of the time it would take to draw them all.
TEST(VorbelProgram, ThumbnailsOfHeavyTextStopAtTheirBudget) {
  Scratch s;
  std::string layout = "[Button]\r\nHeight=60\r\nWidth=200\r\nLayers=2000\r\n";
  for (int i = 0; i < 2000; ++i) {
    layout += "[Layer" + std::to_string(i) + "]\r\nType=Text\r\nProperties=Text=" + std::string(400, 'W') +
              ";FontFace=DejaVu Sans;FontSize=200;Angle=3;Shadowed=Y;Outlined=Y;Gradient=Y;\r\nVisible=0\r\n";
  }
  WriteFile(s.File("text.vrb"), layout);
  const RunResult run = Vorbel(s, {"--thumbnail", "128", s.File("text.vrb"), s.File("text.png")});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string left = "vorbel: warning: " + s.File("text.vrb") + ": Layer ";
  ASSERT_EQ(run.err.rfind(left, 0), 0u) << run.err;
  EXPECT_LT(std::stoi(run.err.substr(left.size())), 500) << run.err;
  EXPECT_EQ(ReadPngFile(s.File("text.png")).width, 128);
}

// Sets an environment variable for the programs a test starts.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name) { ::setenv(name, value.c_str(), 1); }
  // Unsets the variable.
  explicit ScopedEnv(const char* name) : name_(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) old_ = old;
    had_ = old != nullptr;
    ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_) {
      ::setenv(name_, old_.c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

// A language is added by its catalog alone, installed where the program
// looks: the command line's own messages and the core's change, and English
// stays as it was without it.
TEST(VorbelProgram, MessagesComeInTheLanguageOfAnInstalledCatalog) {
  Scratch s;
  fs::create_directories(s.path() / "prefix/bin");
  fs::create_directories(s.path() / "prefix/share/locale/de/LC_MESSAGES");
  fs::copy_file(VORBEL_PROGRAM, s.path() / "prefix/bin/vorbel");
  fs::copy_file(fs::path(VORBEL_SHIPPED_LOCALE) / "de/LC_MESSAGES/vorbel.mo",
                s.path() / "prefix/share/locale/de/LC_MESSAGES/vorbel.mo");
  const std::string vorbel = s.File("prefix/bin/vorbel");
  const ScopedEnv all("LC_ALL", "C.UTF-8");
  {
    const ScopedEnv language("LANGUAGE", "de");
    const std::string bogus = RunProgram(s, vorbel, {"--bogus"}).err;
    EXPECT_EQ(bogus.rfind("vorbel: unbekannte Option „--bogus“\n", 0), 0u) << bogus;
    // The reason is the system's, in its own translation when it has one.
    const std::string missing = RunProgram(s, vorbel, {"--export", s.File("o.gif"), s.File("none.vrb")}).err;
    EXPECT_EQ(missing.rfind("vorbel: Die Datei " + s.File("none.vrb") + " lässt sich nicht öffnen: ", 0), 0u)
        << missing;
  }
  const std::string english = RunProgram(s, vorbel, {"--bogus"}).err;
  EXPECT_EQ(english.rfind("vorbel: unknown option '--bogus'\nUsage: vorbel [LAYOUT]\n", 0), 0u) << english;
}

// Captions are drawn from the fonts that earlier runs' record names, so the
// record must never change a pixel: not when it is new, used, damaged, or
// made under a configuration that has changed since.
TEST(VorbelProgram, TextIsDrawnAlikeWhateverTheFontRecordHolds) {
  Scratch s;
  WriteFile(s.File("t.vrb"),
            "[Button]\nHeight=30\nWidth=90\nWorkArea=16777215\nLayers=2\n"
            "[Layer0]\nType=Text\nProperties=Text=Home;FontFace=DejaVu Sans;FontSize=10;Color=clNavy;\nX=4\nY=2\n"
            "[Layer1]\nType=Text\nProperties=Text=ab;FontFace=No Such Face;FontSize=8;Color=clRed;\nX=60\nY=12\n");
  const ScopedEnv cache("XDG_CACHE_HOME", s.File("cache"));
  const std::string record = s.File("cache/vorbel/font-matches");
  const auto exportTo = [&](const std::string& name) {
    const RunResult run = Vorbel(s, {"--export", s.File(name), s.File("t.vrb")});
    EXPECT_EQ(run.status, 0) << name << ": " << run.err;
    return ReadFile(s.File(name));
  };
  const std::string fresh = exportTo("fresh.bmp");
  ASSERT_FALSE(fresh.empty());
  ASSERT_NE(ReadFile(record).find("DejaVu Sans"), std::string::npos) << "the first run records its matches";
  EXPECT_EQ(exportTo("recorded.bmp"), fresh);
  WriteFile(record, "vorbel font matches 1\ncontext\tx\nface\tDejaVu Sans\nfont\t-\t0\tX\t/nonexistent\n");
  EXPECT_EQ(exportTo("damaged.bmp"), fresh);
  EXPECT_EQ(ReadFile(record).find("/nonexistent"), std::string::npos) << "a damaged record is replaced";

  // Another configuration that draws "DejaVu Sans" with a serif face: the
  // record of the default one must not be taken for it.
  WriteFile(s.File("fonts.conf"),
            "<?xml version=\"1.0\"?>\n<fontconfig>\n  <include>/etc/fonts/fonts.conf</include>\n"
            "  <match target=\"pattern\"><test name=\"family\"><string>DejaVu Sans</string></test>\n"
            "    <edit name=\"family\" mode=\"assign\" binding=\"strong\"><string>DejaVu Serif</string></edit></match>\n"
            "</fontconfig>\n");
  const ScopedEnv config("FONTCONFIG_FILE", s.File("fonts.conf"));
  const std::string serif = exportTo("serif.bmp");
  EXPECT_NE(serif, fresh);
  const ScopedEnv noRecord("XDG_CACHE_HOME", s.File("empty-cache"));
  EXPECT_EQ(exportTo("serif-without-record.bmp"), serif);
}

// The window is a program of its own; a stand-in script records how it was
// started. The launcher finds it beside itself or in ../lib/vorbel/.
TEST(VorbelProgram, WithoutOptionsTheWindowProgramTakesOverTheArguments) {
  Scratch s;
  const ScopedEnv display("DISPLAY", ":0");
  const std::string record = s.File("started-with");
  const std::string script = "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record + "'\nexit 3\n";
  for (const std::string& windowFolder : {std::string("build"), std::string("prefix/lib/vorbel")}) {
    const fs::path bin = windowFolder == "build" ? s.path() / "build" : s.path() / "prefix/bin";
    fs::create_directories(bin);
    fs::create_directories(s.path() / windowFolder);
    fs::copy_file(VORBEL_PROGRAM, bin / "vorbel", fs::copy_options::overwrite_existing);
    const fs::path window = s.path() / windowFolder / "vorbel-window";
    WriteFile(window, script);
    fs::permissions(window, fs::perms::owner_all);

    const RunResult run = RunProgram(s, (bin / "vorbel").string(), {"my layout.vrb", "second"});
    EXPECT_EQ(run.status, 3) << windowFolder << ": " << run.err;
    EXPECT_EQ(ReadFile(record), "--\nmy layout.vrb\nsecond\n") << windowFolder;
    fs::remove(record);

    // The "--" that lets a file name start with "-" ends the launcher's
    // options only; the window gets the names after a "--" of its own, a
    // later "--" included.
    const RunResult dashed = RunProgram(s, (bin / "vorbel").string(), {"--", "-dash.vrb", "--"});
    EXPECT_EQ(dashed.status, 3) << windowFolder << ": " << dashed.err;
    EXPECT_EQ(ReadFile(record), "--\n-dash.vrb\n--\n") << windowFolder;
    fs::remove(record);
  }

  // No window program anywhere: say so.
  fs::create_directories(s.path() / "alone");
  fs::copy_file(VORBEL_PROGRAM, s.path() / "alone/vorbel");
  const RunResult run = RunProgram(s, s.File("alone/vorbel"), {});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("the main window is not installed"), std::string::npos) << run.err;
}

// Without a display the window cannot appear: a plain message and status 1,
// from the launcher and from the window program itself when the display it
// is given cannot be reached.
TEST(VorbelProgram, WithoutADisplayTheWindowSaysSoAndExitsWithOne) {
  Scratch s;
  const ScopedEnv display("DISPLAY");
  const ScopedEnv wayland("WAYLAND_DISPLAY");
  const ScopedEnv platform("QT_QPA_PLATFORM");
  const RunResult run = Vorbel(s, {s.File("a.vrb")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vorbel: cannot open the main window: there is no display (DISPLAY and WAYLAND_DISPLAY are not set); "
            "use --export OUT LAYOUT to export without a window\n");
#ifdef VORBEL_WINDOW_PROGRAM
  const ScopedEnv unreachable("DISPLAY", ":4711");
  const ScopedEnv x11("QT_QPA_PLATFORM", "xcb");
  const RunResult window = RunProgram(s, VORBEL_WINDOW_PROGRAM, {"--", s.File("a.vrb")});
  EXPECT_EQ(window.status, 1);
  EXPECT_NE(window.err.find("vorbel: cannot open the main window: no display can be reached"), std::string::npos)
      << window.err;
#endif
}

}  // namespace
}  // namespace vorbel::app
