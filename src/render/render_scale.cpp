#include "render/render_scale.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "base/file_name.h"
#include "document/layer_schema.h"
#include "document/layer_type.h"
#include "document/property_string.h"
#include "document/value_conversion.h"
#include "render/button_renderer.h"

namespace vorbel::render {
namespace {

constexpr document::PropertyReader kDrawer = document::PropertyReader::Drawer;

// Multiplies the integer value of `key` (as the drawer reads it, its default
// when missing) and writes it back; a value that does not convert is left
// alone. `adjust` turns the value read into the value of scale 1 that is
// multiplied.
template <typename Adjust>
std::string ScaleKey(const std::string& props, const document::PropertyKey& key, int scale, Adjust adjust) {
  const document::IntegerValue value = document::ReadInteger(key, props, kDrawer);
  if (!value.Converts()) return props;
  return document::SetPropValue(key.name, props, std::to_string(ScaledNumber(adjust(value.Value()), scale)));
}

std::string ScaleKey(const std::string& props, const document::PropertyKey& key, int scale) {
  return ScaleKey(props, key, scale, [](std::int64_t v) { return v; });
}

std::string ScaledOffset(const std::string& text, int scale) {
  return std::to_string(ScaledNumber(document::ReadOffset(text), scale));
}

}  // namespace

std::int32_t ScaledNumber(std::int64_t v, int scale) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v * scale, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

document::LayerRow ScaleRow(const document::LayerRow& row, int scale) {
  document::LayerRow scaled = row;
  if (scale == 1 || !row.IsComplete()) return scaled;
  const document::LayerKinds kinds = document::KindsForRender(row.type);
  std::string props = row.Properties();
  if (kinds.background) {
    // A corner that does not convert is left as it is, to fail alike.
    const document::IntegerValue seed = document::ReadInteger(document::background_keys::kSeed, props, kDrawer);
    if (seed.Converts()) {
      props = document::SetPropValue(document::background_keys::kSeed.name, props,
                                     std::to_string(ScaledNumber(seed.Value(), scale)));
    }
  }
  if (kinds.bevel) {
    props = ScaleKey(props, document::bevel_keys::kPen, scale,
                     [](std::int64_t pen) { return std::max<std::int64_t>(pen, 1); });
  }
  if (kinds.text) {
    props =
        ScaleKey(props, document::text_keys::kFontSize, scale, [](std::int64_t size) { return size == 0 ? 12 : size; });
    props = ScaleKey(props, document::text_keys::kShadowOffset, scale);
  }
  scaled.SetSubItem(document::SubItem::Properties, std::move(props));
  if (kinds.text || kinds.image) {
    scaled.SetSubItem(document::SubItem::Left, ScaledOffset(row.Left(), scale));
    scaled.SetSubItem(document::SubItem::Top, ScaledOffset(row.Top(), scale));
  }
  return scaled;
}

void ScaleDocument(const document::ButtonDocument& from, int scale, document::ButtonDocument& to) {
  to.SetWidth(ScaledNumber(from.Width(), scale));
  to.SetHeight(ScaledNumber(from.Height(), scale));
  const base::Color workArea = from.WorkAreaColor();
  if (workArea == document::kNoSelectedColor) {
    to.WorkArea().SetItemIndex(-1);
  } else {
    to.SetWorkAreaColor(workArea);
  }
  to.SetBorder(from.Border());
  to.SetTransparencyRule(from.TransparencyRule());
  to.SetSmooth(from.Smooth());
  to.SetMatte(from.Matte());
  to.SetLayoutFolder(from.LayoutFolder());
  std::vector<document::LayerRow> rows;
  rows.reserve(static_cast<std::size_t>(from.RowCount()));
  for (const document::LayerRow& row : from.Rows()) rows.push_back(ScaleRow(row, scale));
  to.ReplaceRows(std::move(rows));
}

std::string ScaledPictureName(std::string_view path, int scale) {
  if (path.empty()) return {};
  const std::string_view extension = base::FileExtension(path);
  return std::string(base::WithoutExtension(path)) + "@" + std::to_string(scale) + "x" + std::string(extension);
}

}  // namespace vorbel::render
