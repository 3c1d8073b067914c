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

// Replaces this process with the first candidate that exists and can be run,
// passing argv on unchanged. Returns only when none could be started, with a
// message saying why (without the program name and newline).
std::string ExecWindowProgram(char* const argv[]);

}  // namespace vorbel::app
