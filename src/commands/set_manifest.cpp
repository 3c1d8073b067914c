#include "commands/set_manifest.h"

#include "commands/button_set.h"
#include "commands/export_formats.h"
#include "commands/set_input.h"

namespace vorbel::commands {

std::string SetManifestText(const std::vector<std::string>& names) {
  std::string text = std::string(kManifestHeader) + "\n";
  for (const std::string& name : names) text += name + "\n";
  return text + "end\n";
}

std::optional<std::vector<std::string>> ParseSetManifest(std::string_view bytes) {
  if (bytes.size() > kMaxManifestSize) return std::nullopt;
  const std::string header = std::string(kManifestHeader) + "\n";
  if (bytes.substr(0, header.size()) != header) return std::nullopt;
  std::vector<std::string> names;
  std::size_t at = header.size();
  while (at < bytes.size()) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = bytes.substr(at, end - at);
    at = end + 1;
    if (line == "end") {
      if (at != bytes.size()) return std::nullopt;
      return names;
    }
    try {
      CheckSetFileName(line);
    } catch (const SetError&) {
      return std::nullopt;
    }
    names.emplace_back(line);
  }
  return std::nullopt;  // no "end": cut short
}

bool NamedLikeSetFile(std::string_view name, std::string_view pattern) {
  if (name == kStyleSheetName || name == kPreviewPageName || name == kSnippetName) return true;
  for (const ExportFormatInfo& row : ExportFormats()) {
    const std::string_view extension = row.extensions.front();
    if (name.size() <= extension.size() || name.substr(name.size() - extension.size()) != extension) continue;
    for (int scale = 1; scale <= kMaxSetScale; ++scale) {
      if (name == SpriteSheetName(scale, row.format)) return true;
    }
    if (PatternMatches(pattern, name.substr(0, name.size() - extension.size()))) return true;
  }
  return false;
}

}  // namespace vorbel::commands
