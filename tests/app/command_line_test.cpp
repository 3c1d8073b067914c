// Reading the arguments of `vorbel`.

#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"
#include "app/window_launcher.h"

namespace vorbel::app {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(std::vector<const char*> args) { return ParseCommandLine(args); }

TEST(CommandLine, ExportTakesItsTwoFileNamesAsTheyStand) {
  const CommandLine c = Parse({"--export", "out.gif", "in.vrb"});
  EXPECT_EQ(c.action, Action::Export);
  EXPECT_EQ(c.output, "out.gif");
  EXPECT_EQ(c.layout, "in.vrb");

  const CommandLine dashes = Parse({"--export", "-out.gif", "--", "--"});
  EXPECT_EQ(dashes.action, Action::Export);
  EXPECT_EQ(dashes.output, "-out.gif");
  EXPECT_EQ(dashes.layout, "--");
}

TEST(CommandLine, WithoutOptionsTheWindowTakesTheArguments) {
  for (const std::vector<const char*>& args : std::vector<std::vector<const char*>>{
           {}, {"layout.vrb"}, {"a.vrb", "b.vrb"}, {"-"}, {"--", "--export"}}) {
    EXPECT_EQ(Parse(args).action, Action::Window) << args.size();
  }
}

TEST(CommandLine, HelpAndVersionWinWhereverTheyStand) {
  EXPECT_EQ(Parse({"--help"}).action, Action::Help);
  EXPECT_EQ(Parse({"-h"}).action, Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, Action::Version);
  EXPECT_EQ(Parse({"-V"}).action, Action::Version);
  EXPECT_EQ(Parse({"--bogus", "--help"}).action, Action::Help);
  EXPECT_EQ(Parse({"--export", "a.gif", "b.vrb", "--version"}).action, Action::Version);
  // After "--" they are file names.
  EXPECT_EQ(Parse({"--", "--help"}).action, Action::Window);
}

TEST(CommandLine, MistakesAreUsageErrorsThatSayWhat) {
  const struct {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--export"}, "--export needs an output file and a layout file"},
      {{"--export", "out.gif"}, "--export needs an output file and a layout file"},
      {{"--export", "a.gif", "b.vrb", "extra"}, "unexpected argument 'extra' beside --export OUT LAYOUT"},
      {{"--export", "a.gif", "b.vrb", "--export", "c.gif", "d.vrb"}, "--export may be given only once"},
      {{"--thumbnail", "128", "a.vrb"}, "--thumbnail needs a size, a layout file and an output file"},
      {{"--thumbnail", "0", "a.vrb", "b.png"},
       "the size of --thumbnail must be a whole number of pixels from 1 to 1024, not '0'"},
      {{"--thumbnail=12px", "a.vrb", "b.png"},
       "the size of --thumbnail must be a whole number of pixels from 1 to 1024, not '12px'"},
      {{"--thumbnail", "64", "a.vrb", "b.png", "--export", "c.gif", "d.vrb"},
       "--export and --thumbnail cannot be given together"},
      {{"--thumbnail", "64", "a.vrb", "b.png", "c"}, "unexpected argument 'c' beside --thumbnail SIZE LAYOUT OUT"},
      {{"--export", "a", "b", "--format", "tiff"},
       "unknown picture format 'tiff' for --format: use png, gif, jpg, bmp, webp"},
      {{"--thumbnail", "64", "a.vrb", "b.png", "--format=gif"},
       "a thumbnail is always a PNG picture: --format can only be png with --thumbnail"},
      {{"--format", "png", "a.vrb"}, "--format goes with --export, --thumbnail or --export-set"},
      {{"--export", "a", "b", "--format"}, "--format needs a format: png, gif, jpg, bmp, webp"},
      {{"--export", "a.webp", "--quality", "101", "b.vrb"}, "--quality takes a whole number from 0 to 100, not '101'"},
      {{"--export", "a.webp", "--quality=", "b.vrb"}, "--quality takes a whole number from 0 to 100, not ''"},
      {{"--export", "a.png", "--quality=80", "b.vrb"}, "--quality is for the formats jpg, webp, not png"},
      {{"--export", "a.webp", "--format=gif", "--quality=80", "b.vrb"},
       "--quality is for the formats jpg, webp, not gif"},
      {{"--export-set", "d", "--captions=A", "--quality=8", "b.vrb"},
       "--quality is for the formats jpg, webp, not png"},
      {{"--quality", "80", "a.vrb"}, "--quality goes with --export or --export-set"},
      // The word that is wrong, whatever stands beside it.
      {{"--export", "a.gif", "--frmat=png", "b.vrb"}, "unknown option '--frmat'"},
      {{"-x", "a.vrb"}, "unknown option '-x'"},
      {{"--capt", "A"}, "option '--capt' is ambiguous"},
      {{"--help=me"}, "--help takes no value"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = Parse(c.args);
    EXPECT_EQ(parsed.action, Action::UsageError) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

// ---- button sets ----

TEST(CommandLine, ExportSetTakesItsOptionsInAnyOrderAndOneLayout) {
  const CommandLine c = Parse({"--states",   "normal,pressed", "--export-set", "out",       "--captions",
                               "Home, Blog", "nav.vrb",        "--scales",     "1,2",       "--sprite",
                               "--set",      "1:Color=clRed",  "--size",       "fixed",     "--caption-layer",
                               "1",          "--format",       "gif",          "--pattern={index}"});
  ASSERT_EQ(c.action, Action::ExportSet) << c.error;
  EXPECT_EQ(c.layout, "nav.vrb");
  EXPECT_EQ(c.set.folder, "out");
  EXPECT_EQ(c.set.options.captions, (std::vector<std::string>{"Home", "Blog"}));
  EXPECT_EQ(c.set.options.states.size(), 2u);
  EXPECT_EQ(c.set.options.scales, (std::vector<int>{1, 2}));
  EXPECT_TRUE(c.set.options.sprite);
  EXPECT_EQ(c.set.options.size, commands::SetSize::Fixed);
  EXPECT_EQ(c.set.options.caption_layer, 1);
  EXPECT_EQ(c.set.options.formats, (std::vector{commands::ExportFormat::Gif}));
  EXPECT_EQ(c.set.options.pattern, "{index}");
  EXPECT_EQ(c.set.overrides.size(), 1u);
  // A lossy format takes a quality, as a single picture or a set.
  EXPECT_EQ(Parse({"--export", "a.WEBP", "--quality", "0", "b.vrb"}).quality, 0);
  EXPECT_EQ(Parse({"--export", "-", "--format=jpg", "--quality=75", "b.vrb"}).quality, 75);
  EXPECT_EQ(Parse({"--export-set", "d", "--captions=A", "--format=webp", "--quality=60", "b.vrb"}).set.options.quality,
            60);
  EXPECT_EQ(Parse({"--export", "a.webp", "b.vrb"}).quality, commands::kFormatQuality);
  // --set goes with --export too.
  EXPECT_EQ(Parse({"--set", "0:Pen=3", "--export", "a.png", "b.vrb"}).set.overrides.size(), 1u);
}

TEST(CommandLine, SetMistakesAreUsageErrors) {
  const struct {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
      {{"--export-set", "out", "--captions", "A"}, "--export-set DIR needs one layout file"},
      {{"--captions", "A", "nav.vrb"}, "--captions needs --export-set"},
      {{"--set", "0:Pen=1", "nav.vrb"}, "--set needs --export or --export-set"},
      {{"--export-set", "o", "--captions", "A", "--states", "normal,shiny", "n.vrb"},
       "unknown state \"shiny\": the states are normal, hover, pressed and disabled"},
      {{"--export-set", "o", "--captions", "A", "--scales", "4", "n.vrb"},
       "unknown scale \"4\": the scales are 1, 2 and 3"},
      {{"--export-set", "o", "--captions", "A", "--size", "big", "n.vrb"},
       "unknown size 'big': the sizes are fit and fixed"},
      {{"--export-set", "o", "--captions", "A", "--pattern", "a/{name}", "n.vrb"},
       "the file-name pattern \"a/{name}\" holds \"/\": a set writes its files into its folder only"},
      {{"--export-set", "o", "--captions"}, "--captions needs a value"},
      {{"--export", "a.png", "b.vrb", "--export-set", "o", "--captions", "A"},
       "--export-set cannot be given with --export or --thumbnail"},
      {{"--export-set", "o", "--sprite=yes", "n.vrb"}, "--sprite takes no value"},
      {{"--export-set", "o", "--spr=yes", "n.vrb"}, "--sprite takes no value"},
      {{"--export-set", "o", "--captions", "", "n.vrb"}, "the caption list is empty"},
      {{"--format", "png", "--captions=A", "n.vrb"}, "--captions needs --export-set"},
      {{"--matte", "clWhite", "n.vrb"}, "--matte goes with --export or --export-set"},
      {{"--export", "a.gif", "--matte=white", "n.vrb"},
       "--matte takes a colour such as clWhite, $00BBGGRR or #RRGGBB, not 'white'"},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = Parse(c.args);
    EXPECT_EQ(parsed.action, Action::UsageError) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

// As GNU tools take them: options and file names in any order, every
// option's value also joined by "=", "-" a file name like any other.
TEST(CommandLine, OptionsAndFileNamesComeInAnyOrder) {
  const struct {
    std::vector<const char*> args;
    Action action;
    const char* output;
    const char* layout;
    std::optional<commands::ExportFormat> format;
  } cases[] = {
      {{"--export", "out.png", "--format", "png", "in.vrb"}, Action::Export, "out.png", "in.vrb", commands::ExportFormat::Png},
      {{"--export", "-", "--format", "png", "-"}, Action::Export, "-", "-", commands::ExportFormat::Png},
      {{"in.vrb", "--export", "out.gif"}, Action::Export, "out.gif", "in.vrb", std::nullopt},
      {{"--format=JPEG", "--export=-", "-"}, Action::Export, "-", "-", commands::ExportFormat::Jpeg},
      {{"--export", "-", "-", "--format", "gif", "--form=bmp"}, Action::Export, "-", "-", commands::ExportFormat::Bmp},
      {{"--export", "o.gif", "--", "-in.vrb"}, Action::Export, "o.gif", "-in.vrb", std::nullopt},
      {{"--thumbnail", "256", "in.vrb", "out.png"}, Action::Thumbnail, "out.png", "in.vrb", std::nullopt},
      {{"in.vrb", "--format=png", "--thumbnail=256", "out.png"}, Action::Thumbnail, "out.png", "in.vrb",
       commands::ExportFormat::Png},
      {{"nav.vrb", "--captions=A,B", "--export-set=out", "--format", "gif"}, Action::ExportSet, "", "nav.vrb",
       commands::ExportFormat::Gif},
      // A set takes a list of formats; a single export does not.
      {{"nav.vrb", "--captions=A", "--export-set=out", "--format", "gif, png"}, Action::ExportSet, "", "nav.vrb",
       commands::ExportFormat::Gif},
      {{"--export", "o.png", "--format", "gif,png", "in.vrb"}, Action::UsageError, "", "", std::nullopt},
      {{"nav.vrb", "--captions=A", "--export-set=out", "--format", "gif,GIF"}, Action::UsageError, "", "",
       std::nullopt},
  };
  for (const auto& c : cases) {
    const CommandLine parsed = Parse(c.args);
    ASSERT_EQ(parsed.action, c.action) << c.args.front() << ": " << parsed.error;
    EXPECT_EQ(parsed.output, c.output) << c.args.front();
    EXPECT_EQ(parsed.layout, c.layout) << c.args.front();
    EXPECT_EQ(parsed.format, c.format) << c.args.front();
    if (c.action == Action::Thumbnail) {
      EXPECT_EQ(parsed.thumbnail_size, 256);
    }
  }
}

TEST(WindowLauncher, LooksBesideTheProgramThenInTheInstalledLibraryFolder) {
  EXPECT_EQ(WindowProgramCandidates("/opt/vorbel/bin/vorbel"),
            (std::vector<std::string>{"/opt/vorbel/bin/vorbel-window", "/opt/vorbel/bin/../lib/vorbel/vorbel-window"}));
  EXPECT_TRUE(WindowProgramCandidates("vorbel").empty());
}

// The window program's toolkit reads every argument that starts with "-" as
// its own option; the file names travel behind a "--" that it never sees.
TEST(WindowLauncher, FileNamesTravelBehindADashDashThatTheToolkitNeverSees) {
  const std::vector<std::string> args = WindowProgramArguments({"--", "-reverse", "--", "b.vrb"});
  EXPECT_EQ(args, (std::vector<std::string>{"--", "-reverse", "--", "b.vrb"}));
  EXPECT_EQ(WindowProgramArguments({"a.vrb"}), (std::vector<std::string>{"--", "a.vrb"}));

  const char* const launched[] = {"vorbel", "--", "-reverse", "--"};
  EXPECT_EQ(ToolkitArgumentCount(4, launched), 1);
  const char* const byHand[] = {"vorbel-window", "-style", "fusion", "a.vrb"};
  EXPECT_EQ(ToolkitArgumentCount(4, byHand), 4);
}

}  // namespace
}  // namespace vorbel::app

namespace vorbel::app {
namespace {

// --matte is the [Button] key Matte for one run, beside --set Button:KEY=VALUE.
TEST(CommandLine, MatteAndButtonKeysAreOverridesOfTheButton) {
  const CommandLine parsed = Parse({"--set", "Button:Smooth=Yes", "--export", "a.gif", "n.vrb", "--matte=#FFFFFF"});
  ASSERT_EQ(parsed.action, Action::Export) << parsed.error;
  const commands::PropertyOverride kButton = {commands::PropertyOverride::kButton, "", ""};
  EXPECT_EQ(parsed.set.overrides, (std::vector<commands::PropertyOverride>{{kButton.layer, "Smooth", "Yes"},
                                                                           {kButton.layer, "Matte", "#FFFFFF"}}));
}

}  // namespace
}  // namespace vorbel::app
