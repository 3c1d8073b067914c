#include "ui/random_entry.h"

#include <QComboBox>

#include "document/color_list.h"
#include "document/random.h"

namespace vorbel::ui {

TColor SelectRandomEntry(ColorList& list) {
  if (list.Count() == 0) return list.GetSelectedColor();
  const int index = RandomUpTo(list.Count() - 1);
  list.SelectColorName(list.Entry(index).name);
  return list.GetSelectedColor();
}

void SelectRandomItem(QComboBox& combo) {
  if (combo.count() == 0) return;
  combo.setCurrentIndex(RandomUpTo(combo.count() - 1));
}

}  // namespace vorbel::ui
