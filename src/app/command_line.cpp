#include "app/command_line.h"

#include <string_view>
#include <vector>

namespace vorbel::app {

const char* ShortUsageText() {
  return "Usage: vorbel [LAYOUT]\n"
         "  or:  vorbel --export OUT LAYOUT\n"
         "Try 'vorbel --help' for more information.\n";
}

const char* UsageText() {
  return "Usage: vorbel [LAYOUT]\n"
         "  or:  vorbel --export OUT LAYOUT\n"
         "Draws small button images for web pages from a stack of layers.\n"
         "\n"
         "  LAYOUT                open this layout file in the main window\n"
         "  --export OUT LAYOUT   draw the layout file LAYOUT and write the button to\n"
         "                        the picture file OUT, without a window; OUT's\n"
         "                        extension chooses the format: BMP when it holds\n"
         "                        \"bmp\", JPEG when it holds \"jp\", PNG for \".png\",\n"
         "                        GIF otherwise (work area transparent in GIF and PNG)\n"
         "  -h, --help            show this help and exit\n"
         "  -V, --version         show the version and exit\n"
         "  --                    end of options: the arguments after it are file names\n";
}

CommandLine ParseCommandLine(std::span<const char* const> args) {
  using Action = CommandLine::Action;
  CommandLine result;
  bool exportAsked = false;
  bool optionsEnded = false;
  std::vector<std::string> positional;
  std::string error;  // the first usage error; a later --help or --version still wins

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (optionsEnded || arg.empty() || arg.front() != '-' || arg == "-") {
      positional.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      return {Action::Help, {}, {}, {}};
    } else if (arg == "--version" || arg == "-V") {
      return {Action::Version, {}, {}, {}};
    } else if (arg == "--export") {
      // Its two file names are taken as they stand, even when they start
      // with "-".
      if (args.size() - i - 1 < 2) {
        if (error.empty()) error = "--export needs an output file and a layout file";
        break;
      }
      if (exportAsked && error.empty()) error = "--export may be given only once";
      exportAsked = true;
      result.output = args[i + 1];
      result.layout = args[i + 2];
      i += 2;
    } else if (error.empty()) {
      error = "unknown option '" + std::string(arg) + "'";
    }
  }
  if (error.empty() && exportAsked && !positional.empty()) {
    error = "unexpected argument '" + positional.front() + "' beside --export OUT LAYOUT";
  }
  if (!error.empty()) return {Action::UsageError, {}, {}, error};
  if (exportAsked) {
    result.action = Action::Export;
    return result;
  }
  return {Action::Window, {}, {}, {}};
}

}  // namespace vorbel::app
