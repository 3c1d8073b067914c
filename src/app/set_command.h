#pragma once
// `vorbel --export-set DIR [options] LAYOUT`: a set of buttons from one
// layout and a list of captions, and `--set N:KEY=VALUE`, which changes a
// property of a layer for one run of --export or --export-set.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "commands/button_set.h"

namespace vorbel::app {

// The set options of a command line, checked as far as they can be without
// reading files.
struct SetArguments {
  bool export_set = false;  // --export-set given
  std::string folder;       // DIR
  commands::SetOptions options;
  bool captions_given = false;  // --captions or --captions-file
  std::vector<std::string> captions_files;
  std::vector<commands::PropertyOverride> overrides;  // --set, in order
  // The first set option given, for the message when it needs --export-set.
  std::string first_set_option;
};

// Takes the set option `option` with its argument (empty for --sprite). Sets
// `error` (when it is empty) for an unusable argument.
void ApplySetOption(std::string_view option, std::string_view value, SetArguments& set, std::string& error);

// What is wrong with the set options of a whole command line (empty when
// nothing is): set options without --export-set, --set without an export,
// --export-set beside --export or --thumbnail or without one layout file
// (`layouts` is the number of file names given).
std::string CheckSetArguments(const SetArguments& set, bool exportAsked, bool thumbnailAsked, std::size_t layouts);

// What the command came to: an error (the set may be written in part), or
// warnings, one a line: buttons drawn only in part, captions hard to read.
struct SetOutcome {
  std::string error;
  std::vector<std::string> warnings;
};

// Loads the layout as --export does, applies the overrides, reads the
// captions files (without captions given, takes those the layout keeps) and
// writes the set into its folder.
SetOutcome ExportLayoutSet(const SetArguments& set, const std::string& layout);

}  // namespace vorbel::app
