#pragma once
// The command line of the `vorbel` program.
//
//   vorbel [LAYOUT]                     the main window, opening LAYOUT if given
//   vorbel --export OUT LAYOUT          draws LAYOUT and writes the button to OUT
//   vorbel --thumbnail SIZE LAYOUT OUT  writes a PNG thumbnail of LAYOUT to OUT
//   vorbel --export-set DIR [set options] LAYOUT
//                                       draws a set of buttons into DIR (set_command.h)
//   vorbel --help | --version
//
// Options may come in any order; one that takes arguments takes them from the
// words after it, or its first one joined by "=" (--format=png,
// --export=OUT LAYOUT). "--" ends the options: everything after it is a file
// name. A LAYOUT or OUT of "-" is standard input or output.

#include <optional>
#include <span>
#include <string>

#include "app/set_command.h"
#include "commands/export.h"

namespace vorbel::app {

// A LAYOUT or OUT of this name is standard input or output.
inline constexpr const char* kStandardStream = "-";

struct CommandLine {
  enum class Action {
    Window,  // no headless work asked for: the main window takes the arguments
    Export,  // --export OUT LAYOUT
    Help,
    Version,
    UsageError,
    // ---- thumbnails and pipes ----
    Thumbnail,  // --thumbnail SIZE LAYOUT OUT
    // ---- button sets ----
    ExportSet,  // --export-set DIR [set options] LAYOUT
  };
  Action action = Action::Window;
  std::string output;  // Export, Thumbnail
  std::string layout;  // Export, Thumbnail
  std::string error;   // UsageError: what was wrong, without the program name
  // ---- thumbnails and pipes ----
  std::optional<commands::ExportFormat> format;  // Export: --format, else OUT's name decides
  int thumbnail_size = 0;                        // Thumbnail: the box, in pixels a side
  // ---- button sets: --export-set with its options, and --set ----
  // ExportSet takes `layout` as its layout file and --format as the set's
  // format; Export takes the overrides.
  SetArguments set;
};

// Reads the arguments after the program name. --help and --version win over
// everything else; an unknown option, an option without its arguments,
// --export and --thumbnail together or mixed with other arguments, a bad
// --format or SIZE are usage errors.
CommandLine ParseCommandLine(std::span<const char* const> args);

// The text --help prints, ending with a newline. The manual page is made from
// it, and the shell completion reads it: each option line starts with two
// spaces and the option, followed by its arguments in capitals (LAYOUT for a
// layout file, OUT for a picture file written, SIZE and FORMAT for the
// thumbnail size and picture format).
std::string UsageText();
// The usage lines and a pointer to --help, printed after a usage error.
std::string ShortUsageText();

}  // namespace vorbel::app
