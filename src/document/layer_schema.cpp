#include "document/layer_schema.h"

#include <algorithm>
#include <cassert>

#include "base/ascii_text.h"
#include "document/property_string.h"
#include "document/value_conversion.h"

namespace vorbel::document {
namespace {

// Blanks and control characters only (or nothing).
bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

// The text `reader` reads for `key`: the value, or the default when it is
// missing or empty (or, for the drawer of a key that says so, blank).
std::string LookUp(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  const std::string_view def = key.DefaultFor(reader);
  std::string text = GetPropValue(key.name, props, def);
  if (reader == PropertyReader::Drawer && key.drawer_blank_is_default && IsBlank(text)) text = def;
  return text;
}

}  // namespace

const PropertyKey* FindSchemaKey(const LayerSchema& schema, std::string_view name) {
  for (const PropertyKey* key : schema.keys) {
    if (base::EqualsIgnoringAsciiCase(key->name, name)) return key;
  }
  return nullptr;
}

ColorValue ReadColor(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  std::string text = LookUp(key, props, reader);
  std::optional<base::Color> value = TryStringToColor(text);
  return {std::move(text), value};
}

IntegerValue ReadInteger(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  std::string text = LookUp(key, props, reader);
  std::optional<std::int32_t> value = TryStringToInt(text);
  return {std::move(text), value};
}

FlagValue ReadFlag(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  std::string text = LookUp(key, props, reader);
  const bool value = YesNoToBool(text);
  return {std::move(text), value};
}

TextValue ReadText(const PropertyKey& key, std::string_view props, PropertyReader reader) {
  return {LookUp(key, props, reader), std::nullopt};
}

int TextProperties::AlignmentCode() const {
  const std::int32_t code = align.ValueOr(0);
  return code >= 1 && code <= 9 ? code : 0;
}

BackgroundProperties ReadBackgroundProperties(std::string_view props, PropertyReader reader) {
  using namespace background_keys;
  BackgroundProperties p;
  p.color = ReadColor(kColor, props, reader);
  p.image = ReadText(kImage, props, reader);
  p.stretch = ReadFlag(kStretch, props, reader);
  p.transparent = ReadFlag(kTransparent, props, reader);
  p.shape = ReadText(kShape, props, reader);
  p.seed = ReadInteger(kSeed, props, reader);
  p.edge_draw = ReadFlag(kEdgeDraw, props, reader);
  p.edge = ReadColor(kEdge, props, reader);
  p.draw_3d = ReadFlag(kDraw3D, props, reader);
  p.highlight = ReadColor(kHighlight, props, reader);
  p.shadow = ReadColor(kShadowClr, props, reader);
  return p;
}

BevelProperties ReadBevelProperties(std::string_view props, PropertyReader reader) {
  using namespace bevel_keys;
  BevelProperties p;
  p.highlight = ReadColor(kHighlight, props, reader);
  p.shadow = ReadColor(kShadow, props, reader);
  p.pen = ReadInteger(kPen, props, reader);
  return p;
}

TextProperties ReadTextProperties(std::string_view props, PropertyReader reader) {
  using namespace text_keys;
  TextProperties p;
  p.text = ReadText(kText, props, reader);
  p.font_face = ReadText(kFontFace, props, reader);
  p.font_size = ReadInteger(kFontSize, props, reader);
  p.color = ReadColor(kColor, props, reader);
  p.shadowed = ReadFlag(kShadowed, props, reader);
  p.shadow_offset = ReadInteger(kShadowOffset, props, reader);
  p.shadow_color = ReadColor(kShadowColor, props, reader);
  p.outlined = ReadFlag(kOutlined, props, reader);
  p.outline_color = ReadColor(kOutlineColor, props, reader);
  p.gradient = ReadFlag(kGradient, props, reader);
  p.gradient_start = ReadColor(kGradientStart, props, reader);
  p.gradient_end = ReadColor(kGradientEnd, props, reader);
  p.angle = ReadInteger(kAngle, props, reader);
  p.align = ReadInteger(kAlign, props, reader);
  return p;
}

ImageProperties ReadImageProperties(std::string_view props, PropertyReader reader) {
  using namespace image_keys;
  ImageProperties p;
  p.image = ReadText(kImage, props, reader);
  p.transparent = ReadFlag(kTransparent, props, reader);
  return p;
}

void PropertyComposer::Put(const PropertyKey& key, std::string text) {
  for (auto& [given, old] : texts_) {
    if (given == &key) {
      old = std::move(text);
      return;
    }
  }
  texts_.emplace_back(&key, std::move(text));
}

void PropertyComposer::PutColor(const PropertyKey& key, base::Color color) { Put(key, ColorToString(color)); }

void PropertyComposer::PutFlag(const PropertyKey& key, bool on) { Put(key, BoolToYesNo(on)); }

void PropertyComposer::PutInteger(const PropertyKey& key, std::int64_t value) { Put(key, std::to_string(value)); }

std::string PropertyComposer::Compose(KeyOrder order) const {
  std::string props;
  std::size_t written = 0;
  for (const PropertyKey* key : order) {
    for (const auto& [given, text] : texts_) {
      if (given != key) continue;
      props.append(key->name).append(1, '=').append(text).append(1, ';');
      ++written;
    }
  }
  assert(written == texts_.size() && "a key was given that the order does not write");
  (void)written;
  return props;
}

}  // namespace vorbel::document
