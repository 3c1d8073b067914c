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

const std::string& LayerRow::SubItemAt(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= sub_items.size()) throw MissingSubItemError(index);
  return sub_items[static_cast<std::size_t>(index)];
}

std::string LayerRow::SubItemText(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= sub_items.size()) return {};
  return sub_items[static_cast<std::size_t>(index)];
}

void LayerRow::SetSubItem(int index, std::string text) {
  if (index < 0) throw std::out_of_range("negative sub-item index");
  if (static_cast<std::size_t>(index) >= sub_items.size()) sub_items.resize(static_cast<std::size_t>(index) + 1);
  sub_items[static_cast<std::size_t>(index)] = std::move(text);
}

}  // namespace vorbel::document
