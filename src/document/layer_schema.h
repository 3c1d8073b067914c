#pragma once
// The keys of each layer kind's property string, in one place.
//
// Every layer kind (background, bevel, text, image) has one schema: the list
// of its keys in the order the editor writes them, each key with its name, its
// form and its three defaults. Everything that reads or writes a layer's
// settings goes through it:
//   - the drawers read a layer's string once per pass into the kind's
//     properties struct (ReadBackgroundProperties and its siblings), with the
//     drawer's defaults;
//   - the editors load from the same structs with the editor's defaults and
//     compose their strings with PropertyComposer in the schema's key order;
//     the random generator does the same in its own order;
//   - the set writer refuses captions that hold any key of any kind, and
//     --set accepts the keys of the kinds a layer's Type names.
//
// Adding a key: give it a PropertyKey below, put it into its kind's key list
// where the editor writes it (and into the random order if the random
// generator writes it), add its field to the kind's properties struct and one
// line to the kind's Read function in layer_schema.cpp. A new key must leave
// stored layouts as they are: when it is missing it reads its default, and
// that default must give the look layouts had before the key existed.
//
// Keys that belong to the button rather than to one layer ([Button] keys of
// the layout file) are not property-string keys and do not go here.
//
// The property string itself is stored and saved exactly as it is; a struct is
// only what one reader makes of it, by the lookup rules of GetPropValue (first
// occurrence of "Key=" anywhere, ASCII letters without regard to case, value
// cut at ";", an empty value reads as the default).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/color.h"
#include "document/conversion_error.h"

namespace vorbel::document {

// What a key's value is, and so how it is converted when read.
enum class ValueForm {
  Color,    // colour text: an identifier of the colour table or an integer
  Integer,  // integer text (see TryStringToInt)
  Flag,     // yes/no: true when the value holds "y" or "Y" anywhere
  Text,     // free text, taken as it stands (a caption, a face or shape name)
  Path,     // a picture file's path, taken as it stands; may be empty
};

// Who reads: the drawer and the editor fall back on different defaults for
// some keys, and only the drawer takes a value of blanks as missing for the
// keys that say so.
enum class PropertyReader { Drawer, Editor };

// One key of a layer kind.
struct PropertyKey {
  std::string_view name;  // as written ("ShadowColor"); matched without regard to ASCII case
  ValueForm form;
  // The texts a missing or empty value reads as, for the drawer and for the
  // editor's load. "N" as the default of a colour is deliberate where it
  // stands: it does not convert, so the drawer stops there.
  std::string_view drawer_default;
  std::string_view editor_default;
  // What the editor writes when it is used for the first time and nothing is
  // changed: the editor's controls start from it. Empty for an empty value or
  // a key the first use does not write (see the key's comment).
  std::string_view first_use;
  // The drawer takes a value of blanks (and control characters) only as
  // missing, so it reads the default; everyone else converts it as it stands.
  bool drawer_blank_is_default = false;

