#include "commands/set_input.h"

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "base/ascii_text.h"
#include "base/text_encoding.h"
#include "base/translation.h"
#include "document/conversion_error.h"
#include "document/layer_schema.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "layout/layout_file.h"
#include "render/button_states.h"

namespace vorbel::commands {

using base::Translate;
using base::TranslateFormat;
namespace {

// The ASCII letters of U+00C0 to U+017F (Latin-1 letters and Latin
// Extended-A): the base letter without its accent, ligatures spelt out; ""
// for the two signs among them.
constexpr std::array<const char*, 0x180 - 0xC0> kLatinLetters = {
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   //
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",  //
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",   //
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",   //
    "a", "a", "a",  "a",  "a", "a", "c",  "c", "c", "c", "c", "c", "c", "c", "d",  "d",   //
    "d", "d", "e",  "e",  "e", "e", "e",  "e", "e", "e", "e", "e", "g", "g", "g",  "g",   //
    "g", "g", "g",  "g",  "h", "h", "h",  "h", "i", "i", "i", "i", "i", "i", "i",  "i",   //
    "i", "i", "ij", "ij", "j", "j", "k",  "k", "k", "l", "l", "l", "l", "l", "l",  "l",   //
    "l", "l", "l",  "n",  "n", "n", "n",  "n", "n", "n", "n", "n", "o", "o", "o",  "o",   //
    "o", "o", "oe", "oe", "r", "r", "r",  "r", "r", "r", "s", "s", "s", "s", "s",  "s",   //
    "s", "s", "t",  "t",  "t", "t", "t",  "t", "u", "u", "u", "u", "u", "u", "u",  "u",   //
    "u", "u", "u",  "u",  "w", "w", "y",  "y", "y", "z", "z", "z", "z", "z", "z",  "s",   //
};

bool IsControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0); }

}  // namespace

void CheckCaption(std::string_view caption, const std::string& where) {
  if (!base::IsValidUtf8(caption)) throw SetError(TranslateFormat("%s is not UTF-8 text", {where}));
  const std::u32string chars = base::DecodeUtf8(caption);
  for (char32_t c : chars) {
    if (IsControl(c)) throw SetError(TranslateFormat("%s holds a control character", {where}));
  }
  if (chars.size() > kMaxCaptionLength) {
    throw SetError(
        TranslateFormat("%s is longer than %s characters", {where, std::to_string(kMaxCaptionLength)}));
  }
}

namespace {

void AddCaption(std::vector<std::string>& captions, std::string_view caption, const std::string& where) {
  caption = base::TrimBlanks(caption);
  if (caption.empty()) return;
  CheckCaption(caption, where);
  if (captions.size() == kMaxCaptions) {
    throw SetError(TranslateFormat("a set takes at most %s captions", {std::to_string(kMaxCaptions)}));
  }
  captions.emplace_back(caption);
}

constexpr std::array<std::string_view, 4> kFields = {"name", "index", "state", "scale"};

// Calls field(name) for each field of the pattern and text(part) for the text
// between them; raises SetError for a brace that is no field.
template <typename Field, typename Text>
void WalkPattern(std::string_view pattern, Field field, Text text) {
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t brace = pattern.find_first_of("{}", at);
    text(pattern.substr(at, brace == std::string_view::npos ? std::string_view::npos : brace - at));
    if (brace == std::string_view::npos) return;
    const std::size_t close = pattern[brace] == '{' ? pattern.find('}', brace) : std::string_view::npos;
    const std::string_view name =
        close == std::string_view::npos ? std::string_view{} : pattern.substr(brace + 1, close - brace - 1);
    bool known = false;
    for (std::string_view f : kFields) known = known || f == name;
    if (!known) {
      throw SetError(
          TranslateFormat("the file-name pattern \"%s\" holds a \"%s\" that is none of {name}, {index}, {state} and {scale}",
                          {pattern, std::string(1, pattern[brace])}));
    }
    field(name);
    at = close + 1;
  }
}

}  // namespace

std::vector<std::string> ParseCaptionList(std::string_view list) {
  std::vector<std::string> captions;
  std::size_t item = 0;
  for (std::size_t at = 0; at <= list.size();) {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    AddCaption(captions, list.substr(at, comma - at),
               TranslateFormat("caption %s of the list", {std::to_string(++item)}));
    at = comma + 1;
  }
  return captions;
}

