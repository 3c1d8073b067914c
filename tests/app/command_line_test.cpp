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

  const CommandLine dashes = Parse({"--export", "-out.gif", "--"});
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
  };
  for (const auto& c : cases) {
    const CommandLine parsed = Parse(c.args);
    EXPECT_EQ(parsed.action, Action::UsageError) << c.error;
    EXPECT_EQ(parsed.error, c.error);
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
