#pragma once
// The command line of the `vorbel` program.
//
//   vorbel [LAYOUT]               the main window, opening LAYOUT if given
//   vorbel --export OUT LAYOUT    draws LAYOUT and writes the button to OUT
//   vorbel --export-set DIR [set options] LAYOUT
//                                 draws a set of buttons into DIR (set_command.h)
//   vorbel --help | --version
//
// "--" ends the options: everything after it is a file name.

#include <span>
#include <string>

#include "app/set_command.h"

namespace vorbel::app {

struct CommandLine {
  enum class Action {
    Window,  // no headless work asked for: the main window takes the arguments
    Export,  // --export OUT LAYOUT
    Help,
    Version,
    UsageError,
    ExportSet,  // --export-set DIR [set options] LAYOUT
  };
  Action action = Action::Window;
  std::string output;  // Export
  std::string layout;  // Export
  std::string error;   // UsageError: what was wrong, without the program name

  // ---- button sets: --export-set with its options, and --set ----
  // ExportSet takes `layout` as its layout file; Export takes the overrides.
  SetArguments set;
};

// Reads the arguments after the program name. --help and --version win over
// everything else; an unknown option, --export without its two file names and
// --export mixed with other arguments are usage errors.
CommandLine ParseCommandLine(std::span<const char* const> args);

// The text --help prints, ending with a newline. The manual page is made from
// it, and the shell completion reads it: each option line starts with two
// spaces and the option, followed by its arguments in capitals (LAYOUT for a
// layout file, OUT for a picture file written).
const char* UsageText();
// The two usage lines and a pointer to --help, printed after a usage error.
const char* ShortUsageText();

}  // namespace vorbel::app
