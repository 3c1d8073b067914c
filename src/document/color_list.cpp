#include "document/color_list.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "base/ascii_text.h"
#include "base/translation.h"
#include "document/value_conversion.h"

namespace vorbel::document {

namespace {

// Order of names for ColorSortOrder::Text: lower-cased, then compared as unsigned bytes; a
// prefix sorts first. std::string compares through char_traits<char>, which
// compares as unsigned char.
bool NameLess(const std::string& a_lower, const std::string& b_lower) { return a_lower < b_lower; }

}  // namespace

const StandardColor kStandardColors[18] = {
    {VORBEL_TRANSLATABLE("Aqua"), base::Color{0x00FFFF00}},
    {VORBEL_TRANSLATABLE("Black"), base::Color{0x00000000}},
    {VORBEL_TRANSLATABLE("Blue"), base::Color{0x00FF0000}},
    {VORBEL_TRANSLATABLE("Dark Gray"), base::Color{0x00808080}},
    {VORBEL_TRANSLATABLE("Fuchsia"), base::Color{0x00FF00FF}},
    {VORBEL_TRANSLATABLE("Gray"), base::Color{0x00808080}},
    {VORBEL_TRANSLATABLE("Green"), base::Color{0x00008000}},
    {VORBEL_TRANSLATABLE("Lime green"), base::Color{0x0000FF00}},
    {VORBEL_TRANSLATABLE("Light Gray"), base::Color{0x00C0C0C0}},
    {VORBEL_TRANSLATABLE("Maroon"), base::Color{0x00000080}},
    {VORBEL_TRANSLATABLE("Navy blue"), base::Color{0x00800000}},
    {VORBEL_TRANSLATABLE("Olive green"), base::Color{0x00008080}},
    {VORBEL_TRANSLATABLE("Purple"), base::Color{0x00800080}},
    {VORBEL_TRANSLATABLE("Red"), base::Color{0x000000FF}},
    {VORBEL_TRANSLATABLE("Silver"), base::Color{0x00C0C0C0}},
    {VORBEL_TRANSLATABLE("Teal"), base::Color{0x00808000}},
    {VORBEL_TRANSLATABLE("White"), base::Color{0x00FFFFFF}},
    {VORBEL_TRANSLATABLE("Yellow"), base::Color{0x0000FFFF}},
};

template <typename Notify>
void ColorList::NotifyObservers(Notify notify) {
  observers_.NotifyAll(notify);
}

int ColorList::AddColor(std::string_view name, base::Color color) {
  std::size_t position = entries_.size();
  if (sort_order_ == ColorSortOrder::Color) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [color](const ColorEntry& e) { return color < e.color; });
    position = static_cast<std::size_t>(it - entries_.begin());
  } else if (sort_order_ == ColorSortOrder::Text) {
    const std::string new_lower = base::LowerCaseAscii(name);
    const auto it = std::find_if(entries_.begin(), entries_.end(), [&new_lower](const ColorEntry& e) {
      return NameLess(new_lower, base::LowerCaseAscii(e.name));
    });
    position = static_cast<std::size_t>(it - entries_.begin());
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), ColorEntry{std::string(name), color});
  const int index = static_cast<int>(position);
  if (item_index_ >= index) ++item_index_;
  NotifyObservers([](ColorListObserver& o) { o.ColorEntriesChanged(); });
  return index;
}

void ColorList::Clear() {
  const bool had_selection = item_index_ != -1;
  entries_.clear();
  item_index_ = -1;
  NotifyObservers([](ColorListObserver& o) { o.ColorEntriesChanged(); });
  if (had_selection) NotifyObservers([](ColorListObserver& o) { o.ColorSelectionChanged(SelectionSource::Program); });
}

const ColorEntry& ColorList::Entry(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("colour list index out of range");
  return entries_[static_cast<std::size_t>(index)];
}

void ColorList::AssignEntries(const std::vector<ColorEntry>& entries) {
  const bool had_selection = item_index_ != -1;
  entries_ = entries;
  item_index_ = -1;
  NotifyObservers([](ColorListObserver& o) { o.ColorEntriesChanged(); });
  if (had_selection) NotifyObservers([](ColorListObserver& o) { o.ColorSelectionChanged(SelectionSource::Program); });
}

