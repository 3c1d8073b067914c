#pragma once
// `vorbel --export OUT LAYOUT`: the Open and Export commands of the main
// window, run without a window.

#include <string>

namespace vorbel::app {

// Loads the layout file as Open does (one render pass at the end of the load)
// and exports the button to `output` as the Export command does (GIF and PNG
// with a pass of their own). A layout file that does not exist or cannot be
// read is an error here. Returns the empty text on success, else the message
// to show.
std::string ExportLayout(const std::string& output, const std::string& layout);

}  // namespace vorbel::app
