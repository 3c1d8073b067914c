#pragma once
// Starting the main window, which is a program of its own (`vorbel-window`,
// built with the user-interface toolkit) so that `vorbel` itself stays small
// and quick for headless work.

#include <string>
#include <vector>

namespace vorbel::app {

inline constexpr const char* kWindowProgramName = "vorbel-window";

// Where the window program may be, in the order tried, for the program file
// `programPath`: beside it (a build tree), then in ../lib/vorbel/ from its
// folder (an installed tree, <prefix>/bin and <prefix>/lib/vorbel). Empty
// when programPath has no folder part.
std::vector<std::string> WindowProgramCandidates(const std::string& programPath);

// The arguments the window program gets: "--", then those of `vorbel` (after
// the program name) without the first "--". Here that "--" only ended the
// options, and the window takes its first argument as the file to open, so
// `vorbel -- -name.vrb` opens -name.vrb. The window program hands its toolkit
// only what comes before its first "--" (see ToolkitArgumentCount): the
// toolkit reads any argument that starts with "-" as an option of its own.
std::vector<std::string> WindowProgramArguments(const std::vector<std::string>& args);

// The window program's side: how many of its leading arguments, the program
// name included, the toolkit may read; the file names are those after the
// "--" that follows them. argc when there is no "--" (the window program
// started by hand, whose arguments the toolkit reads as ever).
int ToolkitArgumentCount(int argc, const char* const argv[]);

// Whether the window has somewhere to appear: DISPLAY or WAYLAND_DISPLAY is
// set, or QT_QPA_PLATFORM names the toolkit's platform (such as offscreen).
bool HasDisplay();

// Replaces this process with the first candidate that exists and can be run,
// passing argv on as WindowProgramArguments gives it. Returns only when none
// could be started, with a message saying why (without the program name and
// newline).
std::string ExecWindowProgram(char* const argv[]);

}  // namespace vorbel::app
