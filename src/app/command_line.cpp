#include "app/command_line.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

#include "base/ascii_text.h"
#include "base/translation.h"
#include "commands/button_set.h"
#include "commands/export_formats.h"
#include "commands/thumbnail.h"
#include "layout/layout_file.h"
#include "render/button_states.h"

namespace vorbel::app {
namespace {

using base::Translate;
using base::TranslateFormat;

// QUALITY of --quality: a whole number from 0 to kMaxQuality, else nullopt.
std::optional<int> QualityNamed(std::string_view text) {
  int quality = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), quality);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (quality < 0 || quality > commands::kMaxQuality) return std::nullopt;
  return quality;
}

// The names of the formats that take a quality: "jpg, webp".
std::string QualityFormatList() {
  std::string list;
  for (const commands::ExportFormatInfo& row : commands::ExportFormats()) {
    if (row.takes_quality) list += (list.empty() ? "" : ", ") + std::string(row.name);
  }
  return list;
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

// The values of the arguments that take one of a few, from the tables that
// define them; the shell completion offers them.
std::string ArgumentValuesText() {
  std::string extensions;
  for (const commands::ExportFormatInfo& row : commands::ExportFormats()) {
    std::string names;
    for (std::string_view extension : row.extensions) names += (names.empty() ? "" : " ") + std::string(extension);
    extensions += base::FormatMessage("  %s  %s%s\n", {row.name, row.transparent_work_area ? "* " : "  ", names});
  }
  std::string states;
  for (render::ButtonState state : render::kButtonStates) {
    states += (states.empty() ? "" : ", ") + std::string(render::ButtonStateName(state));
  }
  std::string scales;
  for (int scale = 1; scale <= commands::kMaxSetScale; ++scale) {
    scales += (scales.empty() ? "" : ", ") + std::to_string(scale);
  }
  return base::FormatMessage(
      "%s\n  FORMAT    %s\n  SIZING    fit, fixed\n  STATES    %s (%s)\n  SCALES    %s (%s)\n\n%s\n%s",
      {Translate("Values of the arguments:"), commands::FormatNameList(), states,
       Translate("a list separated by commas"), scales, Translate("a list separated by commas"),
       Translate("Picture formats and the file-name extensions that choose them (* transparent pixels kept):"),
       extensions});
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
      "%s\n%s\n%s\n%s\n%s\n\n%s%s%s%s%s%s%s%s%s\n%s\n%s",
      {Translate("Usage: vorbel [LAYOUT]"), Translate("  or:  vorbel --export OUT LAYOUT"),
       Translate("  or:  vorbel --thumbnail SIZE LAYOUT OUT"),
       Translate("  or:  vorbel --export-set DIR [OPTION]... LAYOUT"),
       Translate("Draws small button images for web pages from a stack of layers."),
       Translate("  LAYOUT                open this layout file in the main window\n"),
       Translate("  --export OUT LAYOUT   draw the layout file LAYOUT and write the button to\n"
                 "                        the picture file OUT, without a window; OUT's\n"
                 "                        extension chooses the format: BMP when it holds\n"
                 "                        \"bmp\", JPEG when it holds \"jp\", PNG for \".png\",\n"
                 "                        WebP for \".webp\", GIF otherwise (transparency kept\n"
                 "                        in GIF, PNG and WebP)\n"),
       Translate("  --format FORMAT       write the picture of --export as FORMAT, whatever\n"
                 "                        the name OUT says; for --export-set a list such as\n"
                 "                        webp,png writes every button in each format, the\n"
                 "                        pages offering them in that order (default: png)\n"
                 "  --quality QUALITY     write lossy WebP pictures, or JPEG ones, at QUALITY\n"
                 "                        from 0 (smallest) to 100 (default: lossless WebP,\n"
                 "                        JPEG at 90)\n"),
       Translate("  --thumbnail SIZE LAYOUT OUT\n"
                 "                        write a PNG thumbnail of LAYOUT to OUT for file\n"
                 "                        managers: the button scaled to fit SIZE x SIZE\n"
                 "                        pixels (1 to 1024), with the button's transparency\n"),
       // ---- button sets (set_command.h) ----
       Translate("  --export-set DIR      draw LAYOUT once for every caption given and write the\n"
                 "                        buttons, all of one size, into the folder DIR (made\n"
                 "                        when it is missing), without a window; the caption\n"
                 "                        layer is placed anew by its alignment on each button\n"
                 "  --captions LIST       the captions, separated by commas\n"
                 "  --captions-file FILE  the captions, one a line (UTF-8), after those of\n"
                 "                        --captions; without either, the captions that\n"
                 "                        LAYOUT keeps from the window's last Export Set\n"
                 "  --states STATES       the looks to draw, of normal, hover, pressed and\n"
                 "                        disabled (default: normal)\n"
                 "  --scales SCALES       the screen densities to draw for, of 1, 2 and 3\n"
                 "                        (default: 1); 2 and 3 draw the buttons anew, larger\n"
                 "  --pattern PATTERN     the file names, from {name} (the caption in lower-case\n"
                 "                        letters, digits and dashes), {index}, {state} and\n"
                 "                        {scale}, the format's extension added (default:\n"
                 "                        \"{name}-{state}@{scale}x\")\n"
                 "  --size SIZING         fit (default: every button as large as its largest\n"
                 "                        caption needs) or fixed (the layout's size; a caption\n"
                 "                        that does not fit is an error)\n"
                 "  --sprite              also write a sprite sheet per scale (PNG, or in each\n"
                 "                        format that keeps partial transparency), and show\n"
                 "                        the buttons from them in buttons.css, preview.html\n"
                 "                        and buttons.html (without it, as <img srcset>)\n"
                 "  --caption-layer N     the text layer that takes the captions, counted from 0\n"
                 "                        as in the layout file (default: the top-most one)\n"),
       Translate("  --set SETTING         N:KEY=VALUE: set the property KEY of layer N to VALUE\n"
                 "                        for this run of --export or --export-set; repeatable;\n"
                 "                        Button:KEY=VALUE sets Transparency (WorkAreaColor or\n"
                 "                        Unpainted), Smooth (Yes or No) or Matte of the button\n"
                 "  --matte COLOUR        the colour GIF, JPEG and BMP pictures blend partly\n"
                 "                        transparent pixels onto (JPEG and BMP transparent\n"
                 "                        ones too): a colour name such as clWhite, $00BBGGRR\n"
                 "                        or #RRGGBB (default: the layout's matte, else its\n"
                 "                        work-area colour)\n"),
       Translate("  -h, --help            show this help and exit\n"),
       Translate("  -V, --version         show the version and exit\n"),
       Translate("  --                    end of options: the arguments after it are file names\n"),
       Translate("A LAYOUT of \"-\" is read from standard input; its pictures are then looked\n"
                 "up in the working folder. An OUT of \"-\" is written to standard output, in\n"
                 "the format --format names (GIF without it). Options may come in any order.\n"),
       ArgumentValuesText()});
}

