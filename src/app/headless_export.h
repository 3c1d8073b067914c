#pragma once
// `vorbel --export OUT LAYOUT` and `vorbel --thumbnail SIZE LAYOUT OUT`: the
// Open and Export commands of the main window, run without a window.

#include <optional>
#include <string>
#include <vector>

#include "commands/export.h"
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
// with a pass of their own), in `format` when given, else in the format
// output's name chooses. A layout file that does not exist or cannot be read
// is an error here. A button drawn only in part, as the budget of a render
// pass allows, is written with a warning that says so. A layout or output of
// "-" (kStandardStream) is standard input or output. The overrides of --set
// change the layout's properties before it is drawn; `quality` goes to a
// format that takes one (--quality).
ExportOutcome ExportLayout(const std::string& output, const std::string& layout,
                           std::optional<commands::ExportFormat> format = std::nullopt,
                           const std::vector<commands::PropertyOverride>& overrides = {},
                           int quality = commands::kFormatQuality);

// Writes the PNG thumbnail of the layout in a size x size box to `output`
// (see commands::EncodeThumbnail): a layout beyond
// commands::kMaxThumbnailLayoutFileSize is not read, the render pass is held
// to the thumbnail budget, and a pass cut short gives a thumbnail of what it
// drew, with a warning. "-" as for ExportLayout. A thumbnailer still at work
// after commands::kThumbnailTimeLimit ends the process with an error on
// standard error and exit status 1, having written nothing.
ExportOutcome WriteThumbnail(int size, const std::string& layout, const std::string& output);

}  // namespace vorbel::app
