#pragma once
// The data of a colour picker: named colours in order, and at most one
// selected entry.
//
// SelectColor finds a colour among the entries and changes nothing when no
// entry holds it; SelectOrAddColor adds an entry for such a colour first, so
// that a colour read from a file is shown and given back unchanged. Every
// colour setting of the program is chosen from such a list; a widget shows it
// and reports the user's picks back through SetItemIndex.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"
#include "document/color_list_observer.h"

namespace vorbel::document {

// The colour a list gives when nothing is selected: -1, as the layout file
// writes it.
inline constexpr base::Color kNoSelectedColor{-1};

struct ColorEntry {
  std::string name;
  base::Color color;

  friend bool operator==(const ColorEntry&, const ColorEntry&) = default;
};

// Where AddColor places new entries and how SetSortOrder re-orders.
enum class ColorSortOrder {
  Unsorted,  // entries stay in the order added
  Color,     // ascending colour value, compared as signed 32-bit numbers
  Text,      // ascending lower-cased name, compared byte by byte
};

class ColorList {
 public:
  static constexpr int kDefaultColorWidth = 18;
  static constexpr int kMinColorWidth = 5;

  ColorList() = default;
  ColorList(const ColorList&) = delete;
  ColorList& operator=(const ColorList&) = delete;

  // Adds an entry where the sort order places it (after any entries with an equal key)
  // and returns its index. Duplicate names and colours are allowed. A selected
  // entry stays selected.
  int AddColor(std::string_view name, base::Color color);

  // Removes every entry; nothing is selected afterwards.
  void Clear();

  int Count() const { return static_cast<int>(entries_.size()); }
  // Bounds-checked; raises std::out_of_range.
  const ColorEntry& Entry(int index) const;
  // A copy of the entries, names and colours together.
  std::vector<ColorEntry> Entries() const { return entries_; }
  // Replaces the entries with a copy of another list's, in that order and
  // regardless of the sort order; nothing is selected afterwards.
  void AssignEntries(const std::vector<ColorEntry>& entries);

  ColorSortOrder SortOrder() const { return sort_order_; }
  // Stores the mode; for Color and Text re-sorts the entries with a stable
  // sort and selects the previously selected colour again (on the first entry
  // holding it). Unsorted keeps the current order.
  void SetSortOrder(ColorSortOrder order);

  // The selected entry's colour, or kNoSelectedColor when nothing is selected.
  base::Color GetSelectedColor() const;
  // Selects the first entry holding `color`. Returns false, changing nothing,
  // when no entry holds it.
  bool SelectColor(base::Color color);
  // Selects the first entry whose name equals `name` byte for byte (case
  // matters). Returns false, changing nothing, when there is none.
  bool SelectColorName(std::string_view name);
  // Selects the first entry holding `color`; when none holds it, adds an
  // entry named CustomColorName(color) where the sort order places it and
  // selects that. kNoSelectedColor (-1) stands for no colour and is never
  // added: it changes nothing and gives -1. Returns the selected index.
  int SelectOrAddColor(base::Color color, SelectionSource source = SelectionSource::Program);

  // The selected index, -1 for none.
  int ItemIndex() const { return item_index_; }
  // Sets the selected index (-1 for none); the source is passed on to the
  // observers. Raises std::out_of_range for any other invalid index.
  void SetItemIndex(int index, SelectionSource source = SelectionSource::Program);

  // Width in pixels of the swatch at the left of each entry.
  int ColorWidth() const { return color_width_; }
  // Values below 5 and the current value are ignored.
  void SetColorWidth(int width);

  // The fixed version text of the control.
  static const char* Version() { return "1.00.00"; }

  // Tells `observer` of every change, after the observers subscribed before
  // it, for as long as the subscription lasts. The subscription may outlive
  // the list.
  ColorListSubscription Subscribe(ColorListObserver* observer) { return observers_.Subscribe(observer); }

 private:
  template <typename Notify>
  void NotifyObservers(Notify notify);

  std::vector<ColorEntry> entries_;
  int item_index_ = -1;
  ColorSortOrder sort_order_ = ColorSortOrder::Unsorted;
  int color_width_ = kDefaultColorWidth;
  base::ObserverList<ColorListObserver> observers_;
};

// The program's standard list of 18 named colours, in insertion order.
struct StandardColor {
  const char* name;
  base::Color color;
};
extern const StandardColor kStandardColors[18];

// The name an entry for a colour outside the standard list is shown under: a
// system colour's own name ("Button face"; an English text marked for
// translation), "None" for clNone, else the colour text "$" and 8 hexadecimal
// digits ("$00336699").
std::string CustomColorName(base::Color color);

// Clears `list` and adds the 18 standard colours in order through AddColor (so
// the list's sort order decides where they land).
void FillColorList(ColorList& list);

}  // namespace vorbel::document
