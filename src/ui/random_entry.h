#pragma once
// Picking a random entry of a colour list or a plain list, as the random
// layer routines do.

#include "base/color.h"

class QComboBox;

namespace vorbel::document {
class ColorList;
}  // namespace vorbel::document

namespace vorbel::ui {

// Draws an index with RandomUpTo(Count - 1), selects that entry by its name
// (so the first entry of that name wins) and returns the selected colour, -1
// when the list is empty (nothing is drawn then).
base::Color SelectRandomEntry(document::ColorList& list);

// Draws an index with RandomUpTo(count - 1) and makes it the current item.
// Nothing is drawn for an empty combo.
void SelectRandomItem(QComboBox& combo);

}  // namespace vorbel::ui