namespace {

// The options, for getopt_long. An option with an argument takes it from the
// next word, or joined by "=".
enum OptionId : int {
  kHelp = 'h',
  kVersion = 'V',
  kExport = 0x100,
  kThumbnail,
  kFormat,
  kMatte,
  kQuality,
  kSetOption,  // the set options, each with a value of its own from here on,
               // so that an abbreviation of two of them is ambiguous
};

constexpr std::array<option, 18> kOptions = {{
    {"export", required_argument, nullptr, kExport},
    {"thumbnail", required_argument, nullptr, kThumbnail},
    {"format", required_argument, nullptr, kFormat},
    {"matte", required_argument, nullptr, kMatte},
    {"quality", required_argument, nullptr, kQuality},
    {"export-set", required_argument, nullptr, kSetOption + 0},
    {"captions", required_argument, nullptr, kSetOption + 1},
    {"captions-file", required_argument, nullptr, kSetOption + 2},
    {"states", required_argument, nullptr, kSetOption + 3},
    {"scales", required_argument, nullptr, kSetOption + 4},
    {"pattern", required_argument, nullptr, kSetOption + 5},
    {"size", required_argument, nullptr, kSetOption + 6},
    {"caption-layer", required_argument, nullptr, kSetOption + 7},
    {"set", required_argument, nullptr, kSetOption + 8},
    {"sprite", no_argument, nullptr, kSetOption + 9},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
}};
// "-": operands come back in their place as 1, whatever POSIXLY_CORRECT says;
// ":": a missing argument comes back as ':'.
constexpr const char* kShortOptions = "-:hV";

// The option a word names, "--" and its name without "=value" ("-h" for a
// short one).
std::string OptionWord(std::string_view word) { return std::string(word.substr(0, word.find('='))); }

// The message for an option given without its argument.
std::string MissingArgument(std::string_view option) {
  if (option == "--export") return Translate("--export needs an output file and a layout file");
  if (option == "--thumbnail") return Translate("--thumbnail needs a size, a layout file and an output file");
  if (option == "--format") return TranslateFormat("--format needs a format: %s", {commands::FormatNameList()});
  return TranslateFormat("%s needs a value", {option});
}

// The option a word names: the one of that name, else the one whose name it
// starts (an abbreviation); nullptr when there is none or more than one.
const option* OptionNamed(std::string_view word) {
  const std::string_view name = std::string_view(word).substr(0, word.find('=')).substr(2);
  const option* found = nullptr;
  for (const option& known : kOptions) {
    if (known.name == nullptr || !std::string_view(known.name).starts_with(name)) continue;
    if (name == known.name) return &known;
    if (found != nullptr) return nullptr;
    found = &known;
  }
  return found;
}

// "--" and the option's full name, for messages; the word as given (without
// "=value") when it names no one option.
std::string LongOptionName(std::string_view word) {
  const option* known = word.rfind("--", 0) == 0 ? OptionNamed(word) : nullptr;
  return known != nullptr ? std::string("--") + known->name : OptionWord(word);
}

// The message for a word that is no option: unknown, or the start of more
// than one.
std::string UnknownOption(std::string_view word) {
  const std::string option = OptionWord(word);
  if (option.rfind("--", 0) == 0 && option.size() > 2) {
    int matches = 0;
    for (const ::option& known : kOptions) {
      if (known.name != nullptr && std::string_view(known.name).starts_with(std::string_view(option).substr(2))) {
        ++matches;
      }
    }
    if (matches > 1) return TranslateFormat("option '%s' is ambiguous", {option});
  }
  return TranslateFormat("unknown option '%s'", {option});
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> args) {
  using Action = CommandLine::Action;
  CommandLine result;
  bool exportAsked = false;
  bool thumbnailAsked = false;
  bool helpAsked = false;
  bool versionAsked = false;
  bool matteAsked = false;
  std::optional<std::string> formatName;
  std::optional<std::string> qualityText;
  std::string thumbnailSize;
  std::vector<std::string> positional;
  std::string error;  // the first usage error; a later --help or --version still wins
  const auto usageError = [&error](std::string message) {
    if (error.empty()) error = std::move(message);
  };

  // getopt_long reorders the words it is given: it gets copies.
  std::vector<std::string> words{"vorbel"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(words.size());

  optind = 0;  // starts getopt afresh
  opterr = 0;  // the messages are ours
  for (;;) {
    int index = -1;
    const int id = getopt_long(argc, argv.data(), kShortOptions, kOptions.data(), &index);
    if (id == -1) break;
    // The word the option came in: getopt has moved past it and its argument.
    const std::string_view word = argv[static_cast<std::size_t>(optind) - 1];
    const std::string name = index >= 0 ? std::string("--") + kOptions[static_cast<std::size_t>(index)].name : "";
    switch (id) {
      case 1: positional.emplace_back(optarg); break;
      case kHelp: helpAsked = true; break;
      case kVersion: versionAsked = true; break;
      case kExport:
        if (exportAsked) usageError(Translate("--export may be given only once"));
        exportAsked = true;
        result.output = optarg;
        break;
      case kThumbnail:
        if (thumbnailAsked) usageError(Translate("--thumbnail may be given only once"));
        thumbnailAsked = true;
        thumbnailSize = optarg;
        break;
      case kFormat: formatName = optarg; break;  // the last one given counts
      case kQuality: qualityText = optarg; break;  // the last one given counts
      case kMatte:
        // The matte of the [Button] section, for this run.
        matteAsked = true;
        if (!layout::MatteNamed(optarg)) {
          usageError(TranslateFormat("--matte takes a colour such as clWhite, $00BBGGRR or #RRGGBB, not '%s'",
                                     {std::string(optarg)}));
        } else {
          result.set.overrides.push_back({commands::PropertyOverride::kButton, "Matte", optarg});
        }
        break;
      case ':': usageError(MissingArgument(LongOptionName(word))); break;  // an argument is missing
      default:
        if (id >= kSetOption) {
          ApplySetOption(name, optarg != nullptr ? optarg : "", result.set, error);
          break;
        }
        // '?': an unknown option, or a value given to one that takes none.
        if (optopt != 0 && optopt != '?' && word.rfind("--", 0) == 0) {
          usageError(TranslateFormat("%s takes no value", {LongOptionName(word)}));
        } else if (optopt != 0 && word.rfind("--", 0) != 0) {
          usageError(TranslateFormat("unknown option '%s'", {std::string("-") + static_cast<char>(optopt)}));
        } else {
          usageError(UnknownOption(word));
        }
        break;
    }
  }
  // After "--", every word is a file name.
  for (int i = optind; i < argc; ++i) positional.emplace_back(argv[static_cast<std::size_t>(i)]);
  if (helpAsked) return Only(Action::Help);
  if (versionAsked) return Only(Action::Version);

  if (exportAsked && thumbnailAsked) usageError(Translate("--export and --thumbnail cannot be given together"));
  if (matteAsked && !exportAsked && !result.set.export_set) {
    usageError(Translate("--matte goes with --export or --export-set"));
  }
  usageError(CheckSetArguments(result.set, exportAsked, thumbnailAsked, positional.size()));
  // An empty list is a value --captions does not take; an empty captions file
  // is a mistake in the file.
  if (result.set.captions_given && result.set.captions_files.empty() && result.set.options.captions.empty()) {
    usageError(Translate("the caption list is empty"));
  }
  if (exportAsked) {
    // --export OUT LAYOUT: the layout is the one file name.
    if (positional.empty()) {
      usageError(Translate("--export needs an output file and a layout file"));
    } else if (positional.size() > 1) {
      usageError(TranslateFormat("unexpected argument '%s' beside --export OUT LAYOUT", {positional[1]}));
    } else {
      result.layout = positional[0];
    }
  }
  if (thumbnailAsked) {
    // --thumbnail SIZE LAYOUT OUT.
    result.thumbnail_size = ThumbnailSizeNamed(thumbnailSize);
    if (result.thumbnail_size == 0) {
      usageError(TranslateFormat("the size of --thumbnail must be a whole number of pixels from 1 to %s, not '%s'",
                                 {std::to_string(commands::kMaxThumbnailSize), thumbnailSize}));
    }
    if (positional.size() < 2) {
      usageError(Translate("--thumbnail needs a size, a layout file and an output file"));
    } else if (positional.size() > 2) {
      usageError(TranslateFormat("unexpected argument '%s' beside --thumbnail SIZE LAYOUT OUT", {positional[2]}));
    } else {
      result.layout = positional[0];
      result.output = positional[1];
    }
  }
  if (formatName && result.set.export_set && !exportAsked && !thumbnailAsked) {
    // A set takes a list: every picture is written in each format.
    try {
      result.set.options.formats = commands::ParseFormats(*formatName);
      result.format = result.set.options.formats.front();
    } catch (const commands::SetError& e) {
      usageError(TranslateFormat("--format: %s", {e.what()}));
    }
  } else if (formatName) {
    result.format = commands::FormatNamed(*formatName);
    if (!result.format) {
      usageError(TranslateFormat("unknown picture format '%s' for --format: use %s",
                                 {*formatName, commands::FormatNameList()}));
    } else if (thumbnailAsked && *result.format != commands::ExportFormat::Png) {
      usageError(Translate("a thumbnail is always a PNG picture: --format can only be png with --thumbnail"));
    } else if (!exportAsked && !thumbnailAsked && !result.set.export_set) {
      usageError(Translate("--format goes with --export, --thumbnail or --export-set"));
    }
  }
  if (qualityText) {
    const std::optional<int> quality = QualityNamed(*qualityText);
    // The format the picture is written in; for a set, the first of its
    // formats that takes a quality (the others are written as they are).
    std::optional<commands::ExportFormat> format = result.format;
    if (exportAsked && !format) format = commands::ExportFormatFor(result.output);
    if (result.set.export_set) {
      const std::vector<commands::ExportFormat>& formats = result.set.options.formats;
      const auto lossy = std::find_if(formats.begin(), formats.end(), [](commands::ExportFormat f) {
        return commands::FormatInfo(f).takes_quality;
      });
      format = lossy != formats.end() ? *lossy : formats.front();
    }
    if (!quality) {
      usageError(TranslateFormat("--quality takes a whole number from 0 to %s, not '%s'",
                                 {std::to_string(commands::kMaxQuality), *qualityText}));
    } else if ((!exportAsked && !result.set.export_set) || thumbnailAsked) {
      usageError(Translate("--quality goes with --export or --export-set"));
    } else if (format && !commands::FormatInfo(*format).takes_quality) {
      usageError(TranslateFormat("--quality is for the formats %s, not %s",
                                 {QualityFormatList(), commands::FormatInfo(*format).name}));
    } else {
      result.quality = *quality;
      result.set.options.quality = *quality;
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
