#include "app/set_command.h"

#include <exception>
#include <new>
#include <string_view>

#include "base/file_reader.h"
#include "base/translation.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace vorbel::app {

using base::Translate;
using base::TranslateFormat;

void ApplySetOption(std::string_view option, std::string_view value, SetArguments& set, std::string& error) {
  const auto usageError = [&error](std::string message) {
    if (error.empty()) error = std::move(message);
  };
  if (option != "--set" && option != "--export-set" && set.first_set_option.empty()) {
    set.first_set_option = option;
  }
  try {
    if (option == "--sprite") {
      set.options.sprite = true;
    } else if (option == "--export-set") {
      if (set.export_set) usageError(Translate("--export-set may be given only once"));
      set.export_set = true;
      set.folder = value;
    } else if (option == "--captions") {
      const std::vector<std::string> captions = commands::ParseCaptionList(value);
      set.options.captions.insert(set.options.captions.end(), captions.begin(), captions.end());
      set.captions_given = true;
    } else if (option == "--captions-file") {
      set.captions_files.emplace_back(value);
      set.captions_given = true;
    } else if (option == "--states") {
      set.options.states = commands::ParseStates(value);
    } else if (option == "--scales") {
      set.options.scales = commands::ParseScales(value);
    } else if (option == "--pattern") {
      commands::CheckPattern(value);
      set.options.pattern = value;
    } else if (option == "--size") {
      if (value == "fit") {
        set.options.size = commands::SetSize::Fit;
      } else if (value == "fixed") {
        set.options.size = commands::SetSize::Fixed;
      } else {
        usageError(TranslateFormat("unknown size '%s': the sizes are fit and fixed", {value}));
      }
    } else if (option == "--caption-layer") {
      if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string_view::npos) {
        usageError(Translate("--caption-layer needs the number of a layer, counted from 0"));
      } else {
        set.options.caption_layer = std::stoi(std::string(value));
      }
    } else {
      set.overrides.push_back(commands::ParsePropertyOverride(value));
    }
  } catch (const commands::SetError& e) {
    usageError(e.what());
  }
}

std::string CheckSetArguments(const SetArguments& set, bool exportAsked, bool thumbnailAsked, std::size_t layouts) {
  if (!set.export_set) {
    if (!set.first_set_option.empty()) return TranslateFormat("%s needs --export-set", {set.first_set_option});
    if (!set.overrides.empty() && !exportAsked) return Translate("--set needs --export or --export-set");
    return {};
  }
  if (exportAsked || thumbnailAsked) return Translate("--export-set cannot be given with --export or --thumbnail");
  if (layouts != 1) return Translate("--export-set DIR needs one layout file");
  return {};
}

SetOutcome ExportLayoutSet(const SetArguments& set, const std::string& layout) {
  try {
    document::ButtonDocument doc;
    // "-" is standard input, whose pictures resolve in the working folder.
    if (layout == "-") {
      layout::LoadLayoutFromStandardInput(doc, Translate("standard input"));
    } else {
      layout::LoadLayout(doc, layout, {}, layout::MissingLayout::IsAnError);
    }
    for (const commands::PropertyOverride& change : set.overrides) commands::ApplyPropertyOverride(doc, change);
    commands::SetOptions options = set.options;
    for (const std::string& file : set.captions_files) {
      const std::vector<std::string> captions =
          commands::ParseCaptionsFile(base::ReadWholeFile(file, commands::kMaxCaptionsFileSize), file);
      options.captions.insert(options.captions.end(), captions.begin(), captions.end());
    }
    // Without captions on the command line, those the layout keeps.
    if (!set.captions_given) {
      options.captions = doc.SetCaptions();
      if (options.captions.empty()) {
        throw commands::SetError(
            TranslateFormat("%s keeps no captions of a set: give them with --captions or --captions-file", {layout}));
      }
    }
    if (options.captions.size() > commands::kMaxCaptions) {
      throw commands::SetError(
          TranslateFormat("a set takes at most %s captions", {std::to_string(commands::kMaxCaptions)}));
    }
    commands::ButtonSet buttons(doc, std::move(options));
    commands::SetWriter writer(buttons, set.folder);
    while (!writer.Done()) writer.WriteStep();
    SetOutcome outcome;
    std::string partly;
    for (const std::string& button : writer.PartlyDrawn()) partly += std::string(partly.empty() ? "" : "; ") + button;
    if (!partly.empty()) {
      outcome.warnings.push_back(
          TranslateFormat("%s: drawn only in part, as one drawing of a button may take: %s", {layout, partly}));
    }
    if (!buttons.SmoothLeftOutMessage().empty()) {
      outcome.warnings.push_back(TranslateFormat("%s: %s", {layout, buttons.SmoothLeftOutMessage()}));
    }
    for (const std::string& warning : buttons.ContrastWarnings(buttons.ButtonCount())) {
      outcome.warnings.push_back(TranslateFormat("%s: %s", {layout, warning}));
    }
    return outcome;
  } catch (const std::bad_alloc&) {
    return {TranslateFormat("out of memory while exporting the set of %s", {layout}), {}};
  } catch (const std::exception& e) {
    return {e.what(), {}};
  }
}

}  // namespace vorbel::app
