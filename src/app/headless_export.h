#pragma once
// `vorbel --export OUT LAYOUT`: the Open and Export commands of the main
// window, run without a window.

#include <string>
#include <vector>

#include "commands/set_input.h"

namespace vorbel::app {

// What an export from the command line came to: an error (nothing was
// written), or a warning about a picture that was written (empty when there
// is nothing to say).
struct ExportOutcome {
  std::string error;
  std::string warning;
};

// Loads the layout file as Open does (one render pass at the end of the load)
// and exports the button to `output` as the Export command does (GIF and PNG
// with a pass of their own). A layout file that does not exist or cannot be
// read is an error here. A button drawn only in part, as the budget of a
// render pass allows, is written with a warning that says so. The overrides
// of --set change the layout's properties before it is drawn.
ExportOutcome ExportLayout(const std::string& output, const std::string& layout,
                           const std::vector<commands::PropertyOverride>& overrides = {});

}  // namespace vorbel::app
