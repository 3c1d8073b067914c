// A stored layout's [Set] section, as anyone may have written it, made into
// a set's style sheet and preview page. Captions the set refuses raise
// SetError; for every other the style sheet must hold its one comment and
// nothing that ends a <style> element, and the page only the elements it
// writes itself: no caption may add markup or styles to either.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands/button_set.h"
#include "commands/set_page.h"
#include "document/button_document.h"
#include "layout/ini_file.h"
#include "layout/layout_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

bool HasControl(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\n') || byte == 0x7F;
  });
}

// Every "<" of the page opens one of the elements the page writer uses.
void CheckPageElements(const std::string& page) {
  static constexpr std::string_view kElements[] = {
      "!doctype", "html",   "head",  "meta", "title", "link", "style", "body", "h1",      "h2",     "p",  "a",
      "div",      "button", "table", "tr",   "th",    "td",   "img",   "code", "picture", "source", "br", "!--"};
  for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
    std::size_t from = at + 1;
    if (from < page.size() && page[from] == '/') ++from;
    const std::size_t end = page.find_first_of(" >", from);
    Check(end != std::string::npos);
    const std::string name = Lower(std::string_view(page).substr(from, end - from));
    Check(std::find(std::begin(kElements), std::end(kElements), name) != std::end(kElements));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel;
  const layout::IniFile ini(std::string(reinterpret_cast<const char*>(data), size));
  document::ButtonDocument layout;
  layout::ReadLayout(layout, ini);
  // The set's own layout: small, with one caption layer, so that the files
  // depend on the captions alone (the buttons grow to fit them; nothing is
  // drawn).
  document::ButtonDocument doc;
  doc.SetWidth(24);
  doc.SetHeight(12);
  doc.SetDocumentFileName(layout.GetDocumentFileName());
  doc.AppendRow(document::LayerRow::Make("Text", "Text=Go;FontSize=6;Align=5;"));
  commands::SetOptions options;
  options.captions = layout.SetCaptions();
  if (options.captions.empty() || options.captions.size() > 64) return 0;
  options.states = {render::ButtonState::Normal, render::ButtonState::Hover, render::ButtonState::Disabled};
  options.scales = {1, 2};
  // Both kinds of markup: sprite sheets, and pictures in two formats.
  options.sprite = size % 2 == 0;
  if (!options.sprite) options.formats = {commands::ExportFormat::Png, commands::ExportFormat::Gif};
  try {
    const commands::ButtonSet set(doc, options);
    const std::string css = commands::SetStyleSheet(set);
    const std::string page = commands::SetPreviewPage(set);
    const std::string snippet = commands::SetSnippet(set);
    // One comment, at the start; nothing that could end a <style> element.
    Check(css.rfind("/*") == 0 && css.find("*/") == css.rfind("*/"));
    Check(Lower(css).find("</style") == std::string::npos && !HasControl(css));
    CheckPageElements(page);
    CheckPageElements(snippet);
    Check(!HasControl(page) && !HasControl(snippet));
    // The snippet's comments end where they should: no caption closes one.
    const auto count = [&](std::string_view what) {
      int n = 0;
      for (std::size_t at = snippet.find(what); at != std::string::npos; at = snippet.find(what, at + 1)) ++n;
      return n;
    };
    Check(count("<!--") == count("-->"));
  } catch (const commands::SetError&) {
  }
  return 0;
}
