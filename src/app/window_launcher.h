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

// The arguments the window program gets: those of `vorbel` (after the
// program name) without the first "--". Here that "--" only ended the options,
// and the window takes its first argument as the file to open, so
// `vorbel -- -name.vrb` opens -name.vrb.
std::vector<std::string> WindowProgramArguments(const std::vector<std::string>& args);

// Replaces this process with the first candidate that exists and can be run,
// passing argv on as WindowProgramArguments gives it. Returns only when none
// could be started, with a message saying why (without the program name and
// newline).
std::string ExecWindowProgram(char* const argv[]);

}  // namespace vorbel::app