std::vector<std::string> ParseCaptionsFile(std::string_view bytes, std::string_view name) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::vector<std::string> captions;
  std::size_t line = 0;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
    std::string_view text = bytes.substr(at, end - at);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    AddCaption(captions, text, TranslateFormat("%s: line %s", {name, std::to_string(++line)}));
    at = end + 1;
  }
  return captions;
}

namespace {

// The slug of a caption, empty when nothing is left of it.
std::string SlugOf(std::string_view caption) {
  std::string slug;
  bool gap = false;  // a separator is owed before the next letter or digit
  const auto add = [&](std::string_view letters) {
    if (letters.empty()) {
      gap = !slug.empty();
      return;
    }
    if (gap && slug.size() + 1 < kMaxSlugLength) slug += '-';
    gap = false;
    for (char c : letters) {
      if (slug.size() < kMaxSlugLength) slug += c;
    }
  };
  for (char32_t c : base::DecodeUtf8(caption)) {
    if (c == '\'' || c == 0x2019) continue;  // "Don't" is "dont"
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      add(std::string(1, static_cast<char>(c)));
    } else if (c >= 'A' && c <= 'Z') {
      add(std::string(1, static_cast<char>(c - 'A' + 'a')));
    } else if (c == '&') {
      gap = !slug.empty();
      add("and");
      gap = true;
    } else if (c >= 0xC0 && c < 0x180) {
      add(kLatinLetters[c - 0xC0]);
    } else {
      add({});
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

}  // namespace

std::string CaptionSlug(std::string_view caption) {
  std::string slug = SlugOf(caption);
  return slug.empty() ? "button" : slug;
}

std::vector<std::string> UniqueSlugs(const std::vector<std::string>& captions) {
  std::vector<std::string> slugs;
  std::set<std::string> taken;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    std::string slug = SlugOf(captions[i]);
    // A caption written in another script leaves no ASCII letter to name it
    // by: its place in the list names it instead.
    if (std::none_of(slug.begin(), slug.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
      slug = "button-" + std::to_string(i + 1);
    }
    std::string unique = slug;
    for (int n = 2; !taken.insert(unique).second; ++n) unique = slug + "-" + std::to_string(n);
    slugs.push_back(std::move(unique));
  }
  return slugs;
}

void CheckPattern(std::string_view pattern) {
  if (pattern.empty()) throw SetError(Translate("the file-name pattern is empty"));
  if (!base::IsValidUtf8(pattern)) throw SetError(Translate("the file-name pattern is not UTF-8 text"));
  if (pattern.find('/') != std::string_view::npos) {
    throw SetError(TranslateFormat(
        "the file-name pattern \"%s\" holds \"/\": a set writes its files into its folder only", {pattern}));
  }
  for (char32_t c : base::DecodeUtf8(pattern)) {
    if (IsControl(c)) throw SetError(Translate("the file-name pattern holds a control character"));
  }
  WalkPattern(
      pattern, [](std::string_view) {}, [](std::string_view) {});
}

bool PatternMatches(std::string_view pattern, std::string_view stem) {
  // The pattern as pieces: literal text, or a field (its name in braces).
  std::vector<std::string> pieces;
  try {
    CheckPattern(pattern);
    WalkPattern(
        pattern, [&](std::string_view field) { pieces.push_back("{" + std::string(field) + "}"); },
        [&](std::string_view text) {
          if (!text.empty()) pieces.emplace_back(text);
        });
  } catch (const SetError&) {
    return false;
  }
  // reach[i] holds whether the first i bytes of the stem are given by the
  // pieces so far: a walk over the pieces, each a step from every reached
  // place, so that no stem or pattern takes more than their sizes' product.
  std::vector<char> reach(stem.size() + 1, 0);
  reach[0] = 1;
  for (const std::string& piece : pieces) {
    std::vector<char> next(stem.size() + 1, 0);
    for (std::size_t at = 0; at <= stem.size(); ++at) {
      if (!reach[at]) continue;
      const std::string_view rest = stem.substr(at);
      if (piece == "{name}" || piece == "{index}") {
        const bool slug = piece == "{name}";
        const std::size_t most = slug ? kMaxSlugLength : 4;
        for (std::size_t n = 1; n <= std::min(most, rest.size()); ++n) {
          const char c = rest[n - 1];
          const bool fits = slug ? (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
                                 : c >= '0' && c <= '9' && !(n == 1 && c == '0');
          if (!fits) break;
          next[at + n] = 1;
        }
      } else if (piece == "{state}") {
        for (const render::ButtonState state : render::kButtonStates) {
          const std::string_view name = render::ButtonStateName(state);
          if (rest.substr(0, name.size()) == name) next[at + name.size()] = 1;
        }
      } else if (piece == "{scale}") {
        if (!rest.empty() && rest[0] >= '1' && rest[0] <= '3') next[at + 1] = 1;
      } else if (rest.substr(0, piece.size()) == piece) {
        next[at + piece.size()] = 1;
      }
    }
    reach = std::move(next);
  }
  return reach[stem.size()] != 0;
}

bool PatternHasField(std::string_view pattern, std::string_view field) {
  return pattern.find("{" + std::string(field) + "}") != std::string_view::npos;
}

std::string ExpandPattern(std::string_view pattern, std::string_view name, int index, std::string_view state,
                          int scale) {
  std::string out;
  WalkPattern(
      pattern,
      [&](std::string_view field) {
        if (field == "name") out += name;
        if (field == "index") out += std::to_string(index);
        if (field == "state") out += state;
        if (field == "scale") out += std::to_string(scale);
      },
      [&](std::string_view text) { out += text; });
  return out;
}

void CheckSetFileName(std::string_view name) {
  if (name.empty()) throw SetError(Translate("a file name of the set is empty"));
  if (!base::IsValidUtf8(name)) throw SetError(Translate("a file name of the set is not UTF-8 text"));
  if (name == "." || name == "..") throw SetError(TranslateFormat("the file name \"%s\" names a folder", {name}));
  if (name.front() == '.') {
    throw SetError(TranslateFormat("the file name \"%s\" starts with \".\": it would be a hidden file", {name}));
  }
  if (name.find('/') != std::string_view::npos) {
    throw SetError(TranslateFormat("the file name \"%s\" holds \"/\"", {name}));
  }
  for (char32_t c : base::DecodeUtf8(name)) {
    if (IsControl(c)) throw SetError(Translate("a file name of the set holds a control character"));
  }
  if (name.size() > 255) {
    throw SetError(TranslateFormat("the file name \"%s\" is longer than the 255 bytes a file name may have", {name}));
  }
}

PropertyOverride ParsePropertyOverride(std::string_view text) {
  const auto fail = [&](const char* why) -> PropertyOverride {
    throw SetError(base::FormatMessage("--set %s: %s", {text, Translate(why)}));
  };
  PropertyOverride result;
  const std::size_t colon = text.find(':');
  const std::string_view number = text.substr(0, colon);
  if (colon != std::string_view::npos && base::EqualsIgnoringAsciiCase(number, "Button")) {
    result.layer = PropertyOverride::kButton;
  } else if (colon == std::string_view::npos || number.empty() || number.size() > 6 ||
             number.find_first_not_of("0123456789") != std::string_view::npos) {
    return fail(VORBEL_TRANSLATABLE(
        "give the layer's number or \"Button\", \":\", the key, \"=\" and the value, as in 2:Color=clRed"));
  } else {
    for (char c : number) result.layer = result.layer * 10 + (c - '0');
  }
  const std::string_view rest = text.substr(colon + 1);
  const std::size_t equals = rest.find('=');
  const std::string_view key = rest.substr(0, equals);
  if (equals == std::string_view::npos || key.empty()) return fail(VORBEL_TRANSLATABLE("the key and \"=\" are missing"));
  for (char c : key) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return fail(VORBEL_TRANSLATABLE("a key is made of letters, digits and \"_\" only"));
  }
  const std::string_view value = rest.substr(equals + 1);
  if (value.find(';') != std::string_view::npos) return fail(VORBEL_TRANSLATABLE("a value cannot hold \";\""));
  if (!base::IsValidUtf8(value)) return fail(VORBEL_TRANSLATABLE("the value is not UTF-8 text"));
  for (char32_t c : base::DecodeUtf8(value)) {
    if (IsControl(c)) return fail(VORBEL_TRANSLATABLE("the value holds a control character"));
  }
  if (value.size() > 2047) return fail(VORBEL_TRANSLATABLE("the value is longer than the 2047 characters a layout holds"));
  result.key = key;
  result.value = value;
  return result;
}

namespace {

// The key named `name` of the kinds `type` names, in their own spelling, or
// null; `keys` gets every key of those kinds, for a message.
const document::PropertyKey* FindLayerKey(const std::string& type, std::string_view name, std::string& keys) {
  const document::LayerKinds kinds = document::KindsForRender(type);
  const bool named[] = {kinds.background, kinds.text, kinds.bevel, kinds.image};  // as kLayerSchemas
  const document::PropertyKey* found = nullptr;
  std::vector<std::string_view> listed;
  for (std::size_t i = 0; i < document::kLayerSchemas.size(); ++i) {
    if (!named[i]) continue;
    const document::LayerSchema& schema = *document::kLayerSchemas[i];
    if (!found) found = document::FindSchemaKey(schema, name);
    for (const document::PropertyKey* key : schema.keys) {
      if (std::find(listed.begin(), listed.end(), key->name) != listed.end()) continue;
      listed.push_back(key->name);
      keys += (keys.empty() ? "" : ", ") + std::string(key->name);
    }
  }
  return found;
}

// Whether the drawer can convert `value` as a value of `key` (text always can).
bool Converts(const document::PropertyKey& key, const std::string& value) {
  const std::string props = std::string(key.name) + "=" + value + ";";
  switch (key.form) {
    case document::ValueForm::Color:
      return document::ReadColor(key, props, document::PropertyReader::Drawer).Converts();
    case document::ValueForm::Integer:
      return document::ReadInteger(key, props, document::PropertyReader::Drawer).Converts();
    default: return true;
  }
}

}  // namespace

void ApplyPropertyOverride(document::ButtonDocument& doc, const PropertyOverride& change) {
  if (change.layer == PropertyOverride::kButton) {
    try {
      layout::SetButtonKey(doc, change.key, change.value);
    } catch (const layout::LayoutReadError& e) {
      throw SetError(base::FormatMessage("--set Button:%s=%s: %s", {change.key, change.value, e.what()}));
    }
    return;
  }
  const std::string given = std::to_string(change.layer) + ":" + change.key + "=" + change.value;
  const std::string layer = std::to_string(change.layer);
  if (change.layer >= doc.RowCount()) {
    throw SetError(doc.RowCount() == 0
                       ? TranslateFormat("--set %s: the layout has no layer %s (it has no layers)", {given, layer})
                       : TranslateFormat("--set %s: the layout has no layer %s (its layers are 0 to %s)",
                                         {given, layer, std::to_string(doc.RowCount() - 1)}));
  }
  const document::LayerRow& row = doc.Row(change.layer);
  std::string keys;
  const document::PropertyKey* key = FindLayerKey(row.type, change.key, keys);
  if (!key && keys.empty()) {
    throw SetError(TranslateFormat("--set %s: layer %s is of the Type \"%s\", which is not drawn and has no keys",
                                   {given, layer, row.type}));
  }
  if (!key) {
    throw SetError(TranslateFormat("--set %s: layer %s (%s) has no key \"%s\"; its keys are %s",
                                   {given, layer, row.type, change.key, keys}));
  }
  // A colour or number that does not convert would leave the layer undrawn
  // from that key on: it is refused here rather than missed in the picture.
  // An empty value stands for the default.
  if (!change.value.empty() && !Converts(*key, change.value)) {
    throw SetError(base::FormatMessage("--set %s: %s", {given, document::ConversionError(change.value).what()}));
  }
  // A key that is not there yet is added in its own spelling.
  doc.SetRowSubItem(change.layer, document::SubItem::Properties,
                    document::SetPropValue(key->name, row.SubItemText(document::SubItem::Properties), change.value));
}

}  // namespace vorbel::commands
