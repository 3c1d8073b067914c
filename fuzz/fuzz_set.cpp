// Feeds arbitrary bytes to everything a button set takes from outside: a
// captions file, a comma-separated caption list, a file-name pattern and a
// --set override; then plans a set of the captions with the pattern on a small
// layout and draws its first button. Each reader must give a result that
// keeps its promises or raise SetError; anything else is a fault.
//
// Input layout: captions file, pattern, override and caption list, separated
// by NUL bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_encoding.h"
#include "commands/button_set.h"
#include "commands/set_input.h"
#include "document/property_string.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string_view Field(std::string_view& input) {
  const std::size_t nul = input.find('\0');
  const std::string_view field = input.substr(0, nul);
  input = nul == std::string_view::npos ? std::string_view{} : input.substr(nul + 1);
  return field;
}

void CheckCaptions(const std::vector<std::string>& captions) {
  for (const std::string& caption : captions) {
    Check(!caption.empty() && vorbel::base::IsValidUtf8(caption));
    Check(caption.front() != ' ' && caption.back() != ' ' && caption.find('\n') == std::string::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorbel::commands;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view file = Field(input);
  const std::string_view pattern = Field(input);
  const std::string_view change = Field(input);
  const std::string_view list = Field(input);

  std::vector<std::string> captions;
  try {
    captions = ParseCaptionsFile(file, "f");
    CheckCaptions(captions);
  } catch (const SetError&) {
  }
  try {
    CheckCaptions(ParseCaptionList(list));
  } catch (const SetError&) {
  }

  // Slugs are unique, non-empty names of lower-case letters, digits and
  // single dashes inside.
  const std::vector<std::string> slugs = UniqueSlugs(captions);
  for (std::size_t i = 0; i < slugs.size(); ++i) {
    const std::string& slug = slugs[i];
    Check(!slug.empty() && slug.front() != '-' && slug.back() != '-');
    Check(slug.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos);
    for (std::size_t j = 0; j < i; ++j) Check(slugs[j] != slug);
  }

  bool patternUsable = false;
  try {
    CheckPattern(pattern);
    patternUsable = true;
    for (std::size_t i = 0; i < slugs.size() && i < 4; ++i) {
      const std::string name = ExpandPattern(pattern, slugs[i], static_cast<int>(i) + 1, "hover", 2);
      Check(name.find('/') == std::string::npos);
      try {
        CheckSetFileName(name);
        Check(name != "." && name != ".." && name.front() != '.' && name.size() <= 255);
      } catch (const SetError&) {
      }
    }
  } catch (const SetError&) {
  }

  try {
    const PropertyOverride parsed = ParsePropertyOverride(change);
    Check(!parsed.key.empty() && parsed.value.find(';') == std::string::npos);
    const std::string props = vorbel::document::SetPropValue(parsed.key, "Text=a;Pen=1", parsed.value);
    Check(vorbel::document::GetPropValue(parsed.key, props, "") == parsed.value);
  } catch (const SetError&) {
  }

  if (captions.empty() || captions.size() > 3 || !patternUsable) return 0;
  vorbel::document::ButtonDocument layout;
  layout.SetWidth(40);
  layout.SetHeight(16);
  layout.AppendRow(vorbel::document::LayerRow::Make("Background", "Color=clTeal;Shape=RoundRect;Draw3D=Yes;"));
  layout.AppendRow(vorbel::document::LayerRow::Make("Text", "Text=Go;FontSize=8;Color=clWhite;Align=5;", "1", "0"));
  SetOptions options;
  options.captions = captions;
  options.pattern = pattern;
  options.states = {vorbel::render::ButtonState::Normal, vorbel::render::ButtonState::Pressed};
  options.scales = {1, 2};
  options.sprite = true;
  try {
    ButtonSet set(layout, options);
    const std::vector<std::string> names = set.FileNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
      for (std::size_t j = 0; j < i; ++j) Check(names[i] != names[j]);
    }
    // Huge buttons are refused by the plan; the drawing stays small.
    if (std::int64_t{set.Width()} * set.Height() <= 20000) {
      const vorbel::gdi::Bitmap& picture = set.Draw(0, vorbel::render::ButtonState::Pressed, 2);
      Check(picture.Width() == set.Width() * 2 && picture.Height() == set.Height() * 2);
    }
  } catch (const SetError&) {
  }
  return 0;
}
