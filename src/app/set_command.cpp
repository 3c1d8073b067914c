#include "app/set_command.h"

#include <exception>
#include <new>
#include <string_view>

#include "base/file_reader.h"
#include "document/button_document.h"
#include "layout/layout_file.h"
#include "render/button_renderer.h"

namespace vorbel::app {

bool ParseSetOption(std::span<const char* const> args, std::size_t& i, SetArguments& set, std::string& error) {
  const std::string_view option = args[i];
  static constexpr std::string_view kWithValue[] = {"--export-set",    "--captions", "--captions-file", "--states",
                                                    "--scales",        "--format",   "--pattern",       "--size",
                                                    "--caption-layer", "--set"};
  bool takesValue = false;
  for (std::string_view name : kWithValue) takesValue = takesValue || option == name;
  if (!takesValue && option != "--sprite") return false;
  if (option != "--set" && option != "--export-set" && set.first_set_option.empty()) {
    set.first_set_option = option;
  }
  if (option == "--sprite") {
    set.options.sprite = true;
    return true;
  }
  if (i + 1 >= args.size()) {
    if (error.empty()) error = std::string(option) + " needs a value";
    i = args.size();
    return true;
  }
  const std::string_view value = args[++i];
  try {
    if (option == "--export-set") {
      if (set.export_set && error.empty()) error = "--export-set may be given only once";
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
    } else if (option == "--format") {
      set.options.format = commands::ParseFormatName(value);
    } else if (option == "--pattern") {
      commands::CheckPattern(value);
      set.options.pattern = value;
    } else if (option == "--size") {
      if (value == "fit") {
        set.options.size = commands::SetSize::Fit;
      } else if (value == "fixed") {
        set.options.size = commands::SetSize::Fixed;
      } else if (error.empty()) {
        error = "unknown size '" + std::string(value) + "': the sizes are fit and fixed";
      }
    } else if (option == "--caption-layer") {
      if (value.empty() || value.size() > 6 || value.find_first_not_of("0123456789") != std::string_view::npos) {
        if (error.empty()) error = "--caption-layer needs the number of a layer, counted from 0";
      } else {
        set.options.caption_layer = std::stoi(std::string(value));
      }
    } else {
      set.overrides.push_back(commands::ParsePropertyOverride(value));
    }
  } catch (const commands::SetError& e) {
    if (error.empty()) error = e.what();
  }
  return true;
}

std::string CheckSetArguments(const SetArguments& set, bool exportAsked, std::size_t layouts) {
  if (!set.export_set) {
    if (!set.first_set_option.empty()) return set.first_set_option + " needs --export-set";
    if (!set.overrides.empty() && !exportAsked) return "--set needs --export or --export-set";
    return {};
  }
  if (exportAsked) return "--export and --export-set cannot be given together";
  if (layouts != 1) return "--export-set DIR needs one layout file";
  return {};
}

SetOutcome ExportLayoutSet(const SetArguments& set, const std::string& layout) {
  try {
    document::ButtonDocument doc;
    layout::LoadLayout(doc, layout, {}, layout::MissingLayout::IsAnError);
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
        throw commands::SetError(layout + " keeps no captions of a set: give them with --captions or --captions-file");
      }
    }
    if (options.captions.size() > commands::kMaxCaptions) {
      throw commands::SetError("a set takes at most " + std::to_string(commands::kMaxCaptions) + " captions");
    }
    commands::ButtonSet buttons(doc, std::move(options));
    commands::SetWriter writer(buttons, set.folder);
    while (!writer.Done()) writer.WriteStep();
    SetOutcome outcome;
    for (const std::string& button : writer.PartlyDrawn()) {
      outcome.warning += std::string(outcome.warning.empty() ? "" : "; ") + button;
    }
    if (!outcome.warning.empty()) {
      outcome.warning = layout + ": drawn only in part, as one drawing of a button may take: " + outcome.warning;
    }
    return outcome;
  } catch (const std::bad_alloc&) {
    return {"out of memory while exporting the set of " + layout, {}};
  } catch (const std::exception& e) {
    return {e.what(), {}};
  }
}

}  // namespace vorbel::app