  constexpr std::string_view DefaultFor(PropertyReader reader) const {
    return reader == PropertyReader::Drawer ? drawer_default : editor_default;
  }
};

// ---- the keys, kind by kind, in the order the kind's editor writes them ----

namespace background_keys {
inline constexpr PropertyKey kColor{"Color", ValueForm::Color, "clBtnFace", "clBtnFace", "clSilver"};
inline constexpr PropertyKey kImage{"Image", ValueForm::Path, "", "", ""};
inline constexpr PropertyKey kStretch{"Stretch", ValueForm::Flag, "Y", "N", "Yes"};
inline constexpr PropertyKey kTransparent{"Transparent", ValueForm::Flag, "Y", "N", "No"};
// "None", "Ellipse" or "RoundRect", compared upper-cased.
inline constexpr PropertyKey kShape{"Shape", ValueForm::Text, "None", "None", "None"};
// The round rectangle's corner size, written only right after
// "Shape=RoundRect;" (20 is the corner edit's first value).
inline constexpr PropertyKey kSeed{"Seed", ValueForm::Integer, "20", "20", "20", true};
inline constexpr PropertyKey kEdgeDraw{"EdgeDraw", ValueForm::Flag, "N", "N", "No"};
// The drawer's default "N" is no colour: an edge switched on without a colour
// ends the layer before the edge.
inline constexpr PropertyKey kEdge{"Edge", ValueForm::Color, "N", "clBlack", "clBlack"};
inline constexpr PropertyKey kDraw3D{"Draw3D", ValueForm::Flag, "N", "N", "No"};
inline constexpr PropertyKey kHighlight{"Highlight", ValueForm::Color, "clBtnHighlight", "clBtnHighlight", "clWhite"};
inline constexpr PropertyKey kShadowClr{"ShadowClr", ValueForm::Color, "clBtnShadow", "clBtnShadow", "clGray"};
}  // namespace background_keys

namespace bevel_keys {
inline constexpr PropertyKey kHighlight{"Highlight", ValueForm::Color, "clBtnHighlight", "clBtnHighlight", "clWhite"};
inline constexpr PropertyKey kShadow{"Shadow", ValueForm::Color, "clBtnShadow", "clBtnShadow", "clGray"};
// The pen width in pixels, for every later outline and line of the pass.
inline constexpr PropertyKey kPen{"Pen", ValueForm::Integer, "2", "2", "1"};
}  // namespace bevel_keys

namespace text_keys {
inline constexpr PropertyKey kText{"Text", ValueForm::Text, "", "", "E-Mail me"};
// The first use writes the first face of the font list. The drawer's default
// is a name no system has, which font matching turns into the default face.
inline constexpr PropertyKey kFontFace{"FontFace", ValueForm::Text, "MS San Serif", "", ""};
inline constexpr PropertyKey kFontSize{"FontSize", ValueForm::Integer, "12", "12", "8"};
inline constexpr PropertyKey kColor{"Color", ValueForm::Color, "clBtnFace", "clBlack", "clBlack"};
inline constexpr PropertyKey kShadowed{"Shadowed", ValueForm::Flag, "N", "N", "No"};
inline constexpr PropertyKey kShadowOffset{"ShadowOffset", ValueForm::Integer, "2", "2", "3"};
inline constexpr PropertyKey kShadowColor{"ShadowColor", ValueForm::Color, "clBtnShadow", "clGray", "clSilver"};
inline constexpr PropertyKey kOutlined{"Outlined", ValueForm::Flag, "N", "N", "No"};
inline constexpr PropertyKey kOutlineColor{"OutlineColor", ValueForm::Color, "clBlack", "clBlack", "clBlack"};
inline constexpr PropertyKey kGradient{"Gradient", ValueForm::Flag, "N", "N", "No"};
inline constexpr PropertyKey kGradientStart{"GradientStart", ValueForm::Color, "clLime", "clLime", "clLime"};
inline constexpr PropertyKey kGradientEnd{"GradientEnd", ValueForm::Color, "clYellow", "clYellow", "clYellow"};
// Degrees counter-clockwise; the editor keeps it as text.
inline constexpr PropertyKey kAngle{"Angle", ValueForm::Integer, "0", "0", "0", true};
// The alignment pad's position (1 to 9) the caption was placed by; written
// only while a position is pressed, read by the editor and the set writer,
// never by the drawer. Any other value means none.
inline constexpr PropertyKey kAlign{"Align", ValueForm::Integer, "", "", ""};
}  // namespace text_keys

namespace image_keys {
inline constexpr PropertyKey kImage{"Image", ValueForm::Path, "", "", ""};
inline constexpr PropertyKey kTransparent{"Transparent", ValueForm::Flag, "N", "N", "No"};
}  // namespace image_keys

// A writer's keys in the order it writes them.
using KeyOrder = std::span<const PropertyKey* const>;

// One layer kind: its standard Type text and its keys.
struct LayerSchema {
  std::string_view type;
  KeyOrder keys;          // every key, in the editor's order
  KeyOrder random_order;  // the random generator's order; empty when it makes no such layer
};

namespace schema_detail {
inline constexpr std::array<const PropertyKey*, 11> kBackgroundKeys = {
    &background_keys::kColor,       &background_keys::kImage,    &background_keys::kStretch,
    &background_keys::kTransparent, &background_keys::kShape,    &background_keys::kSeed,
    &background_keys::kEdgeDraw,    &background_keys::kEdge,     &background_keys::kDraw3D,
    &background_keys::kHighlight,   &background_keys::kShadowClr};
// The random background turns 3D on or off before the edge, and writes no 3D
// colours.
inline constexpr std::array<const PropertyKey*, 9> kBackgroundRandomOrder = {
    &background_keys::kColor,       &background_keys::kImage,    &background_keys::kStretch,
    &background_keys::kTransparent, &background_keys::kShape,    &background_keys::kSeed,
    &background_keys::kDraw3D,      &background_keys::kEdgeDraw, &background_keys::kEdge};
inline constexpr std::array<const PropertyKey*, 3> kBevelKeys = {&bevel_keys::kHighlight, &bevel_keys::kShadow,
                                                                 &bevel_keys::kPen};
inline constexpr std::array<const PropertyKey*, 14> kTextKeys = {
    &text_keys::kText,         &text_keys::kFontFace,     &text_keys::kFontSize,      &text_keys::kColor,
    &text_keys::kShadowed,     &text_keys::kShadowOffset, &text_keys::kShadowColor,   &text_keys::kOutlined,
    &text_keys::kOutlineColor, &text_keys::kGradient,     &text_keys::kGradientStart, &text_keys::kGradientEnd,
    &text_keys::kAngle,        &text_keys::kAlign};
inline constexpr std::array<const PropertyKey*, 2> kImageKeys = {&image_keys::kImage, &image_keys::kTransparent};
}  // namespace schema_detail

inline constexpr LayerSchema kBackgroundSchema{"Background", schema_detail::kBackgroundKeys,
                                               schema_detail::kBackgroundRandomOrder};
inline constexpr LayerSchema kBevelSchema{"Bevel", schema_detail::kBevelKeys, schema_detail::kBevelKeys};
// The random text writes the editor's keys but Angle and Align.
inline constexpr LayerSchema kTextSchema{"Text", schema_detail::kTextKeys, schema_detail::kTextKeys};
inline constexpr LayerSchema kImageSchema{"Image", schema_detail::kImageKeys, {}};

// The four schemas, in the order the render pass draws the kinds of one row.
inline constexpr std::array<const LayerSchema*, 4> kLayerSchemas = {&kBackgroundSchema, &kTextSchema, &kBevelSchema,
                                                                    &kImageSchema};

// The key of `schema` named `name` (ASCII letters without regard to case), or
// null.
const PropertyKey* FindSchemaKey(const LayerSchema& schema, std::string_view name);

// ---- reading ----

// One key's value as a reader reads it: the text the lookup gives (the
// default for a missing or empty value) and its conversion by the key's form,
// or the failure of that conversion. Reading never fails; Value() raises
// ConversionError for a text that does not convert, so a reader stops at the
// point where it uses that value.
template <typename T>
class PropertyValue {
 public:
  PropertyValue() = default;
  PropertyValue(std::string text, std::optional<T> value) : text_(std::move(text)), value_(std::move(value)) {}

