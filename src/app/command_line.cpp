#include "app/command_line.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "base/ascii_text.h"
#include "base/translation.h"
#include "commands/thumbnail.h"

namespace vorbel::app {
namespace {

using base::Translate;
using base::TranslateFormat;

// The format --format names: png, gif, jpg (or jpeg) or bmp, in any letter
// case.
std::optional<commands::ExportFormat> FormatNamed(std::string_view name) {
  const std::string lower = base::LowerCaseAscii(name);
  if (lower == "png") return commands::ExportFormat::Png;
  if (lower == "gif") return commands::ExportFormat::Gif;
  if (lower == "jpg" || lower == "jpeg") return commands::ExportFormat::Jpeg;
  if (lower == "bmp") return commands::ExportFormat::Bmp;
  return std::nullopt;
}

// SIZE of --thumbnail: a whole number from 1 to kMaxThumbnailSize.
int ThumbnailSizeNamed(std::string_view text) {
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return size >= 1 && size <= commands::kMaxThumbnailSize ? size : 0;
}

// A command line that asks for `action` and nothing else.
CommandLine Only(CommandLine::Action action) {
  CommandLine only;
  only.action = action;
  return only;
}

}  // namespace

std::string ShortUsageText() {
  return base::FormatMessage("%s\n%s\n%s\n%s\n%s\n",
                             {Translate("Usage: vorbel [LAYOUT]"), Translate("  or:  vorbel --export OUT LAYOUT"),
                              Translate("  or:  vorbel --thumbnail SIZE LAYOUT OUT"),
                              Translate("  or:  vorbel --export-set DIR [OPTION]... LAYOUT"),
                              Translate("Try 'vorbel --help' for more information.")});
}

std::string UsageText() {
  // Option lines: two spaces, the option, its arguments in capitals; the
  // description starts in column 25 or on the next line (see the header).
  return base::FormatMessage(
      "%s\n%s\n%s\n%s\n%s\n\n%s%s%s%s%s%s%s%s%s\n%s",
      {Translate("Usage: vorbel [LAYOUT]"), Translate("  or:  vorbel --export OUT LAYOUT"),
       Translate("  or:  vorbel --thumbnail SIZE LAYOUT OUT"),
       Translate("  or:  vorbel --export-set DIR [OPTION]... LAYOUT"),
       Translate("Draws small button images for web pages from a stack of layers."),
       Translate("  LAYOUT                open this layout file in the main window\n"),
       Translate("  --export OUT LAYOUT   draw the layout file LAYOUT and write the button to\n"
                 "                        the picture file OUT, without a window; OUT's\n"
                 "                        extension chooses the format: BMP when it holds\n"
                 "                        \"bmp\", JPEG when it holds \"jp\", PNG for \".png\",\n"
                 "                        GIF otherwise (work area transparent in GIF and PNG)\n"),
       Translate("  --format FORMAT       write the picture of --export as FORMAT (png, gif,\n"
                 "                        jpg or bmp), whatever the name OUT says, and the\n"
                 "                        buttons of --export-set (default: png)\n"),
       Translate("  --thumbnail SIZE LAYOUT OUT\n"
                 "                        write a PNG thumbnail of LAYOUT to OUT for file\n"
                 "                        managers: the button scaled to fit SIZE x SIZE\n"
                 "                        pixels (1 to 1024), the work area transparent\n"),
       // ---- button sets (set_command.h) ----
       Translate("  --export-set DIR      draw LAYOUT once for every caption given and write the\n"
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
                 "                        as in the layout file (default: the top-most one)\n"),
       Translate("  --set SETTING         N:KEY=VALUE: set the property KEY of layer N to VALUE\n"
                 "                        for this run of --export or --export-set; repeatable\n"),
       Translate("  -h, --help            show this help and exit\n"),
       Translate("  -V, --version         show the version and exit\n"),
       Translate("  --                    end of options: the arguments after it are file names\n"),
       Translate("A LAYOUT of \"-\" is read from standard input; its pictures are then looked\n"
                 "up in the working folder. An OUT of \"-\" is written to standard output, in\n"
                 "the format --format names (GIF without it). Options may come in any order.\n")});
}

CommandLine ParseCommandLine(std::span<const char* const> args) {
  using Action = CommandLine::Action;
  CommandLine result;
  bool exportAsked = false;
  bool optionsEnded = false;
  std::vector<std::string> positional;
  std::string error;  // the first usage error; a later --help or --version still wins
  const auto usageError = [&error](std::string message) {
    if (error.empty()) error = std::move(message);
  };
  // ---- thumbnails and pipes ----
  bool thumbnailAsked = false;
  std::optional<std::string> formatName;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    // An option's first argument may be joined to it by "=".
    const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string_view::npos;
    const std::string_view name = arg.substr(0, equals);
    const bool joined = equals != std::string_view::npos;
    // The arguments of the option at i, `count` of them, as they stand (even
    // when they start with "-"); false when there are not that many.
    std::vector<std::string> taken;
    const auto take = [&](std::size_t count) {
      if (joined) taken.emplace_back(arg.substr(equals + 1));
      const std::size_t more = count - taken.size();
      if (args.size() - i - 1 < more) return false;
      for (std::size_t k = 1; k <= more; ++k) taken.emplace_back(args[i + k]);
      i += more;
      return true;
    };
    if (optionsEnded || arg.empty() || arg.front() != '-' || arg == kStandardStream) {
      positional.emplace_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      return Only(Action::Help);
    } else if (arg == "--version" || arg == "-V") {
      return Only(Action::Version);
    } else if (name == "--export") {
      if (!take(2)) {
        usageError(Translate("--export needs an output file and a layout file"));
        break;
      }
      if (exportAsked) usageError(Translate("--export may be given only once"));
      exportAsked = true;
      result.output = taken[0];
      result.layout = taken[1];
    } else if (name == "--thumbnail") {  // ---- thumbnails and pipes ----
      if (!take(3)) {
        usageError(Translate("--thumbnail needs a size, a layout file and an output file"));
        break;
      }
      if (thumbnailAsked) usageError(Translate("--thumbnail may be given only once"));
      thumbnailAsked = true;
      result.thumbnail_size = ThumbnailSizeNamed(taken[0]);
      if (result.thumbnail_size == 0) {
        usageError(TranslateFormat("the size of --thumbnail must be a whole number of pixels from 1 to %s, not '%s'",
                                   {std::to_string(commands::kMaxThumbnailSize), taken[0]}));
      }
      result.layout = taken[1];
      result.output = taken[2];
    } else if (name == "--format") {
      if (!take(1)) {
        usageError(Translate("--format needs a format: png, gif, jpg or bmp"));
        break;
      }
      // The last one given counts.
      formatName = taken[0];
      // ---- end of thumbnails and pipes ----
    } else if (const int arity = SetOptionArity(name); arity >= 0) {  // ---- button sets ----
      if (arity == 0 && joined) {
        usageError(TranslateFormat("%s takes no value", {name}));
      } else if (arity == 1 && !take(1)) {
        usageError(TranslateFormat("%s needs a value", {name}));
        break;
      }
      ApplySetOption(name, arity == 1 ? taken[0] : std::string(), result.set, error);
    } else {
      usageError(TranslateFormat("unknown option '%s'", {arg}));
    }
  }
  if (exportAsked && thumbnailAsked) usageError(Translate("--export and --thumbnail cannot be given together"));
  usageError(CheckSetArguments(result.set, exportAsked, thumbnailAsked, positional.size()));
  if (!positional.empty()) {
    if (exportAsked) {
      usageError(TranslateFormat("unexpected argument '%s' beside --export OUT LAYOUT", {positional.front()}));
    } else if (thumbnailAsked) {
      usageError(TranslateFormat("unexpected argument '%s' beside --thumbnail SIZE LAYOUT OUT", {positional.front()}));
    }
  }
  if (formatName) {
    result.format = FormatNamed(*formatName);
    if (!result.format) {
      usageError(TranslateFormat("unknown picture format '%s' for --format: use png, gif, jpg or bmp", {*formatName}));
    } else if (thumbnailAsked && *result.format != commands::ExportFormat::Png) {
      usageError(Translate("a thumbnail is always a PNG picture: --format can only be png with --thumbnail"));
    } else if (!exportAsked && !thumbnailAsked && !result.set.export_set) {
      usageError(Translate("--format goes with --export, --thumbnail or --export-set"));
    } else if (result.set.export_set) {
      result.set.options.format = *result.format;
    }
  }
  if (!error.empty()) {
    CommandLine usage = Only(Action::UsageError);
    usage.error = error;
    return usage;
  }
  if (exportAsked) {
    result.action = Action::Export;
    return result;
  }
  if (thumbnailAsked) {
    result.action = Action::Thumbnail;
    return result;
  }
  if (result.set.export_set) {
    result.action = Action::ExportSet;
    result.layout = positional.front();
    return result;
  }
  return Only(Action::Window);
}

}  // namespace vorbel::app
