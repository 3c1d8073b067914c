#pragma once
// One layer of the button: a row of the layer list.

#include <cstdint>
#include <string>
#include <vector>

#include "base/error.h"

namespace vorbel::document {

// Raised when a row is read for drawing or editing before it has the sub-item
// asked for. This happens only to the row that Add appends while it waits for
// the new layer's editor; the render pass catches it and skips the row.
class MissingSubItemError : public base::Error {
 public:
  explicit MissingSubItemError(int index)
      : base::Error("List index out of bounds (" + std::to_string(index) + ")") {}
};

// The sub-items of a row, in their order.
enum class SubItem { Properties, Left, Top };
inline constexpr int kSubItemCount = 3;

// Visibility values of `image_index`.
inline constexpr std::int32_t kVisibleImage = 0;
inline constexpr std::int32_t kHiddenImage = -1;

struct LayerRow {
  // The layer's Type text ("Background", "Bevel", "Text", "Image" for rows made
  // by the program; any text for rows loaded from a file).
  std::string type;
  // Properties, Left and Top, in this order. A complete row has all three; a row
  // has fewer only while the Add command waits for the new layer's editor.
  // Left and Top are kept as text and read with ReadOffset where used.
  std::vector<std::string> sub_items;
  // 0 = visible with the mark, -1 = hidden; a loaded row keeps the file's value
  // and any value other than -1 is drawn (values other than 0 show no mark).
  std::int32_t image_index = kVisibleImage;

  // A complete row with its three sub-items.
  static LayerRow Make(std::string type, std::string properties, std::string left = {},
                       std::string top = {}, std::int32_t image_index = kVisibleImage);

  bool IsComplete() const { return sub_items.size() >= kSubItemCount; }
  bool IsVisible() const { return image_index != kHiddenImage; }

  // Reading for drawing and editing: raises MissingSubItemError when the row
  // does not hold the sub-item.
  const std::string& SubItemAt(SubItem item) const;
  const std::string& Properties() const { return SubItemAt(SubItem::Properties); }
  const std::string& Left() const { return SubItemAt(SubItem::Left); }
  const std::string& Top() const { return SubItemAt(SubItem::Top); }

  // Reading for listing and saving: a missing sub-item shows as empty.
  std::string SubItemText(SubItem item) const;

  // Writes one sub-item, adding empty ones before it when the row lacks them.
  void SetSubItem(SubItem item, std::string text);

  friend bool operator==(const LayerRow&, const LayerRow&) = default;
};

}  // namespace vorbel::document
