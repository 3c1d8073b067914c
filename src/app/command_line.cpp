#include "app/command_line.h"

#include <string_view>
#include <vector>

namespace vorbel::app {

const char* ShortUsageText() {
  return "Usage: vorbel [LAYOUT]\n"
         "  or:  vorbel --export OUT LAYOUT\n"
         "  or:  vorbel --export-set DIR [OPTION]... LAYOUT\n"
         "Try 'vorbel --help' for more information.\n";
}

const char* UsageText() {
  return "Usage: vorbel [LAYOUT]\n"
         "  or:  vorbel --export OUT LAYOUT\n"
         "  or:  vorbel --export-set DIR [OPTION]... LAYOUT\n"
         "Draws small button images for web pages from a stack of layers.\n"
         "\n"
         "  LAYOUT                open this layout file in the main window\n"
         "  --export OUT LAYOUT   draw the layout file LAYOUT and write the button to\n"
         "                        the picture file OUT, without a window; OUT's\n"
         "                        extension chooses the format: BMP when it holds\n"
         "                        \"bmp\", JPEG when it holds \"jp\", PNG for \".png\",\n"
         "                        GIF otherwise (work area transparent in GIF and PNG)\n"
         // ---- button sets (set_command.h) ----
         "  --export-set DIR      draw LAYOUT once for every caption given and write the\n"
         "                        buttons, all of one size, into the folder DIR (made\n"
         "                        when it is missing), without a window; the caption\n"
         "                        layer is placed anew by its alignment on each button\n"
         "  --captions LIST       the captions, separated by commas\n"
         "  --captions-file FILE  the captions, one a line (UTF-8), after those of\n"
         "                        --captions; without either, the captions that\n"
         "                        LAYOUT keeps from the window's last Export Set\n"
         "  --states LIST         the looks to draw, of normal, hover, pressed and\n"
         "                        disabled (default: normal)\n"
         "  --scales LIST         the screen densities to draw for, of 1, 2 and 3\n"
         "                        (default: 1); 2 and 3 draw the buttons anew, larger\n"
         "  --format FORMAT       png, gif, jpg or bmp (default: png)\n"
         "  --pattern PATTERN     the file names, from {name} (the caption in lower-case\n"
         "                        letters, digits and dashes), {index}, {state} and\n"
         "                        {scale}, the format's extension added (default:\n"
         "                        \"{name}-{state}@{scale}x\")\n"
         "  --size SIZE           fit (default: every button as large as its largest\n"
         "                        caption needs) or fixed (the layout's size; a caption\n"
         "                        that does not fit is an error)\n"
         "  --sprite              also write a PNG sprite sheet per scale, buttons.css\n"
         "                        with a class per button, and preview.html\n"
         "  --caption-layer N     the text layer that takes the captions, counted from 0\n"
         "                        as in the layout file (default: the top-most one)\n"
         "  --set SETTING         N:KEY=VALUE: set the property KEY of layer N to VALUE\n"
         "                        for this run of --export or --export-set; repeatable\n"
         // ----
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
      return {Action::Help, {}, {}, {}, {}};
    } else if (arg == "--version" || arg == "-V") {
      return {Action::Version, {}, {}, {}, {}};
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
    } else if (ParseSetOption(args, i, result.set, error)) {
      // A button-set option or --set, with its argument (set_command.cpp).
    } else if (error.empty()) {
      error = "unknown option '" + std::string(arg) + "'";
    }
  }
  // ---- button sets ----
  if (error.empty()) error = CheckSetArguments(result.set, exportAsked, positional.size());
  if (error.empty() && result.set.export_set) {
    result.action = Action::ExportSet;
    result.layout = positional.front();
    return result;
  }
  if (error.empty() && exportAsked && !positional.empty()) {
    error = "unexpected argument '" + positional.front() + "' beside --export OUT LAYOUT";
  }
  if (!error.empty()) return {Action::UsageError, {}, {}, error, {}};
  if (exportAsked) {
    result.action = Action::Export;
    return result;
  }
  return {Action::Window, {}, {}, {}, {}};
}

}  // namespace vorbel::app