  const std::string& Text() const { return text_; }
  bool Converts() const {
    if constexpr (std::is_same_v<T, std::string>) return true;
    return value_.has_value();
  }
  // The converted value; raises ConversionError naming the text when it does
  // not convert.
  const T& Value() const {
    if constexpr (std::is_same_v<T, std::string>) {
      return text_;
    } else {
      if (!value_) throw ConversionError(text_);
      return *value_;
    }
  }
  T ValueOr(T fallback) const {
    if constexpr (std::is_same_v<T, std::string>) return text_;
    return value_ ? *value_ : fallback;
  }

 private:
  std::string text_;
  std::optional<T> value_;  // unused for text
};

using ColorValue = PropertyValue<base::Color>;
using IntegerValue = PropertyValue<std::int32_t>;
using FlagValue = PropertyValue<bool>;
using TextValue = PropertyValue<std::string>;

// Reads one key from a property string (see the file comment).
ColorValue ReadColor(const PropertyKey& key, std::string_view props, PropertyReader reader);
IntegerValue ReadInteger(const PropertyKey& key, std::string_view props, PropertyReader reader);
FlagValue ReadFlag(const PropertyKey& key, std::string_view props, PropertyReader reader);
TextValue ReadText(const PropertyKey& key, std::string_view props, PropertyReader reader);

struct BackgroundProperties {
  ColorValue color;
  TextValue image;
  FlagValue stretch;
  FlagValue transparent;
  TextValue shape;
  IntegerValue seed;
  FlagValue edge_draw;
  ColorValue edge;
  FlagValue draw_3d;
  ColorValue highlight;
  ColorValue shadow;  // ShadowClr
};

struct BevelProperties {
  ColorValue highlight;
  ColorValue shadow;
  IntegerValue pen;
};

struct TextProperties {
  TextValue text;
  TextValue font_face;
  IntegerValue font_size;
  ColorValue color;
  FlagValue shadowed;
  IntegerValue shadow_offset;
  ColorValue shadow_color;
  FlagValue outlined;
  ColorValue outline_color;
  FlagValue gradient;
  ColorValue gradient_start;
  ColorValue gradient_end;
  IntegerValue angle;
  IntegerValue align;

  // The alignment pad's position 1 to 9, or 0 when Align holds no such number.
  int AlignmentCode() const;
};

struct ImageProperties {
  TextValue image;
  FlagValue transparent;
};

BackgroundProperties ReadBackgroundProperties(std::string_view props, PropertyReader reader);
BevelProperties ReadBevelProperties(std::string_view props, PropertyReader reader);
TextProperties ReadTextProperties(std::string_view props, PropertyReader reader);
ImageProperties ReadImageProperties(std::string_view props, PropertyReader reader);

// ---- writing ----

// Composes a property string in a writer's key order: the editors and the
// random generator give each key they write its text, then Compose writes
// "Key=text;" for each given key in the order. A key given twice keeps its
// last text; a key that is not given is not written.
class PropertyComposer {
 public:
  void Put(const PropertyKey& key, std::string text);
  void PutColor(const PropertyKey& key, base::Color color);
  void PutFlag(const PropertyKey& key, bool on);  // "Yes" or "No"
  void PutInteger(const PropertyKey& key, std::int64_t value);

  // Every key of `order` that was given a text. A key given but missing from
  // `order` is a programming error.
  std::string Compose(KeyOrder order) const;

 private:
  std::vector<std::pair<const PropertyKey*, std::string>> texts_;
};

}  // namespace vorbel::document
