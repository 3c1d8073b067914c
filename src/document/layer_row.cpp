#include "document/layer_row.h"

#include <utility>

namespace vorbel::document {

LayerRow LayerRow::Make(std::string type, std::string properties, std::string left, std::string top,
                        std::int32_t image_index) {
  LayerRow row;
  row.type = std::move(type);
  row.sub_items = {std::move(properties), std::move(left), std::move(top)};
  row.image_index = image_index;
  return row;
}

const std::string& LayerRow::SubItemAt(SubItem item) const {
  const auto index = static_cast<std::size_t>(item);
  if (index >= sub_items.size()) throw MissingSubItemError(static_cast<int>(index));
  return sub_items[index];
}

std::string LayerRow::SubItemText(SubItem item) const {
  const auto index = static_cast<std::size_t>(item);
  return index < sub_items.size() ? sub_items[index] : std::string();
}

void LayerRow::SetSubItem(SubItem item, std::string text) {
  const auto index = static_cast<std::size_t>(item);
  if (index >= sub_items.size()) sub_items.resize(index + 1);
  sub_items[index] = std::move(text);
}

}  // namespace vorbel::document