void ColorList::SetSortOrder(ColorSortOrder order) {
  sort_order_ = order;
  if (order == ColorSortOrder::Unsorted) return;
  const base::Color selected = GetSelectedColor();
  const int selected_before = item_index_;

  // The keys are computed once; the exchanges follow a bubble sort that swaps
  // only strictly smaller keys forward, so equal keys keep their order.
  std::vector<std::string> lower_names;
  if (order == ColorSortOrder::Text) {
    lower_names.reserve(entries_.size());
    for (const ColorEntry& e : entries_) lower_names.push_back(base::LowerCaseAscii(e.name));
  }
  const auto less = [&](std::size_t a, std::size_t b) {
    return order == ColorSortOrder::Color ? entries_[a].color < entries_[b].color
                                        : NameLess(lower_names[a], lower_names[b]);
  };
  const std::size_t count = entries_.size();
  for (std::size_t i = 0; i + 1 < count; ++i) {
    for (std::size_t j = count - 1; j > i; --j) {
      if (less(j, j - 1)) {
        std::swap(entries_[j], entries_[j - 1]);
        if (!lower_names.empty()) std::swap(lower_names[j], lower_names[j - 1]);
      }
    }
  }
  NotifyObservers([](ColorListObserver& o) { o.ColorEntriesChanged(); });

  // The selection follows the colour, not the entry: of two entries sharing the
  // colour the one now first is selected. With no selection the colour -1 is
  // looked for, which only an entry added with that value holds.
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [selected](const ColorEntry& e) { return e.color == selected; });
  if (it != entries_.end()) item_index_ = static_cast<int>(it - entries_.begin());
  if (item_index_ != selected_before) {
    NotifyObservers([](ColorListObserver& o) { o.ColorSelectionChanged(SelectionSource::Program); });
  }
}

base::Color ColorList::GetSelectedColor() const {
  if (item_index_ < 0 || item_index_ >= Count()) return kNoSelectedColor;
  return entries_[static_cast<std::size_t>(item_index_)].color;
}

bool ColorList::SelectColor(base::Color color) {
  const auto it =
      std::find_if(entries_.begin(), entries_.end(), [color](const ColorEntry& e) { return e.color == color; });
  if (it == entries_.end()) return false;
  SetItemIndex(static_cast<int>(it - entries_.begin()), SelectionSource::Program);
  return true;
}

bool ColorList::SelectColorName(std::string_view name) {
  const auto it =
      std::find_if(entries_.begin(), entries_.end(), [name](const ColorEntry& e) { return e.name == name; });
  if (it == entries_.end()) return false;
  SetItemIndex(static_cast<int>(it - entries_.begin()), SelectionSource::Program);
  return true;
}

int ColorList::SelectOrAddColor(base::Color color, SelectionSource source) {
  if (color == kNoSelectedColor) return item_index_;
  const auto it =
      std::find_if(entries_.begin(), entries_.end(), [color](const ColorEntry& e) { return e.color == color; });
  const int index =
      it != entries_.end() ? static_cast<int>(it - entries_.begin()) : AddColor(CustomColorName(color), color);
  SetItemIndex(index, source);
  return index;
}

void ColorList::SetItemIndex(int index, SelectionSource source) {
  if (index < -1 || index >= Count()) throw std::out_of_range("colour list index out of range");
  if (index == item_index_) return;
  item_index_ = index;
  NotifyObservers([source](ColorListObserver& o) { o.ColorSelectionChanged(source); });
}

void ColorList::SetColorWidth(int width) {
  if (width < kMinColorWidth || width == color_width_) return;
  color_width_ = width;
  NotifyObservers([](ColorListObserver& o) { o.ColorWidthChanged(); });
}

std::string CustomColorName(base::Color color) {
  // The system colours by their index, as the colour identifiers number them.
  static constexpr const char* kSystemNames[] = {
      VORBEL_TRANSLATABLE("Scroll bar"),
      VORBEL_TRANSLATABLE("Desktop"),
      VORBEL_TRANSLATABLE("Active title bar"),
      VORBEL_TRANSLATABLE("Inactive title bar"),
      VORBEL_TRANSLATABLE("Menu"),
      VORBEL_TRANSLATABLE("Window"),
      VORBEL_TRANSLATABLE("Window frame"),
      VORBEL_TRANSLATABLE("Menu text"),
      VORBEL_TRANSLATABLE("Window text"),
      VORBEL_TRANSLATABLE("Title text"),
      VORBEL_TRANSLATABLE("Active border"),
      VORBEL_TRANSLATABLE("Inactive border"),
      VORBEL_TRANSLATABLE("Application space"),
      VORBEL_TRANSLATABLE("Highlight"),
      VORBEL_TRANSLATABLE("Highlight text"),
      VORBEL_TRANSLATABLE("Button face"),
      VORBEL_TRANSLATABLE("Button shadow"),
      VORBEL_TRANSLATABLE("Grayed text"),
      VORBEL_TRANSLATABLE("Button text"),
      VORBEL_TRANSLATABLE("Inactive title text"),
      VORBEL_TRANSLATABLE("Button highlight"),
      VORBEL_TRANSLATABLE("3D dark shadow"),
      VORBEL_TRANSLATABLE("3D light"),
      VORBEL_TRANSLATABLE("Tooltip text"),
      VORBEL_TRANSLATABLE("Tooltip background"),
  };
  // Only the colours the identifiers name have names; any other value,
  // system colours of other numbers among them, shows as its colour text.
  const std::string text = ColorToString(color);
  if (text == "clNone") return VORBEL_TRANSLATABLE("None");
  if (color.IsSystem() && text.starts_with("cl") && color.SystemIndex() < static_cast<int>(std::size(kSystemNames))) {
    return kSystemNames[color.SystemIndex()];
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(color.Value())));
  return hex;
}

void FillColorList(ColorList& list) {
  list.Clear();
  for (const StandardColor& standard : kStandardColors) list.AddColor(standard.name, standard.color);
}

}  // namespace vorbel::document
