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
// The options are read as GNU tools read theirs (getopt_long): options and
// file names in any order; an option's value in the next word (even one that
// starts with "-") or joined by "=" (--format=png, --export=OUT); a long
// option shortened as far as it stays unique; "--" ends the options, and
// everything after it is a file name. --export takes OUT, and LAYOUT is the
// one file name; --thumbnail takes SIZE, and LAYOUT and OUT are the two file
// names, in that order. A LAYOUT or OUT of "-" is standard input or output.
// --matte COLOUR, with --export or --export-set, is --set Button:Matte=COLOUR
// checked at once.

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
  int quality = commands::kFormatQuality;        // Export: --quality of a lossy format
  // ---- button sets: --export-set with its options, and --set ----
  // ExportSet takes `layout` as its layout file and --format as the set's
  // format; Export takes the overrides.
  SetArguments set;
};

// Reads the arguments after the program name. --help and --version win over
// everything else; an unknown or ambiguous option, an option without its
// value or with one it does not take, --export and --thumbnail together, too
// few or too many file names beside them, a bad --format, SIZE or QUALITY, a
// --quality for a format without one (WebP and JPEG take it), an empty
// --captions list are usage errors, whose message names the word at fault.
CommandLine ParseCommandLine(std::span<const char* const> args);

// The text --help prints, ending with a newline. The manual page is made from
// it, and the shell completion reads it: each option line starts with two
// spaces and the option, followed by its arguments in capitals (LAYOUT for a
// layout file, OUT for a picture file written, SIZE for the thumbnail size);
// each line of values (FORMAT, SIZING, STATES, SCALES) is two spaces, the
// argument, spaces and its values separated by ", ", from the tables that
// define them; each line of the format list is two spaces, a format's name
// and its extensions.
std::string UsageText();
// The usage lines and a pointer to --help, printed after a usage error.
std::string ShortUsageText();

}  // namespace vorbel::app
